#include "shared/ZipArchive.h"

#include "shared/SystemError.h"
#include "texts/Phrases.h"

#include <QDateTime>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unzip.h>
#include <zip.h>

namespace kivo {

namespace {

// The archive's file and the errno of its first failed call, the one to
// name: Qt keeps no error after a short write ("Unknown error"), and
// closing after a failure may fail again.
struct Archive {
    QFile file;
    int systemError = 0;

    // `errnum` read after the call it judges.
    bool check(bool ok, int errnum)
    {
        if (!ok && !systemError) systemError = errnum;
        return ok;
    }
};

// minizip writes through these, so the archive goes through QFile and any
// file name the system allows works on every system.
Archive* archiveOf(voidpf stream) { return static_cast<Archive*>(stream); }

voidpf ZCALLBACK openFile(voidpf opaque, const void*, int)
{
    Archive* archive = archiveOf(opaque);
    errno = 0;
    const bool opened = archive->file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    return archive->check(opened, errno) ? archive : nullptr;
}

uLong ZCALLBACK readFile(voidpf, voidpf, void*, uLong) { return 0; }

uLong ZCALLBACK writeFile(voidpf, voidpf stream, const void* data, uLong size)
{
    Archive* archive = archiveOf(stream);
    errno = 0;
    const qint64 written = archive->file.write(static_cast<const char*>(data), qint64(size));
    archive->check(written == qint64(size), errno);
    return written < 0 ? 0 : uLong(written);
}

ZPOS64_T ZCALLBACK tellFile(voidpf, voidpf stream) { return ZPOS64_T(archiveOf(stream)->file.pos()); }

long ZCALLBACK seekFile(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    // A seek writes out what the file buffered first.
    Archive* archive = archiveOf(stream);
    QFile& file = archive->file;
    const qint64 base = origin == ZLIB_FILEFUNC_SEEK_CUR ? file.pos() : origin == ZLIB_FILEFUNC_SEEK_END ? file.size() : 0;
    errno = 0;
    const bool sought = file.seek(base + qint64(offset));
    return archive->check(sought, errno) ? 0 : -1;
}

int ZCALLBACK closeFile(voidpf, voidpf stream)
{
    Archive* archive = archiveOf(stream);
    errno = 0;
    const bool flushed = archive->file.flush();
    archive->check(flushed, errno);
    archive->file.close();
    return flushed && archive->file.error() == QFileDevice::NoError ? 0 : -1;
}

int ZCALLBACK fileError(voidpf, voidpf stream)
{
    const Archive* archive = archiveOf(stream);
    return archive->systemError || archive->file.error() != QFileDevice::NoError ? 1 : 0;
}

// minizip reads an archive in memory through these.
struct Reading {
    const QByteArray* bytes;
    qint64 pos = 0;
};

Reading* readingOf(voidpf stream) { return static_cast<Reading*>(stream); }

voidpf ZCALLBACK openMemory(voidpf opaque, const void*, int) { return opaque; }

uLong ZCALLBACK readMemory(voidpf, voidpf stream, void* buf, uLong size)
{
    Reading* r = readingOf(stream);
    const qint64 n = std::min<qint64>(qint64(size), r->bytes->size() - r->pos);
    if (n <= 0) return 0;
    std::memcpy(buf, r->bytes->constData() + r->pos, size_t(n));
    r->pos += n;
    return uLong(n);
}

uLong ZCALLBACK writeNothing(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK tellMemory(voidpf, voidpf stream) { return ZPOS64_T(readingOf(stream)->pos); }

long ZCALLBACK seekMemory(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    Reading* r = readingOf(stream);
    const qint64 base = origin == ZLIB_FILEFUNC_SEEK_CUR ? r->pos : origin == ZLIB_FILEFUNC_SEEK_END ? r->bytes->size() : 0;
    const qint64 to = base + qint64(offset);
    if (to < 0 || to > r->bytes->size()) return -1;
    r->pos = to;
    return 0;
}

int ZCALLBACK closeMemory(voidpf, voidpf) { return 0; }

int ZCALLBACK memoryError(voidpf, voidpf) { return 0; }

} // namespace

std::optional<std::vector<ZipMember>> readZip(const QByteArray& bytes)
{
    Reading reading{&bytes};
    zlib_filefunc64_def io{openMemory, readMemory, writeNothing, tellMemory, seekMemory, closeMemory, memoryError, &reading};
    unzFile zip = unzOpen2_64(nullptr, &io);
    if (!zip) return std::nullopt;
    std::vector<ZipMember> members;
    bool ok = true;
    for (int at = unzGoToFirstFile(zip); ok && at == UNZ_OK; at = unzGoToNextFile(zip)) {
        unz_file_info64 info{};
        char name[1024];
        ok = unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) == UNZ_OK
             && info.uncompressed_size < (1ull << 31) && unzOpenCurrentFile(zip) == UNZ_OK;
        if (!ok) break;
        ZipMember m;
        m.name = QString::fromUtf8(name);
        m.bytes = QByteArray(qsizetype(info.uncompressed_size), Qt::Uninitialized);
        m.stored = info.compression_method == 0;
        ok = unzReadCurrentFile(zip, m.bytes.data(), unsigned(m.bytes.size())) == int(m.bytes.size());
        ok = unzCloseCurrentFile(zip) == UNZ_OK && ok; // checks the member's CRC
        // And as it is stored, to be copied without compressing it again.
        int method = 0;
        ok = ok && info.compressed_size < (1ull << 31) && unzOpenCurrentFile2(zip, &method, nullptr, 1) == UNZ_OK;
        if (ok) {
            m.raw = QByteArray(qsizetype(info.compressed_size), Qt::Uninitialized);
            m.method = method;
            m.crc = quint32(info.crc);
            ok = unzReadCurrentFile(zip, m.raw.data(), unsigned(m.raw.size())) == int(m.raw.size());
            unzCloseCurrentFile(zip); // a raw read checks no CRC
        }
        if (ok) members.push_back(std::move(m));
    }
    unzClose(zip);
    if (!ok) return std::nullopt;
    return members;
}

QString writeZip(const QString& path, const std::vector<ZipMember>& members, bool german)
{
    Archive archive;
    archive.file.setFileName(path);
    const auto reason = [&] {
        if (archive.systemError) return systemErrorText(archive.systemError, german);
        if (archive.file.error() != QFileDevice::NoError) return archive.file.errorString();
        return phrase(Phrase::ZipNotWritten, german);
    };
    zlib_filefunc64_def io{openFile, readFile, writeFile, tellFile, seekFile, closeFile, fileError, &archive};
    zipFile zip = zipOpen2_64(nullptr, APPEND_STATUS_CREATE, nullptr, &io);
    if (!zip) return reason();

    const QDateTime now = QDateTime::currentDateTime();
    zip_fileinfo info{};
    info.tmz_date = {uInt(now.time().second()), uInt(now.time().minute()), uInt(now.time().hour()),
                     uInt(now.date().day()), uInt(now.date().month() - 1), uInt(now.date().year())};
    bool ok = true;
    for (const ZipMember& m : members) {
        const QByteArray name = m.name.toUtf8();
        if (!m.raw.isEmpty()) {
            ok = zipOpenNewFileInZip2(zip, name.constData(), &info, nullptr, 0, nullptr, 0, nullptr, m.method,
                                      Z_DEFAULT_COMPRESSION, 1) == ZIP_OK
                 && zipWriteInFileInZip(zip, m.raw.constData(), unsigned(m.raw.size())) == ZIP_OK
                 && zipCloseFileInZipRaw(zip, uLong(m.bytes.size()), uLong(m.crc)) == ZIP_OK;
        } else {
            ok = zipOpenNewFileInZip(zip, name.constData(), &info, nullptr, 0, nullptr, 0, nullptr,
                                     m.stored ? 0 : Z_DEFLATED, m.stored ? 0 : m.fast ? Z_BEST_SPEED : Z_DEFAULT_COMPRESSION)
                     == ZIP_OK
                 && zipWriteInFileInZip(zip, m.bytes.constData(), unsigned(m.bytes.size())) == ZIP_OK
                 && zipCloseFileInZip(zip) == ZIP_OK;
        }
        if (!ok) break;
    }
    ok = zipClose(zip, nullptr) == ZIP_OK && ok;
    return ok ? QString() : reason();
}

QString zipLibraryVersion() { return QString::fromLatin1(zlibVersion()); }

} // namespace kivo
