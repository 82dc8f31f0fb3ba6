// The program as a keyboard user and a watchful operator find it: the
// shortcuts, Return and Tab, and what the buttons and the status box show.

#include "MeasurementText.h"

#include <gtest/gtest.h>

using namespace kivo::e2e;
using namespace Qt::Literals::StringLiterals;

namespace {

TEST(Keyboard, ShortcutsReturnAndTab)
{
    DownloadBench bench("VX", PortType::Bluetooth);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"FNB"_s})).ready());
    const QString saved = bench.session.path(u"keys"_s);
    const DriveResult result = bench.connect(
        kUntilIdle
        + u"dump\nclick cmdClipboard\nclipboard\nfocus MSFlex\nkey Ctrl+C\nclipboard\n"
          "save "_s + saved + u"\nkey Ctrl+S\n"_s + kUntilIdle
        + u"focus cmdChart\nkey Return\nwait-ms 200\ndump\n"
          "focus cmdSort\nkey Tab\ndump\nfocus cmdExcel\nkey Tab\ndump\nkey F1\ndump\n"_s);
    ASSERT_EQ(result.dumps.size(), 5);
    const Dump& start = result.dumps[0];
    EXPECT_EQ(start.shortcut(u"mnuOpen"_s), u"Ctrl+O");
    EXPECT_EQ(start.shortcut(u"mnuSave"_s), u"Ctrl+S");
    EXPECT_EQ(start.shortcut(u"mnuPrint"_s), u"Ctrl+P");
    EXPECT_EQ(start.shortcut(u"keyCopy"_s), u"Ctrl+C");
    EXPECT_EQ(start.shortcut(u"mnuHelp1"_s), u"F1");
    // Ctrl+C on the table copies the report, as the Clipboard button does.
    ASSERT_EQ(result.clipboards.size(), 2);
    EXPECT_EQ(result.clipboards[1], result.clipboards[0]);
    EXPECT_TRUE(result.clipboards[0].startsWith(u"NFE-Speicher"_s));
    EXPECT_FALSE(DriveSession::readFile(saved + u".mes"_s).isEmpty()) << "Ctrl+S saved nothing";
    // Return presses the button with the focus: the chart comes.
    EXPECT_FALSE(result.dumps[1].chart(u"MSChart1"_s).isEmpty());
    // Tab goes on down the column.
    EXPECT_EQ(result.dumps[2].focus(), u"cmdFlexTabelleloeschen");
    EXPECT_EQ(result.dumps[3].focus(), u"cmdOpen");
    // F1: the manual (none installed in the test's folders).
    const QStringList texts = messageTexts(result.dumps[4]);
    ASSERT_EQ(texts.size(), 1);
    EXPECT_TRUE(texts[0].endsWith(u"DE_Manual_VELO-PROBA_TRANSFER.pdf wurde nicht gefunden"_s)) << texts[0].toStdString();
}

TEST(States, StatusBoxAndProgressDuringADownload)
{
    DownloadBench bench("RKS", PortType::Cable);
    ASSERT_TRUE(bench.startSlowRks().ready());
    const DriveResult result =
        bench.connect(u"wait-ms 800\ndump\n"_s + kUntilIdle + u"dump\nclick cmdAbs\ndump\n"_s);
    ASSERT_EQ(result.dumps.size(), 3);
    EXPECT_EQ(result.dumps[0].text(u"txtSpeicher"_s), u"LESEN");
    EXPECT_TRUE(result.dumps[0].visible(u"progressBar"_s));
    EXPECT_EQ(result.dumps[1].text(u"txtSpeicher"_s), u"BEREIT");
    EXPECT_EQ(result.dumps[1].tooltip(u"cmdWerte"_s), u"Grenzwerte");
    EXPECT_EQ(result.dumps[1].tooltip(u"ComboPort"_s), bench.link() + u": USB-Schnittstelle"_s);
    EXPECT_TRUE(result.dumps[1].text(u"cmdWerte"_s).startsWith(u">"_s));
    // The +/- button is pressed while absolute values are on.
    EXPECT_TRUE(result.dumps[1].checked(u"cmdAbs"_s));
    EXPECT_EQ(result.dumps[1].tooltip(u"cmdAbs"_s), u"Absolutwerte: ein");
    EXPECT_FALSE(result.dumps[2].checked(u"cmdAbs"_s));
    EXPECT_EQ(result.dumps[2].tooltip(u"cmdAbs"_s), u"Absolutwerte: aus");
}

} // namespace
