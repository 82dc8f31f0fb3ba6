#include "shared/SystemError.h"

#include <QtGlobal>
#include <cerrno>

namespace kivo {

namespace {

struct Reason {
    int errnum;
    const char* english; // as the C library says it
    const char* german;  // as the German C library says it, shortened where that reads better
};

// Both texts are the program's own, so a German operator reads German
// whatever messages the system was installed with.
constexpr Reason kReasons[] = {
    {ENOSPC, "No space left on device", "Kein Speicherplatz auf dem Gerät"},
    {EDQUOT, "Disk quota exceeded", "Der zugewiesene Speicherplatz (Quota) ist überschritten"},
    {EACCES, "Permission denied", "Keine Berechtigung"},
    {EPERM, "Operation not permitted", "Die Operation ist nicht erlaubt"},
    {EROFS, "Read-only file system", "Das Dateisystem ist nur lesbar"},
    {EIO, "Input/output error", "Eingabe-/Ausgabefehler"},
    {EFBIG, "File too large", "Die Datei ist zu groß"},
    {ENOENT, "No such file or directory", "Datei oder Verzeichnis nicht gefunden"},
    {EISDIR, "Is a directory", "Ist ein Verzeichnis"},
    {ENOTDIR, "Not a directory", "Ist kein Verzeichnis"},
    {ENAMETOOLONG, "File name too long", "Der Dateiname ist zu lang"},
    {EMFILE, "Too many open files", "Zu viele offene Dateien"},
};

} // namespace

QString systemErrorText(int errnum, bool german)
{
    for (const Reason& r : kReasons)
        if (r.errnum == errnum) return QString::fromUtf8(german ? r.german : r.english);
    return qt_error_string(errnum);
}

} // namespace kivo
