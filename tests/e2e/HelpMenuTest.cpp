// The Help menu through the real window: the version box, the info window
// with what the gauge told, and the manual handed to the desktop.

#include "MeasurementText.h"
#include "ProjectVersion.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace kivo::e2e;
using namespace Qt::Literals::StringLiterals;

namespace {

TEST(HelpMenu, VersionBoxBeforeAnyGauge)
{
    DriveSession session(QByteArray("RKM\r\n#\r\n"));
    const DriveResult result = session.run(u"start\nclick mnuInfo\ndump\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    const QJsonArray shown = result.dumps[0].messages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].toObject().value(u"caption").toString(), u"Version");
    EXPECT_EQ(shown[0].toObject().value(u"text").toString(), u"RK-MENO RIDIVORI "_s + titleVersion());
    EXPECT_TRUE(result.dumps[0].windows().isEmpty());
}

TEST(HelpMenu, InfoWindowShowsTheIdentifiedGauge)
{
    DownloadBench bench("VX", PortType::Bluetooth);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"FEB"_s})).ready());
    const DriveResult result =
        bench.connect(kUntilIdle + u"click mnuInfo\ndump\nclick English\nwait-ms 300\nclick mnuInfo\ndump\n"_s);
    ASSERT_EQ(result.dumps.size(), 2);
    const Dump& d = result.dumps[0];
    EXPECT_TRUE(d.messages().isEmpty());
    EXPECT_EQ(d.windows(), QStringList({u"frmInfo"_s}));
    EXPECT_EQ(d.text(u"frmInfo.txtGeraet"_s), u"VELO-PROBA (FE-B)");
    EXPECT_EQ(d.text(u"frmInfo.lblGeraet"_s), u"Geraet");
    EXPECT_EQ(d.text(u"frmInfo.txtPCSoft"_s), titleVersion());
    EXPECT_FALSE(d.text(u"frmInfo.txtGeraeteSoft"_s).isEmpty());
    // Recaptioned in the new language; the other labels keep theirs.
    const Dump& english = result.dumps[1];
    EXPECT_EQ(english.text(u"frmInfo.lblGeraet"_s), u"Device");
    EXPECT_EQ(english.text(u"frmInfo.lblGeraetSoft"_s), u"Device Softwareversion");
    EXPECT_EQ(english.text(u"frmInfo.lblMacAdr"_s), u"MacAdresse");
}

TEST(HelpMenu, ManualFromTheSettingsFolderOrBesideTheProgram)
{
    const QString sivar = u"RK-SIVAR RIDIVORI"_s;
    DriveSession session(QByteArray("RKS\r\n#\r\n"));
    const QString appData = session.appDataPath(kBrand, sivar);
    const QString english = QDir(appData).filePath(u"EN_Manual_RK-SIVAR_TRANSFER.pdf"_s);
    const QString german = QDir(appData).filePath(u"DE_Manual_RK-SIVAR_TRANSFER.pdf"_s);
    // Not there at all: named in the message, in each language.
    DriveResult missing = session.run(u"start\nclick mnuHelp1\nclick English\nclick mnuHelp1\ndump\n"_s);
    ASSERT_EQ(missing.dumps.size(), 1);
    EXPECT_EQ(messageTexts(missing.dumps[0]),
              QStringList({u"Datei "_s + QDir::toNativeSeparators(german) + u" wurde nicht gefunden"_s,
                           u"File "_s + QDir::toNativeSeparators(english) + u" not found "_s}));
    EXPECT_TRUE(missing.dumps[0].opened().isEmpty());

    // Beside the program, then in the settings folder, which comes first.
    const QString beside = QDir(session.programFolder()).filePath(u"manuals/DE_Manual_RK-SIVAR_TRANSFER.pdf"_s);
    DriveSession::writeFile(beside, "%PDF-1.4");
    DriveResult found = session.run(u"start\nclick German\nclick mnuHelp1\ndump\n"_s);
    ASSERT_EQ(found.dumps.size(), 1);
    EXPECT_EQ(found.dumps[0].opened(), QStringList({beside}));
    DriveSession::writeFile(german, "%PDF-1.4");
    found = session.run(u"start\nclick mnuHelp1\ndocuments fail\nclick mnuHelp1\ndump\n"_s);
    ASSERT_EQ(found.dumps.size(), 1);
    EXPECT_EQ(found.dumps[0].opened(), QStringList({german, german}));
    // No program for PDF files: the manual is there, and the message says where.
    EXPECT_EQ(messageTexts(found.dumps[0]), QStringList({u"Kein Programm hat die Datei geöffnet. Sie liegt unter:\n"_s
                                                         + QDir::toNativeSeparators(german)}));
}

TEST(HelpMenu, EveryManualIsBuiltWithItsModelsName)
{
    const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
    if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext is not installed";
    const QDir manuals(QStringLiteral(KIVO_MANUALS_DIR));
    for (const char* lang : {"DE", "EN"}) {
        for (const char* model : {"RK-TALO", "ZORMA-PROBA", "RK-SIVAR", "RK-MENO", "VELO-PROBA", "DORNA"}) {
            const QString pdf = manuals.filePath(u"%1_Manual_%2_TRANSFER.pdf"_s.arg(QLatin1String(lang), QLatin1String(model)));
            QProcess convert;
            convert.start(pdftotext, {u"-l"_s, u"1"_s, pdf, u"-"_s});
            ASSERT_TRUE(convert.waitForFinished(15000));
            ASSERT_EQ(convert.exitCode(), 0) << pdf.toStdString();
            const QString firstPage = QString::fromUtf8(convert.readAllStandardOutput());
            EXPECT_TRUE(firstPage.contains(QLatin1String(model) + u" RIDIVORI"_s)) << pdf.toStdString();
        }
    }
}

} // namespace
