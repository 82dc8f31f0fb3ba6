// The 8-bit code page, line-oriented text files and the log file.

#include "QtPrinters.h"
#include "shared/Cp1252.h"
#include "settings/LogFile.h"
#include "settings/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>

using namespace kivo;

namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
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
    const std::pair<const char*, QByteArray> cases[] = {
        {"µm €", "\xB5m \x80"},
        {"äöüÄÖÜß", "\xE4\xF6\xFC\xC4\xD6\xDC\xDF"},
        {"„Zitat“ – … Ÿ‰™", "\x84Zitat\x93 \x96 \x85 \x9F\x89\x99"},
    };
    for (const auto& [utf8, bytes] : cases) {
        EXPECT_EQ(encodeCp1252(utf8), bytes) << utf8;
        EXPECT_EQ(decodeText(bytes), utf8) << utf8;
    }
    for (int b = 0; b < 256; ++b) {
        const QByteArray byte(1, char(b));
        ASSERT_EQ(decodeText(byte).size(), 1) << b;
        EXPECT_EQ(encodeCp1252(decodeText(byte)), byte) << b;
    }
    EXPECT_EQ(encodeCp1252("Ω 1 ≤ 2 Ā"), QByteArray("? 1 ? 2 ?"));
}

// What a line of a code-page file cannot hold comes back whole, so a
// message can name it: characters the page lacks, and the line ends.
TEST(Cp1252, TheFirstCharacterALineCannotHold)
{
    const std::pair<const char*, std::optional<QString>> cases[] = {
        {"Łódź", QString::fromUtf8("Ł")},
        {"Kunde 東京", QString::fromUtf8("東")},
        {"Note 𝄞 A", QString::fromUtf8("𝄞")}, // outside the 16-bit plane: both halves
        {"a\r\nb", QStringLiteral("\r")},
        {"a\nb", QStringLiteral("\n")},
        {"µm Ä € „q“ ;\"DT\" \t", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, found] : cases)
        EXPECT_EQ(firstCharacterOutsideCp1252Line(QString::fromUtf8(text)), found) << text;
}

TEST(Cp1252, Utf8ByteOrderMarkSwitchesToUtf8)
{
    EXPECT_EQ(decodeText("\xEF\xBB\xBF" "K\xC3\xA4se \xC2\xB5m"), "Käse µm");
    // Without the mark, bytes that are no UTF-8 are code-page characters.
    EXPECT_EQ(decodeText("K\xE4se"), "Käse");
}

// An editor that saves UTF-8 without the mark: the file is read as UTF-8 when
// every byte of it fits UTF-8; one byte that does not makes it all code page.
TEST(Cp1252, ValidUtf8WithoutTheMarkIsUtf8)
{
    const std::pair<QByteArray, const char*> cases[] = {
        {"12,3 \xC2\xB5m", "12,3 µm"},
        {"K\xC3\xA4se\r\n\xE2\x82\xAC 5", "Käse\r\n€ 5"},
        {"\xF0\x9F\x98\x80", "😀"},
        {"12,3 \xB5m", "12,3 µm"},                      // the program's own µ
        {"\xC2\xB5m\r\n\xB5m", "Âµm\r\nµm"},            // mixed: not UTF-8 as a whole
        {"\xC0\xB5", "Àµ"},                             // an overlong form is no UTF-8
        {"\xED\xA0\x80", "í\u00A0€"},                    // nor is a surrogate
        {"ab\xC2", "abÂ"},                               // nor a sequence cut at the end
        {"plain ASCII", "plain ASCII"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(decodeText(bytes), QString::fromUtf8(text)) << bytes.toHex().toStdString();
}

TEST(TextLines, SplitAtEveryKindOfLineEnd)
{
    const std::pair<const char*, QStringList> cases[] = {
        {"", {}},           {"a", {"a"}},           {"a\r\nb", {"a", "b"}},          {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}}, {"\r\n", {""}}, {"a\r\n\r\nb\r\n", {"a", "", "b"}}, {"a\n\r\nb", {"a", "", "b"}},
    };
    for (const auto& [text, lines] : cases) EXPECT_EQ(splitLines(text), lines) << text;
}

// ---- files --------------------------------------------------------------

class TextFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

TEST_F(TextFileTest, WritesTheCodePageWithCrLfWholeAndReadsEitherEncoding)
{
    const QString file = path("Projektdaten.ini");
    ASSERT_TRUE(writeTextLines(file, {"one", "two", "three"}));
    const QStringList lines = {"Schichtdicke µm", "Preis 5 €", ""};
    ASSERT_TRUE(writeTextLines(file, lines));
    EXPECT_EQ(readBytes(file), QByteArray("Schichtdicke \xB5m\r\nPreis 5 \x80\r\n\r\n"));
    EXPECT_EQ(readTextLines(file), lines);
    ASSERT_TRUE(writeTextLines(file, {}));
    EXPECT_EQ(readBytes(file), QByteArray());
    // Read in either encoding, with any line end.
    const std::pair<QByteArray, QStringList> cases[] = {
        {"\xEF\xBB\xBF" "\xC2\xB5m\r\n", {"µm"}}, {"\xB5m\n\x80", {"µm", "€"}}, {"", {}}};
    for (const auto& [bytes, lines] : cases) {
        writeBytes(file, bytes);
        EXPECT_EQ(readTextLines(file), lines) << bytes.toHex().toStdString();
    }
}

// A file past the bound is refused whole: read in part, its last line
// would count with a wrong value.
TEST_F(TextFileTest, AFileOverTheBoundIsRefusedWhole)
{
    const QString file = path("Limit.ini");
    const QByteArray head("5;6;7;\r\n");
    writeBytes(file, head + QByteArray(1024 - head.size(), 'x'));
    const std::optional<QStringList> atTheBound = readTextLines(file, nullptr, 1024);
    ASSERT_TRUE(atTheBound.has_value());
    EXPECT_EQ(atTheBound->value(0), u"5;6;7;");
    EXPECT_EQ(atTheBound->value(1).size(), 1024 - head.size());

    for (const QByteArray& tail : {QByteArray("x"), QByteArray(3 * 1024 * 1024, 'x')}) {
        writeBytes(file, head + QByteArray(1024 - head.size(), 'x') + tail);
        FileError error;
        EXPECT_FALSE(readTextLines(file, &error, 1024).has_value()) << tail.size();
        EXPECT_TRUE(error.tooLarge);
        EXPECT_TRUE(error.reason.contains(file)) << error.reason.toStdString();
    }
}

TEST_F(TextFileTest, MissingFileOrFolderIsAnErrorNamingThePath)
{
    FileError error;
    const QString file = path("Konfi.ini");
    EXPECT_FALSE(readTextLines(file, &error).has_value());
    EXPECT_TRUE(error.reason.contains(file)) << error.reason.toStdString();

    // A missing folder is named, and nothing is created.
    const QString folder = path("missing");
    FileError errors[3];
    EXPECT_FALSE(readTextLines(QDir(folder).filePath("Konfi.ini"), &errors[0]).has_value());
    EXPECT_FALSE(writeTextLines(QDir(folder).filePath("Language.ini"), {"1"}, &errors[1]));
    EXPECT_FALSE(appendTextLine(QDir(folder).filePath("Language.ini"), "line", &errors[2]));
    for (const FileError& e : errors) EXPECT_TRUE(e.reason.contains(folder)) << e.reason.toStdString();
    EXPECT_NE(errors[0].reason, error.reason);
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST_F(TextFileTest, FailedWriteKeepsTheOldFile)
{
    const QString folder = path("locked");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = QDir(folder).filePath("Limit.ini");
    ASSERT_TRUE(writeTextLines(file, {"10;20;15;"}));
    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const auto unlock = [&] {
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    };

    // An administrator may write anyway; then there is nothing to test.
    QFile probe(QDir(folder).filePath("probe"));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        unlock();
        GTEST_SKIP() << "folder permissions are not enforced for this user";
    }

    FileError error;
    EXPECT_FALSE(writeTextLines(file, {"1;2;3;"}, &error));
    EXPECT_FALSE(error.reason.isEmpty());
    EXPECT_EQ(readBytes(file), QByteArray("10;20;15;\r\n"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"Limit.ini"});
    unlock();
}

// Only a regular file is replaced: a pipe, a folder, or a pipe reached
// through a link stays what it is, and the reason names the path.
TEST_F(TextFileTest, OnlyARegularFileIsReadOrReplaced)
{
    const QString fifo = path("pipe.ini");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString link = path("link.ini");
    ASSERT_TRUE(QFile::link(fifo, link));
    const QString folder = path("folder.ini");
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const QString& target : {fifo, link, folder}) {
        FileError error;
        EXPECT_FALSE(writeTextLines(target, {"1"}, &error)) << target.toStdString();
        EXPECT_TRUE(error.notAFile) << target.toStdString();
        EXPECT_EQ(fileErrorText(error, true), "keine gewöhnliche Datei (" + target + ")");
        // Nor read or appended to: a pipe would wait for its writer for ever.
        FileError readError;
        EXPECT_FALSE(readTextLines(target, &readError)) << target.toStdString();
        EXPECT_TRUE(readError.notAFile) << target.toStdString();
        EXPECT_FALSE(appendTextLine(target, "1")) << target.toStdString();
    }
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode)) << "the pipe was replaced";
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList({"link.ini", "pipe.ini"}));
}

// ---- log file -----------------------------------------------------------

// Lines logged before the folder is known are written once, when asked;
// the log is emptied at start-up; in a missing folder lines are lost.
TEST_F(TextFileTest, LogFile)
{
    const QString log = path("Brenvor_TransferLog.txt");
    writeBytes(log, "line of the previous run\r\n");
    LogFile logFile;
    logFile.WriteLog("Probleme beim Lesen Datei Konfi.ini: ");
    logFile.WriteLog(QString());
    logFile.setFolder(dir.path());
    logFile.DeleteLog();
    EXPECT_EQ(readBytes(log), QByteArray());
    logFile.writePending();
    logFile.WriteLog("Einheit µm");
    logFile.writePending();
    EXPECT_EQ(readBytes(log), QByteArray("Probleme beim Lesen Datei Konfi.ini: \r\n\r\nEinheit \xB5m\r\n"));

    LogFile lost;
    lost.setFolder(path("no AppDataPath"));
    lost.DeleteLog();
    lost.WriteLog("lost");
    lost.writePending();
    EXPECT_FALSE(QFileInfo::exists(path("no AppDataPath")));
}

} // namespace
