// The windows on a laptop screen and on a desktop at 125 % and 150 %: the
// main window opens whole, grows with its table and statistics, and at its
// smallest nothing overlaps and no text is cut; the other windows likewise.

#include "MeasurementText.h"

#include <QJsonArray>
#include <QMap>
#include <QRect>
#include <gtest/gtest.h>

using namespace kivo::e2e;
using namespace Qt::Literals::StringLiterals;

namespace {

struct Screen {
    const char* name;
    QSize available; // pixels, the task bar left out
    double scale;
};

void PrintTo(const Screen& s, std::ostream* os) { *os << s.name; }

QRect rectOf(const QJsonObject& control)
{
    const QJsonArray r = control.value(u"rect").toArray();
    return QRect(r[0].toInt(), r[1].toInt(), r[2].toInt(), r[3].toInt());
}

QSize pair(const QJsonObject& window, const char* key)
{
    const QJsonArray a = window.value(QLatin1String(key)).toArray();
    return QSize(a[0].toInt(), a[1].toInt());
}

// In every window on show: each control inside it, none partly over
// another (a frame holds its controls whole), every text whole.
void expectTidy(const Dump& d, const char* when)
{
    QMap<QString, QSize> sizes{{QString(), pair(d.json().value(u"window").toObject(), "size")}};
    const QJsonObject forms = d.json().value(u"windowSizes").toObject();
    for (auto it = forms.begin(); it != forms.end(); ++it) {
        const QJsonArray a = it.value().toArray();
        sizes.insert(it.key(), QSize(a[0].toInt(), a[1].toInt()));
    }
    QMap<QString, QList<std::pair<QString, QRect>>> shown; // by window
    const QJsonObject controls = d.json().value(u"controls").toObject();
    for (auto it = controls.begin(); it != controls.end(); ++it) {
        const QJsonObject c = it.value().toObject();
        if (!c.contains(u"rect")) continue;
        const std::string name = it.key().toStdString();
        EXPECT_TRUE(c.value(u"fits").toBool()) << when << ": the text of " << name << " is cut";
        const QString form = it.key().section(u'.', 0, 0, QString::SectionSkipEmpty);
        const QString window = it.key().contains(u'.') ? form : QString();
        const QRect r = rectOf(c);
        EXPECT_TRUE(QRect(QPoint(0, 0), sizes.value(window)).contains(r)) << when << ": " << name << " outside";
        shown[window].append({it.key(), r});
    }
    for (const auto& controlsOfWindow : shown)
        for (qsizetype i = 0; i < controlsOfWindow.size(); ++i)
            for (qsizetype j = i + 1; j < controlsOfWindow.size(); ++j) {
                const QRect& a = controlsOfWindow[i].second;
                const QRect& b = controlsOfWindow[j].second;
                if (!a.intersects(b) || a.contains(b) || b.contains(a)) continue;
                ADD_FAILURE() << when << ": " << controlsOfWindow[i].first.toStdString() << " and "
                              << controlsOfWindow[j].first.toStdString() << " overlap";
            }
}

class Layout : public testing::TestWithParam<Screen> {};

TEST_P(Layout, OpensWholeGrowsAndShrinksTidily)
{
    const Screen& screen = GetParam();
    DownloadBench bench("VX", PortType::Bluetooth);
    bench.session.setScreen(screen.available, screen.scale);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"FNB"_s})).ready());
    const QSize large(int(screen.available.width() / screen.scale) - 10, int(screen.available.height() / screen.scale) - 40);
    const DriveResult result = bench.connect(
        kUntilIdle + u"click cmdWerte\nclick cmdProjekt\nclick mnuInfo\nwait-ms 200\ndump\nresize 1 1\ndump\nresize %1 %2\ndump\n"
                         "close frmWerte\nclose frmProjekt\nclose frmInfo\nclick cmdChart\nclick cmdGross\ndump\nclose frmChartG\n"_s
                         .arg(large.width())
                         .arg(large.height()));
    ASSERT_EQ(result.dumps.size(), 4);
    EXPECT_EQ(result.dumps[0].windows(), QStringList({u"frmWerte"_s, u"frmProjekt"_s, u"frmInfo"_s}));

    // On the screen whole, with room for a title bar.
    const QJsonObject first = result.dumps[0].json().value(u"window").toObject();
    const QJsonArray frame = first.value(u"frame").toArray();
    const QJsonArray room = first.value(u"screen").toArray();
    EXPECT_LE(frame[2].toInt(), room[2].toInt());
    EXPECT_LE(frame[3].toInt() + 30, room[3].toInt());

    expectTidy(result.dumps[0], "as opened");
    expectTidy(result.dumps[1], "at its smallest");
    expectTidy(result.dumps[2], "made large");
    EXPECT_EQ(result.dumps[3].windows(), QStringList({u"frmChartG"_s}));
    expectTidy(result.dumps[3], "with the chart window");
    // Made larger, the table and the statistics grow with it.
    const QRect table = rectOf(result.dumps[1].control(u"MSFlex"_s));
    const QRect grownTable = rectOf(result.dumps[2].control(u"MSFlex"_s));
    EXPECT_GT(grownTable.height(), table.height());
    EXPECT_GT(grownTable.width(), table.width());
    EXPECT_GT(rectOf(result.dumps[2].control(u"lstStat"_s)).height(), rectOf(result.dumps[1].control(u"lstStat"_s)).height());
}

// An RK gauge shows "+/-" beside the chart's buttons; the mean of four
// digits and its unit stays whole at the window's smallest, in both
// languages.
TEST(LayoutOfTheMean, WholeAtTheSmallestSizeBesidePlusMinus)
{
    for (const bool english : {false, true}) {
        DownloadBench bench("RKM", PortType::Cable);
        bench.setLocale(english ? u"en_US"_s : u"de_DE"_s);
        const QString ident = bench.gaugeFile(u"ident.txt"_s, {"RK-MENO", "VD: 1.18", "M1:2"});
        const QString memory =
            bench.gaugeFile(u"memory1.txt"_s, {recordLine(1, "1510.1", "G"), recordLine(2, "-1510.1", "G")});
        ASSERT_TRUE(
            bench.startSim(simOptions({u"--model"_s, u"RKM"_s, u"--ident"_s, ident, u"--memory1"_s, memory})).ready());
        const QString language = english ? u"click English\n"_s : QString();
        const DriveResult result =
            bench.connect(kUntilIdle + language + u"click cmdChart\nresize 1 1\ndump\nresize 1400 900\ndump\n"_s);
        ASSERT_EQ(result.dumps.size(), 2);
        for (const Dump& d : result.dumps) {
            EXPECT_TRUE(d.visible(u"cmdAbs"_s));
            EXPECT_TRUE(d.text(u"txtMittelwert"_s).endsWith(english ? u"1510.1"_s : u"1510,1"_s))
                << d.text(u"txtMittelwert"_s).toStdString();
            EXPECT_TRUE(d.control(u"txtMittelwert"_s).value(u"fits").toBool())
                << (english ? "English" : "German") << ": the mean is cut";
        }
    }
}

// The info window's captions change as it opens: each is whole at once.
TEST(LayoutOfTheInfoWindow, CaptionsWholeAsItOpens)
{
    DownloadBench bench("RKS", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s})).ready());
    const DriveResult result =
        bench.connect(kUntilIdle + u"click mnuInfo\ndump\nkey Escape\nclick English\nclick mnuInfo\ndump\n"_s);
    ASSERT_EQ(result.dumps.size(), 2);
    for (const Dump& d : result.dumps)
        for (const char* label : {"lblGeraet", "lblGeraetSoft", "lblPCSoft", "lblMacAdr", "lblSondentyp", "lblSondenversion"})
            EXPECT_TRUE(d.control(u"frmInfo."_s + QLatin1String(label)).value(u"fits").toBool())
                << label << ": " << d.text(u"frmInfo."_s + QLatin1String(label)).toStdString();
}

INSTANTIATE_TEST_SUITE_P(, Layout,
                         testing::Values(Screen{"Laptop1366x768", {1366, 728}, 1.0},
                                         Screen{"Desktop125", {1920, 1040}, 1.25},
                                         Screen{"Desktop150", {1920, 1040}, 1.5}),
                         [](const testing::TestParamInfo<Screen>& info) { return std::string(info.param.name); });

} // namespace
