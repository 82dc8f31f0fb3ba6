#include "shared/ZipArchive.h"

#include "shared/SystemError.h"

#include <QDateTime>
#include <QFile>
#include <cerrno>
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

} // namespace

QString writeZip(const QString& path, const std::vector<ZipMember>& members, bool german)
{
    Archive archive;
    archive.file.setFileName(path);
    const auto reason = [&] {
        if (archive.systemError) return systemErrorText(archive.systemError, german);
        if (archive.file.error() != QFileDevice::NoError) return archive.file.errorString();
        return german ? QStringLiteral("das Zip-Archiv konnte nicht geschrieben werden")
                      : QStringLiteral("the zip archive could not be written");
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
        ok = zipOpenNewFileInZip(zip, m.name.toUtf8().constData(), &info, nullptr, 0, nullptr, 0, nullptr,
                                 m.stored ? 0 : Z_DEFLATED, m.stored ? 0 : Z_DEFAULT_COMPRESSION) == ZIP_OK
             && zipWriteInFileInZip(zip, m.bytes.constData(), unsigned(m.bytes.size())) == ZIP_OK
             && zipCloseFileInZip(zip) == ZIP_OK;
        if (!ok) break;
    }
    ok = zipClose(zip, nullptr) == ZIP_OK && ok;
    return ok ? QString() : reason();
}

} // namespace kivo
