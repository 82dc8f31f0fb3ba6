// Why a write failed, as the operator reads it: the system's reason in the
// operator's language on every write path, also where Qt keeps none (a
// short write, as on a full disk, leaves Qt's "Unknown error").

#include "QtPrinters.h"
#include "output/ExportFile.h"
#include "output/ReportDocument.h"
#include "output/WorkbookLayout.h"
#include "output/WorkbookWriter.h"
#include "settings/Settings.h"
#include "settings/TextFile.h"
#include "shared/SystemError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace kivo;

namespace {

TEST(SystemError, TheReasonsOfAFailedSaveInBothLanguages)
{
    const struct {
        int errnum;
        const char* english;
        const char* german;
    } cases[] = {
        {ENOSPC, "No space left on device", "Kein Speicherplatz auf dem Gerät"},
        {EDQUOT, "Disk quota exceeded", "Der zugewiesene Speicherplatz (Quota) ist überschritten"},
        {EACCES, "Permission denied", "Keine Berechtigung"},
        {EROFS, "Read-only file system", "Das Dateisystem ist nur lesbar"},
        {EIO, "Input/output error", "Eingabe-/Ausgabefehler"},
        {EFBIG, "File too large", "Die Datei ist zu groß"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(systemErrorText(c.errnum, false), QString::fromUtf8(c.english)) << c.errnum;
        EXPECT_EQ(systemErrorText(c.errnum, true), QString::fromUtf8(c.german)) << c.errnum;
    }
    // Any other reason as the system words it.
    EXPECT_EQ(systemErrorText(ETXTBSY, true), qt_error_string(ETXTBSY));
    EXPECT_FALSE(systemErrorText(ETXTBSY, false).isEmpty());
}

// Files may grow to `bytes` while it lives: a write past that is cut short
// and then fails with EFBIG, as a write to a full disk is cut and then fails
// with ENOSPC.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        previousHandler = std::signal(SIGXFSZ, SIG_IGN); // else the process ends
        getrlimit(RLIMIT_FSIZE, &previous);
        rlimit limit = previous;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous{};
    void (*previousHandler)(int) = nullptr;
};

class WritePaths : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

WorkbookLayout someWorkbook()
{
    WorkbookInput in;
    in.reportP = QStringLiteral("RK-SIVAR\r\n\r\n  Speicher\r\n");
    in.heading = {QStringLiteral("07.12.2026"), QStringLiteral("Nr."), QStringLiteral("Messwert"),
                  QStringLiteral("Messeinheit")};
    for (int i = 1; i <= 50; ++i)
        in.rows.push_back({QStringLiteral("14:03:22"), i, 10.5 * i, QStringLiteral("µm  "), QString()});
    in.statCount = 50;
    return buildWorkbook(in, true);
}

// Each write path cut short: the measurement file, Online.mes and the CSV
// (one writer), a settings file, the document and the workbook. The message
// names the system's reason in the operator's language, never "Unknown
// error", and a file that was there is kept.
TEST_F(WritePaths, ACutWriteNamesTheSystemsReason)
{
    const QString mes = path(QStringLiteral("table.mes"));
    ASSERT_TRUE(writeFileBytes(mes, "earlier\r\n"));
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("app"))));
    Settings settings;
    settings.setFolders(path(QStringLiteral("program")), path(QStringLiteral("app")), dir.path());
    const QByteArray report(4000, 'x');
    const QDateTime when(QDate(2026, 12, 7), QTime(14, 3, 22));
    const WorkbookLayout workbook = someWorkbook();
    int keptErrno = 0; // of the measurement file's failed write

    const struct {
        const char* path;
        std::function<QString(bool german)> write;
    } paths[] = {
        {"measurement file",
         [&](bool german) {
             FileError error;
             if (writeFileBytes(mes, report, &error)) return QString();
             keptErrno = error.systemError;
             return fileErrorText(error, german);
         }},
        {"settings file",
         [&](bool german) {
             settings.setLanguage(german ? 0 : 1);
             LimitFields limits;
             limits.Emin = 10.5;
             limits.EminStr = QStringLiteral("10,5");
             const SettingsOutcome failed = settings.writeLimits(limits, QLocale::c());
             return failed ? failed->reason : QString();
         }},
        {"document",
         [&](bool german) {
             return saveExport(path(QStringLiteral("export")), QStringLiteral("Bericht"), QStringLiteral("odt"), when,
                               german, [&](const QString& p) { return writeReportDocument(report, p, german); })
                 .failure;
         }},
        {"workbook",
         [&](bool german) {
             return saveExport(path(QStringLiteral("export")), QStringLiteral("Messwerte"), QStringLiteral("xlsx"), when,
                               german, [&](const QString& p) { return writeWorkbook(workbook, p, german); })
                 .failure;
         }},
    };
    for (const auto& p : paths) {
        for (bool german : {true, false}) {
            SCOPED_TRACE(std::string(p.path) + (german ? ", German" : ", English"));
            QString reason;
            {
                const FileSizeLimit limit(8);
                reason = p.write(german);
            }
            EXPECT_TRUE(reason.contains(systemErrorText(EFBIG, german))) << reason.toStdString();
            EXPECT_FALSE(reason.contains(QStringLiteral("Unknown error"))) << reason.toStdString();
        }
    }
    EXPECT_EQ(keptErrno, EFBIG);
    QFile kept(mes);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "earlier\r\n");
    EXPECT_EQ(QDir(path(QStringLiteral("export"))).entryList(QDir::Files | QDir::Hidden), QStringList());
}

} // namespace
