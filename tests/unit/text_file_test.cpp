// The 8-bit code page, line-oriented text files and the log file.

#include "QtPrinters.h"
#include "settings/Cp1252.h"
#include "settings/LogFile.h"
#include "settings/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kivo;

namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray("<missing>");
    return file.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// ---- Windows-1252 -------------------------------------------------------

TEST(Cp1252, CharactersOfTheProgramsTexts)
{
    struct Case {
        const char* utf8;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"µm", QByteArray("\xB5m")},
        {"€", QByteArray("\x80")},
        {"äöüÄÖÜß", QByteArray("\xE4\xF6\xFC\xC4\xD6\xDC\xDF")},
        {"„Zitat“ – …", QByteArray("\x84Zitat\x93 \x96 \x85")},
        {"Ÿ‰™", QByteArray("\x9F\x89\x99")},
        {"", QByteArray()},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf8(c.utf8);
        EXPECT_EQ(encodeCp1252(text), c.bytes) << c.utf8;
        EXPECT_EQ(decodeText(c.bytes), text) << c.utf8;
    }
}

TEST(Cp1252, EveryByteSurvivesARoundTrip)
{
    for (int b = 0; b < 256; ++b) {
        const QByteArray byte(1, char(b));
        const QString text = decodeText(byte);
        ASSERT_EQ(text.size(), 1) << b;
        EXPECT_EQ(encodeCp1252(text), byte) << b;
    }
}

TEST(Cp1252, CharacterOutsideTheCodePageBecomesAQuestionMark)
{
    EXPECT_EQ(encodeCp1252(QString::fromUtf8("Ω 1 ≤ 2 Ā")), QByteArray("? 1 ? 2 ?"));
}

TEST(Cp1252, Utf8ByteOrderMarkSwitchesToUtf8)
{
    EXPECT_EQ(decodeText(QByteArray("\xEF\xBB\xBF" "K\xC3\xA4se \xC2\xB5m")), QString::fromUtf8("Käse µm"));
    // Without the mark the same bytes are code-page characters.
    EXPECT_EQ(decodeText(QByteArray("K\xC3\xA4se")), QString::fromUtf8("KÃ¤se"));
}

// ---- line splitting -----------------------------------------------------

TEST(TextLines, SplitAtEveryKindOfLineEnd)
{
    struct Case {
        const char* text;
        QStringList lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"\r\n", {""}},
        {"\n\n", {"", ""}},
        {"a\n\r\nb", {"a", "", "b"}},
    };
    for (const Case& c : cases) EXPECT_EQ(splitLines(QString::fromLatin1(c.text)), c.lines) << c.text;
}

// ---- files --------------------------------------------------------------

class TextFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

TEST_F(TextFileTest, WritesCodePageWithCrLf)
{
    const QString file = path(QStringLiteral("Projektdaten.ini"));
    const QStringList lines = {QString::fromUtf8("Schichtdicke µm"), QString::fromUtf8("Preis 5 €"), QString()};
    ASSERT_TRUE(writeTextLines(file, lines));
    EXPECT_EQ(readBytes(file), QByteArray("Schichtdicke \xB5m\r\nPreis 5 \x80\r\n\r\n"));
    EXPECT_EQ(readTextLines(file), lines);
}

TEST_F(TextFileTest, WriteReplacesTheWholeContent)
{
    const QString file = path(QStringLiteral("Limit.ini"));
    ASSERT_TRUE(writeTextLines(file, {QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")}));
    ASSERT_TRUE(writeTextLines(file, {QStringLiteral("1;2;3;")}));
    EXPECT_EQ(readBytes(file), QByteArray("1;2;3;\r\n"));
    ASSERT_TRUE(writeTextLines(file, {}));
    EXPECT_EQ(readBytes(file), QByteArray());
}

TEST_F(TextFileTest, ReadsAnyLineEnding)
{
    const std::pair<QByteArray, QStringList> cases[] = {
        {QByteArray("7\r\n8\n9"), {"7", "8", "9"}},
        {QByteArray("\xEF\xBB\xBF" "\xC2\xB5m\r\n"), {QString::fromUtf8("µm")}},
        {QByteArray("\xB5m\r\n\x80"), {QString::fromUtf8("µm"), QString::fromUtf8("€")}},
        {QByteArray(), {}},
    };
    const QString file = path(QStringLiteral("Port.ini"));
    for (const auto& [bytes, lines] : cases) {
        writeBytes(file, bytes);
        const std::optional<QStringList> read = readTextLines(file);
        ASSERT_TRUE(read.has_value()) << bytes.toHex().toStdString();
        EXPECT_EQ(*read, lines) << bytes.toHex().toStdString();
    }
}

TEST_F(TextFileTest, MissingFileOrFolderIsAnErrorNamingThePath)
{
    FileError error;
    const QString file = path(QStringLiteral("Konfi.ini"));
    EXPECT_FALSE(readTextLines(file, &error).has_value());
    EXPECT_TRUE(error.reason.contains(file)) << error.reason.toStdString();

    const QString folder = path(QStringLiteral("no such folder"));
    FileError folderError;
    EXPECT_FALSE(readTextLines(QDir(folder).filePath(QStringLiteral("Konfi.ini")), &folderError).has_value());
    EXPECT_TRUE(folderError.reason.contains(folder)) << folderError.reason.toStdString();
    EXPECT_NE(folderError.reason, error.reason);
}

TEST_F(TextFileTest, WriteIntoAMissingFolderFailsAndCreatesNothing)
{
    const QString folder = path(QStringLiteral("missing"));
    const QString file = QDir(folder).filePath(QStringLiteral("Language.ini"));
    FileError error;
    EXPECT_FALSE(writeTextLines(file, {QStringLiteral("1")}, &error));
    EXPECT_TRUE(error.reason.contains(folder)) << error.reason.toStdString();
    EXPECT_FALSE(QFileInfo::exists(folder));

    FileError appendError;
    EXPECT_FALSE(appendTextLine(file, QStringLiteral("line"), &appendError));
    EXPECT_TRUE(appendError.reason.contains(folder)) << appendError.reason.toStdString();
}

TEST_F(TextFileTest, FailedWriteKeepsTheOldFile)
{
    const QString folder = path(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = QDir(folder).filePath(QStringLiteral("Limit.ini"));
    ASSERT_TRUE(writeTextLines(file, {QStringLiteral("10;20;15;")}));
    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));

    // An administrator may write anyway; then there is nothing to test.
    QFile probe(QDir(folder).filePath(QStringLiteral("probe")));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.close();
        probe.remove();
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        GTEST_SKIP() << "folder permissions are not enforced for this user";
    }

    FileError error;
    EXPECT_FALSE(writeTextLines(file, {QStringLiteral("1;2;3;")}, &error));
    EXPECT_FALSE(error.reason.isEmpty());
    EXPECT_EQ(readBytes(file), QByteArray("10;20;15;\r\n"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Limit.ini")});
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(TextFileTest, CreateIfMissingNeverOverwrites)
{
    const QString file = path(QStringLiteral("Language.ini"));
    ASSERT_TRUE(createIfMissing(file, {QStringLiteral("0")}));
    EXPECT_EQ(readBytes(file), QByteArray("0\r\n"));

    writeBytes(file, QByteArray("1\r\n"));
    ASSERT_TRUE(createIfMissing(file, {QStringLiteral("0")}));
    EXPECT_EQ(readBytes(file), QByteArray("1\r\n"));

    const QString empty = path(QStringLiteral("Port.ini"));
    ASSERT_TRUE(createIfMissing(empty, {}));
    EXPECT_TRUE(QFileInfo::exists(empty));
    EXPECT_EQ(readBytes(empty), QByteArray());
}

// ---- log file -----------------------------------------------------------

class LogFileTest : public TextFileTest {
protected:
    QString logPath() const { return path(QStringLiteral("Brenvor_TransferLog.txt")); }
};

TEST_F(LogFileTest, DeleteEmptiesAndWriteAppendsLines)
{
    writeBytes(logPath(), QByteArray("line of the previous run\r\n"));
    LogFile log;
    log.setFolder(dir.path());
    log.DeleteLog();
    EXPECT_TRUE(QFileInfo::exists(logPath()));
    EXPECT_EQ(readBytes(logPath()), QByteArray());

    log.WriteLog(QStringLiteral("Logdatei 06.12.2026 14:30:00"));
    log.WriteLog(QString());
    log.WriteLog(QStringLiteral("Probleme beim Lesen Datei Port.ini: "));
    log.WriteLog(QString::fromUtf8("Einheit µm"));
    EXPECT_EQ(readBytes(logPath()),
              QByteArray("Logdatei 06.12.2026 14:30:00\r\n\r\nProbleme beim Lesen Datei Port.ini: \r\nEinheit \xB5m\r\n"));
}

TEST_F(LogFileTest, MissingFolderLosesLinesSilently)
{
    const QString folder = path(QStringLiteral("no AppDataPath"));
    LogFile log;
    log.setFolder(folder);
    log.DeleteLog();
    log.WriteLog(QStringLiteral("lost"));
    log.writePending();
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST_F(LogFileTest, LinesBeforeTheFolderIsKnownAreWrittenLater)
{
    LogFile log;
    log.WriteLog(QStringLiteral("Probleme beim Lesen Datei Konfi.ini: "));
    log.WriteLog(QString());
    log.setFolder(dir.path());
    log.DeleteLog();
    EXPECT_TRUE(QFileInfo::exists(logPath()));
    EXPECT_EQ(readBytes(logPath()), QByteArray());

    log.writePending();
    log.WriteLog(QStringLiteral("AppDataPath = x"));
    EXPECT_EQ(readBytes(logPath()), QByteArray("Probleme beim Lesen Datei Konfi.ini: \r\n\r\nAppDataPath = x\r\n"));

    // Written once only.
    log.writePending();
    EXPECT_EQ(readBytes(logPath()), QByteArray("Probleme beim Lesen Datei Konfi.ini: \r\n\r\nAppDataPath = x\r\n"));
}

TEST_F(LogFileTest, SecondRunKeepsOnlyItsOwnLines)
{
    for (const char* run : {"first run", "second run"}) {
        LogFile log;
        log.setFolder(dir.path());
        log.DeleteLog();
        log.WriteLog(QString::fromLatin1(run));
    }
    EXPECT_EQ(readBytes(logPath()), QByteArray("second run\r\n"));
}

} // namespace
