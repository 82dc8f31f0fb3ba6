// The version is written once, in CMakeLists.txt: every place the program,
// the package's metainfo, the man pages and the manuals name it must follow
// it.

#include "CliRun.h"
#include "ProjectVersion.h"
#include "session/AboutText.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kivo::e2e;
using namespace Qt::Literals::StringLiterals;

namespace {

QString readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QString captured(const QString& text, const QString& pattern)
{
    return QRegularExpression(pattern, QRegularExpression::MultilineOption).match(text).captured(1);
}

QString versionOutput(const QString& program)
{
    QTemporaryDir home;
    QProcess p;
    p.setProcessEnvironment(cliEnvironment(home.filePath(u"config"_s), home.filePath(u"data"_s)));
    p.start(program, {u"--version"_s});
    return p.waitForFinished(30000) ? QString::fromUtf8(p.readAllStandardOutput()).trimmed() : QString();
}

TEST(Version, EveryPlaceFollowsTheProjectVersion)
{
    const QString version = projectVersion();
    const QString build = QStringLiteral(KIVO_BUILD_DIR);
    // The programs.
    EXPECT_EQ(versionOutput(QStringLiteral(KIVO_TRANSFER)), u"kivo-transfer "_s + version);
    EXPECT_EQ(versionOutput(QStringLiteral(KIVO_CLI)), u"kivo-cli "_s + titleVersion());
    // The About box.
    const QString about = kivo::aboutText(kivo::aboutFacts(u"RK-SIVAR"_s, QString()), false);
    EXPECT_TRUE(about.contains(u"Version "_s + version + u'\n')) << about.toStdString();
    // The man pages, the hand-written ones and the one help2man makes.
    for (const char* page : {"kivo-transfer.1", "kivo-gauge-sim.1", "kivo-cli.1"}) {
        const QString text = readFile(build + u'/' + QLatin1String(page));
        const QString program = QLatin1String(page).chopped(2);
        const QRegularExpressionMatch th =
            QRegularExpression(uR"re(^\.TH \S+ "?1"? "([^"]*)" "%1 V?([^"]+)")re"_s.arg(program),
                               QRegularExpression::MultilineOption)
                .match(text);
        EXPECT_EQ(th.captured(2), version) << page;
        EXPECT_EQ(th.captured(1), QStringLiteral(KIVO_RELEASE_MONTH)) << page;
    }
    // The metainfo's newest release, and the package.
    const QString metainfo = readFile(build + u"/com.brenvor.KivoRidivori.metainfo.xml"_s);
    EXPECT_EQ(captured(metainfo, uR"re(<release version="([^"]+)")re"_s), version);
    EXPECT_EQ(captured(readFile(build + u"/CPackConfig.cmake"_s), uR"re(^set\(CPACK_PACKAGE_VERSION "([^"]+)"\))re"_s),
              version);
    // The manuals' first page.
    for (const char* manual : {"EN_Manual_RK-SIVAR_TRANSFER.pdf", "DE_Manual_DORNA_TRANSFER.pdf"}) {
        QProcess text;
        text.start(u"pdftotext"_s, {u"-l"_s, u"1"_s, QStringLiteral(KIVO_MANUALS_DIR "/") + QLatin1String(manual), u"-"_s});
        ASSERT_TRUE(text.waitForFinished(20000)) << "pdftotext";
        EXPECT_TRUE(QString::fromUtf8(text.readAllStandardOutput()).contains(u"Version "_s + titleVersion())) << manual;
    }
    // The Debian changelog's newest entry: a new version wants its own entry.
    EXPECT_EQ(captured(readFile(QStringLiteral(KIVO_CHANGELOG)), uR"re(^kivo-ridivori \(([^)]+)\))re"_s), version);
}

} // namespace
