#include "shared/ZipArchive.h"

#include <QDateTime>
#include <QFile>
#include <zip.h>

namespace kivo {

namespace {

// minizip writes through these, so the archive goes through QFile and any
// file name the system allows works on every system.
QFile* fileOf(voidpf stream) { return static_cast<QFile*>(stream); }

voidpf ZCALLBACK openFile(voidpf opaque, const void*, int)
{
    QFile* file = fileOf(opaque);
    return file->open(QIODevice::WriteOnly | QIODevice::Truncate) ? file : nullptr;
}

uLong ZCALLBACK readFile(voidpf, voidpf, void*, uLong) { return 0; }

uLong ZCALLBACK writeFile(voidpf, voidpf stream, const void* data, uLong size)
{
    const qint64 written = fileOf(stream)->write(static_cast<const char*>(data), qint64(size));
    return written < 0 ? 0 : uLong(written);
}

ZPOS64_T ZCALLBACK tellFile(voidpf, voidpf stream) { return ZPOS64_T(fileOf(stream)->pos()); }

long ZCALLBACK seekFile(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    QFile* file = fileOf(stream);
    const qint64 base = origin == ZLIB_FILEFUNC_SEEK_CUR ? file->pos() : origin == ZLIB_FILEFUNC_SEEK_END ? file->size() : 0;
    return file->seek(base + qint64(offset)) ? 0 : -1;
}

int ZCALLBACK closeFile(voidpf, voidpf stream)
{
    QFile* file = fileOf(stream);
    const bool flushed = file->flush();
    file->close();
    return flushed && file->error() == QFileDevice::NoError ? 0 : -1;
}

int ZCALLBACK fileError(voidpf, voidpf stream) { return fileOf(stream)->error() == QFileDevice::NoError ? 0 : 1; }

} // namespace

QString writeZip(const QString& path, const std::vector<ZipMember>& members)
{
    QFile file(path);
    zlib_filefunc64_def io{openFile, readFile, writeFile, tellFile, seekFile, closeFile, fileError, &file};
    zipFile zip = zipOpen2_64(nullptr, APPEND_STATUS_CREATE, nullptr, &io);
    if (!zip) return file.errorString();

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
    const QString writeError = file.error() != QFileDevice::NoError ? file.errorString() : QString();
    ok = zipClose(zip, nullptr) == ZIP_OK && ok;
    if (ok) return QString();
    if (!writeError.isEmpty()) return writeError;
    return file.error() != QFileDevice::NoError ? file.errorString() : QStringLiteral("the zip archive could not be written");
}

} // namespace kivo
