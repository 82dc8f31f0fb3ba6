// The limits dialog and the project data dialog as the operator uses them:
// each limits field checked as it is left, "Speichern" and "Löschen", the
// dialogs' captions in both languages, and the project fields.

#include "MeasurementText.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace kivo::e2e;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kZorma = u"ZORMA-PROBA RIDIVORI"_s;

// A ZORMA-PROBA with three readings of 5, 15 and 25 µm.
DownloadBench& connected(DownloadBench& bench, const QString& locale)
{
    bench.setLocale(locale);
    RawGauge& gauge = bench.startRawGauge();
    gauge.answer(kIdentify.toLatin1(), {"ZR-1 ZORMA-PROBA\r\nVD: 3.41\r\nM1:3\r\n\x04"});
    gauge.answer(kMemory1.toLatin1(), {"ZR-1 ZORMA-PROBA M1\r\n\x02\r\n" + recordLine(1, "5.0", "µm", "Fe") + "\r\n"
                                       + recordLine(2, "15.0", "µm", "Fe") + "\r\n" + recordLine(3, "25.0", "µm", "Fe")
                                       + "\r\n\x04"});
    EXPECT_TRUE(gauge.ready());
    return bench;
}

// Types `text` into a limits field and leaves it for `next`.
QString enter(const char* field, const QString& text, const char* next)
{
    return u"type frmWerte.%1 %2\nfocus frmWerte.%3\n"_s.arg(QString::fromLatin1(field), text, QString::fromLatin1(next));
}

QString limitIni(const DownloadBench& bench)
{
    return fromCp1252(DriveSession::readFile(bench.session.appDataPath(kBrand, kZorma) + u"/Limit.ini"_s));
}

TEST(LimitsDialog, FieldsAreCheckedAsTheyAreLeft)
{
    DownloadBench bench("ZR", PortType::Cable);
    connected(bench, u"de_DE"_s);
    const DriveResult result = bench.connect(
        kUntilIdle + u"click cmdWerte\n"_s + enter("txtMinLimit", u"-5"_s, "txtMaxLimit") + u"dump\n"_s
        + enter("txtMaxLimit", u"abc"_s, "txtSoll") + u"wait-ms 50\nclick frmWerte.cmdSpeichern\ndump\n"_s
        // an emptied limit is no limit; a target above the lower limit with
        // no upper one is no mistake
        + enter("txtMaxLimit", QString(), "txtSoll") + enter("txtSoll", u"15"_s, "txtMinLimit")
        + u"click frmWerte.cmdSpeichern\n"_s + kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 3);
    const Dump& negative = result.dumps[0];
    EXPECT_EQ(negative.text(u"frmWerte"_s), QString());
    EXPECT_EQ(negative.text(u"frmWerte.txtMinLimit"_s), u"5"_s);
    EXPECT_EQ(messageTexts(negative), QStringList({u"Nur positive Werte erlaubt"_s}));
    const Dump& notANumber = result.dumps[1];
    // The field keeps the focus: the click on "Speichern" that would leave it is void.
    EXPECT_EQ(messageTexts(notANumber),
              QStringList({u"Eingabe muss numerisch sein!"_s, u"Eingabe muss numerisch sein!"_s}));
    EXPECT_TRUE(notANumber.visible(u"frmWerte.cmdSpeichern"_s));

    const Dump& saved = result.dumps[2];
    EXPECT_TRUE(messageTexts(saved).isEmpty()) << messageTexts(saved).join(u'|').toStdString();
    EXPECT_EQ(limitIni(bench), u"5;0;15;\r\n"_s);
    EXPECT_EQ(saved.text(u"cmdWerte"_s), u">      5\r\n<      0\r\n=     15"_s);
    // Coloured against the lower limit alone: 5 is within, as are 15 and 25.
    for (const QStringList& row : saved.gridColours().mid(1)) EXPECT_EQ(row, QStringList(4, u"#9ee89b"_s));
}

TEST(LimitsDialog, WarningsInEnglishAndDeletingTheLimits)
{
    DownloadBench bench("ZR", PortType::Cable);
    connected(bench, u"en_US"_s);
    QString afterDeleting; // Limit.ini when the limits were deleted and saved
    const DriveResult result = bench.connect(
        kUntilIdle + u"click English\nclick cmdWerte\ndump\n"_s + enter("txtMinLimit", u"20"_s, "txtMaxLimit")
        + enter("txtMaxLimit", u"10"_s, "txtSoll") + enter("txtSoll", u"30"_s, "txtMinLimit")
        + u"click frmWerte.cmdSpeichern\n"_s + kUntilIdle + u"dump\n"_s
        // "Delete", then "Save": no limits left anywhere
        + u"click cmdWerte\nclick frmWerte.cmdLoeschen\nclick frmWerte.cmdSpeichern\n"_s + kUntilIdle
        + u"dump\nclick cmdClipboard\nclipboard\n"_s
        // "Delete" and a new upper limit: the report's lower limit is 0, not the old 20
        + u"click cmdWerte\nclick frmWerte.cmdLoeschen\n"_s + enter("txtMaxLimit", u"30"_s, "txtSoll")
        + u"click frmWerte.cmdSpeichern\n"_s + kUntilIdle + u"click cmdClipboard\nclipboard\n"_s,
        [&](int index) {
            if (index == 2) afterDeleting = limitIni(bench);
        });
    ASSERT_EQ(result.dumps.size(), 3);
    const Dump& opened = result.dumps[0];
    EXPECT_EQ(opened.text(u"frmWerte.cmdSpeichern"_s), u"Save"_s);
    EXPECT_EQ(opened.text(u"frmWerte.cmdLoeschen"_s), u"Delete"_s);
    EXPECT_EQ(opened.text(u"frmWerte.lblSoll"_s), u"Target value"_s);
    EXPECT_EQ(opened.text(u"frmWerte.txtMinLimit"_s), u"0"_s);
    // Each field left compares again: the upper limit, the target, and the
    // lower limit left for "Save".
    const QString higher = u"Minimum higher than maximum!"_s;
    const QString target = u"Target value should be within Minimum and Maximum!"_s;
    EXPECT_EQ(messageTexts(result.dumps[1]), QStringList({higher, higher, target, higher, target}));
    EXPECT_EQ(afterDeleting, u"0;0;0;\r\n"_s);
    for (const QStringList& row : result.dumps[2].gridColours().mid(1)) EXPECT_EQ(row, QStringList(4, u"#ffffff"_s));
    ASSERT_EQ(result.clipboards.size(), 2);
    EXPECT_FALSE(result.clipboards[0].contains(u"Limit"_s)) << result.clipboards[0].toStdString();
    const QStringList lower = result.clipboards[1].split(u"\r\n"_s).filter(u"Min Limit"_s);
    ASSERT_EQ(lower.size(), 1) << result.clipboards[1].toStdString();
    EXPECT_FALSE(lower[0].contains(u"20"_s)) << lower[0].toStdString();
    EXPECT_EQ(limitIni(bench), u"0;30;0;\r\n"_s);
}

// Closed without "Speichern" (Escape or its close button), the window
// leaves the limits as they were: the caption, the colours, the chart, the
// report and Limit.ini all keep the saved ones.
TEST(LimitsDialog, ClosedWithoutSavingChangesNothing)
{
    DownloadBench bench("ZR", PortType::Cable);
    connected(bench, u"de_DE"_s);
    const DriveResult result = bench.connect(
        kUntilIdle + u"click cmdWerte\n"_s + enter("txtMinLimit", u"10"_s, "txtMaxLimit")
        + u"click frmWerte.cmdSpeichern\n"_s + kUntilIdle
        // "Löschen", then Escape
        + u"click cmdWerte\nclick frmWerte.cmdLoeschen\nkey Escape\n"_s
        + u"click cmdProjekt\nclose frmProjekt\n"_s + kUntilIdle + u"dump\nclick cmdClipboard\nclipboard\n"_s
        // a value typed, then the window closed
        + u"click cmdWerte\n"_s + enter("txtMinLimit", u"50"_s, "txtMaxLimit") + u"close frmWerte\n"_s
        + u"click cmdProjekt\nclose frmProjekt\n"_s + kUntilIdle + u"dump\nclick cmdWerte\ndump\n"_s);
    ASSERT_EQ(result.dumps.size(), 3);
    EXPECT_FALSE(result.dumps[0].windows().contains(u"frmWerte"_s)) << "Escape closes it";
    for (const Dump& d : result.dumps) {
        EXPECT_EQ(d.text(u"cmdWerte"_s), u">     10\r\n<      0\r\n=      0"_s);
        // 5 is below the lower limit of 10, 15 and 25 above it.
        EXPECT_EQ(d.gridColours().value(1).value(0), d.gridColours().value(1).value(3));
        EXPECT_NE(d.gridColours().value(1), d.gridColours().value(2));
    }
    EXPECT_EQ(result.dumps[2].text(u"frmWerte.txtMinLimit"_s), u"10"_s);
    ASSERT_EQ(result.clipboards.size(), 1);
    EXPECT_EQ(result.clipboards[0].split(u"\r\n"_s).filter(u"Min Limit"_s).size(), 1) << result.clipboards[0].toStdString();
    EXPECT_EQ(limitIni(bench), u"10;0;0;\r\n"_s);
}

// The locale's number reader knows "nan" and "inf": neither is a limit,
// nor is a number past the largest double. Each is refused as any other
// text that is no number, and only numbers reach Limit.ini.
struct NoNumberCase {
    const char* name;
    QString locale;
    bool english;
    QString message;
    QString limitIni;
};

void PrintTo(const NoNumberCase& c, std::ostream* os) { *os << c.name; }

class LimitsNoNumber : public testing::TestWithParam<NoNumberCase> {};

TEST_P(LimitsNoNumber, NanInfAndOverflowAreRefused)
{
    const NoNumberCase& c = GetParam();
    DownloadBench bench("ZR", PortType::Cable);
    connected(bench, c.locale);
    const QStringList bad = {u"nan"_s, u"NaN"_s, u"inf"_s, u"-inf"_s, u"1e999"_s};
    QString script = kUntilIdle + (c.english ? u"click English\nwait-ms 300\n"_s : QString()) + u"click cmdWerte\n"_s
                     + enter("txtMinLimit", u"10"_s, "txtMaxLimit");
    for (const QString& text : bad) script += enter("txtMaxLimit", text, "txtSoll") + u"wait-ms 50\ndump\n"_s;
    script += enter("txtMaxLimit", u"50,5"_s.replace(u',', c.english ? u'.' : u','), "txtSoll")
              + enter("txtSoll", u"inf"_s, "txtMinLimit") + u"wait-ms 50\n"_s + enter("txtSoll", u""_s, "txtMinLimit")
              + u"click frmWerte.cmdSpeichern\n"_s + kUntilIdle + u"dump\nclick cmdClipboard\nclipboard\n"_s;
    const DriveResult result = bench.connect(script);
    ASSERT_EQ(result.dumps.size(), bad.size() + 1);
    for (int i = 0; i < bad.size(); ++i) {
        SCOPED_TRACE(bad[i].toStdString());
        EXPECT_EQ(messageTexts(result.dumps[i]), QStringList({c.message}));
        // The field keeps the focus and its text for the operator to mend.
        EXPECT_EQ(result.dumps[i].focus(), u"frmWerte.txtMaxLimit"_s);
        EXPECT_EQ(result.dumps[i].text(u"frmWerte.txtMaxLimit"_s), bad[i]);
    }
    const Dump& saved = result.dumps.last();
    EXPECT_EQ(messageTexts(saved), QStringList({c.message})) << "the target \"inf\"";
    EXPECT_EQ(limitIni(bench), c.limitIni);
    EXPECT_FALSE(saved.text(u"cmdWerte"_s).contains(u"n"_s)) << saved.text(u"cmdWerte"_s).toStdString();
    ASSERT_EQ(result.clipboards.size(), 1);
    EXPECT_FALSE(result.clipboards[0].contains(u"nan"_s, Qt::CaseInsensitive));
    EXPECT_FALSE(result.clipboards[0].contains(u"inf"_s, Qt::CaseInsensitive));
}

INSTANTIATE_TEST_SUITE_P(
    , LimitsNoNumber,
    testing::Values(NoNumberCase{"German", u"de_DE"_s, false, u"Eingabe muss numerisch sein!"_s, u"10;50,5;0;\r\n"_s},
                    NoNumberCase{"English", u"en_US"_s, true, u"Numeric field required!"_s, u"10;50.5;0;\r\n"_s}),
    [](const testing::TestParamInfo<NoNumberCase>& info) { return std::string(info.param.name); });

// A Limit.ini past the bound is refused whole: a part of it would give
// limits from a line cut in two.
TEST(LimitsFile, PastTheBoundIsRefusedWhole)
{
    DownloadBench bench("ZR", PortType::Cable);
    QByteArray huge;
    for (int i = 0; i < 300000; ++i) huge += "10;20;0;\r\n";
    huge += "1;2;3;\r\n";
    bench.settingsFile(kZorma, u"Limit.ini"_s, huge);
    connected(bench, u"de_DE"_s);
    const DriveResult result = bench.connect(kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    const QStringList messages = messageTexts(result.dumps[0]);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(u"Probleme beim Lesen Datei Limit.ini: "_s)) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].endsWith(u"Limit.ini ist zu groß"_s)) << messages[0].toStdString();
    // What the program had stays: no limits.
    EXPECT_EQ(result.dumps[0].text(u"cmdWerte"_s), u">      0\r\n<      0\r\n=      0"_s);
    for (const QStringList& row : result.dumps[0].gridColours().mid(1)) EXPECT_EQ(row, QStringList(4, u"#ffffff"_s));
    EXPECT_EQ(DriveSession::readFile(bench.session.appDataPath(kBrand, kZorma) + u"/Limit.ini"_s), huge);
}

TEST(ProjectDialog, FirstStartDeleteAndALongText)
{
    DownloadBench bench("ZR", PortType::Cable);
    connected(bench, u"de_DE"_s);
    const QString longText = u"Kunde mit einem sehr langen Namen"_s; // 33 characters
    const DriveResult result = bench.connect(
        kUntilIdle + u"click cmdProjekt\ndump\nclick frmProjekt.cmdLoeschen\ndump\nclick cmdProjekt\ndump\n"_s
        + u"type frmProjekt.txtFelder(1) "_s + longText + u"\nclick frmProjekt.cmdSpeichern\ndump\n"_s);
    ASSERT_EQ(result.dumps.size(), 4);
    const QString today = QDate::currentDate().toString(u"dd.MM.yyyy"_s);
    const Dump& first = result.dumps[0];
    EXPECT_EQ(first.text(u"frmProjekt.DTPDate"_s), today);
    EXPECT_NE(first.text(u"frmProjekt.DTPTime"_s), u"00:00"_s);
    EXPECT_EQ(first.text(u"frmProjekt.cmdSpeichern"_s), u"Speichern"_s);
    EXPECT_EQ(first.text(u"frmProjekt.lblDtp"_s), u"Datum/Uhrzeit"_s);
    EXPECT_EQ(result.dumps[1].text(u"frmProjekt.DTPTime"_s), u"00:00"_s);
    // Reopened: nothing was saved, and 00:00 became the current time.
    const Dump& reopened = result.dumps[2];
    EXPECT_EQ(reopened.text(u"frmProjekt.txtFelder(1)"_s), QString());
    EXPECT_NE(reopened.text(u"frmProjekt.DTPTime"_s), u"00:00"_s);
    // What is typed is what is saved and what comes back: 30 characters.
    const Dump& saved = result.dumps[3];
    EXPECT_EQ(saved.text(u"frmProjekt.txtFelder(1)"_s), longText.left(30));
    EXPECT_FALSE(saved.visible(u"frmProjekt"_s));
    const QStringList lines =
        DriveSession::lines(DriveSession::readFile(bench.session.appDataPath(kBrand, kZorma) + u"/Projektdaten.ini"_s));
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], longText.left(30));
    EXPECT_TRUE(lines[6].startsWith(u"DT "_s + today + u";"_s));
}

QString projektdaten(const DownloadBench& bench)
{
    return fromCp1252(DriveSession::readFile(bench.session.appDataPath(kBrand, kZorma) + u"/Projektdaten.ini"_s));
}

// A field that starts with "DT" and a date is a field: it comes back as
// typed, with no message, and the report keeps the dialog's date.
// Text typed and not saved does not outlive the window: closed with Escape
// or its close button, the fields hold what is saved, and no report prints
// the rest.
TEST(ProjectDialog, TextNotSavedIsGoneWhenTheWindowCloses)
{
    DownloadBench bench("ZR", PortType::Cable);
    connected(bench, u"de_DE"_s);
    bench.settingsFile(kZorma, u"Projektdaten.ini"_s, "Kunde A\r\n\r\n\r\n\r\n\r\n\r\nDT 01.02.2024;10:00\r\n");
    const DriveResult result = bench.connect(
        kUntilIdle + u"click cmdProjekt\ntype frmProjekt.txtFelder(3) Ungespeichert\nkey Escape\n"_s
        + u"click cmdClipboard\nclipboard\nclick cmdProjekt\ndump\n"_s
        + u"click frmProjekt.cmdLoeschen\nclose frmProjekt\nclick cmdClipboard\nclipboard\nclick cmdProjekt\ndump\n"_s);
    ASSERT_EQ(result.dumps.size(), 2);
    ASSERT_EQ(result.clipboards.size(), 2);
    for (const QString& report : result.clipboards) {
        EXPECT_FALSE(report.contains(u"Ungespeichert"_s)) << report.toStdString();
        EXPECT_TRUE(report.contains(u"Kunde A"_s)) << report.toStdString();
    }
    for (const Dump& d : result.dumps) {
        EXPECT_EQ(d.text(u"frmProjekt.txtFelder(1)"_s), u"Kunde A"_s);
        EXPECT_EQ(d.text(u"frmProjekt.txtFelder(3)"_s), QString());
    }
}

TEST(ProjectDialog, OddTextsComeBackAsTyped)
{
    DownloadBench bench("ZR", PortType::Cable);
    connected(bench, u"de_DE"_s);
    const QStringList texts = {u"DT 05.05.2024 Los 7"_s, u"\"Los 7\";a;b;"_s, u"DT 06.06.2024;12:00"_s,
                               u"Schicht µm Ärger"_s, u"5 € „Zitat“"_s, u"DT"_s};
    QString script = kUntilIdle + u"click cmdProjekt\n"_s;
    for (int i = 0; i < texts.size(); ++i) script += u"type frmProjekt.txtFelder(%1) %2\n"_s.arg(i + 1).arg(texts[i]);
    script += u"type frmProjekt.DTPDate 09.03.2026\nclick frmProjekt.cmdSpeichern\nclick cmdProjekt\ndump\n"_s
              u"click cmdClipboard\nclipboard\ndump\n"_s;
    const DriveResult result = bench.connect(script);
    ASSERT_EQ(result.dumps.size(), 2);
    for (const Dump& d : result.dumps) EXPECT_TRUE(messageTexts(d).isEmpty()) << messageTexts(d).join(u'|').toStdString();
    const Dump& reopened = result.dumps[0];
    for (int i = 0; i < texts.size(); ++i)
        EXPECT_EQ(reopened.text(u"frmProjekt.txtFelder(%1)"_s.arg(i + 1)), texts[i]);
    EXPECT_EQ(reopened.text(u"frmProjekt.DTPDate"_s), u"09.03.2026"_s);
    // One byte a character in the file: "€", "„" and "“" at 0x80, 0x84, 0x93.
    const QByteArray file =
        DriveSession::readFile(bench.session.appDataPath(kBrand, kZorma) + u"/Projektdaten.ini"_s);
    EXPECT_EQ(file.split('\n').mid(0, 6),
              QList<QByteArray>({"DT 05.05.2024 Los 7\r", "\"Los 7\";a;b;\r", "DT 06.06.2024;12:00\r",
                                 "Schicht \xB5m \xC4rger\r", "5 \x80 \x84Zitat\x93\r", "DT\r"}));

    ASSERT_EQ(result.clipboards.size(), 1);
    const QStringList report = result.clipboards[0].split(u"\r\n"_s);
    const QStringList head = report.filter(QRegularExpression(u"^#  "_s));
    ASSERT_EQ(head.size(), 7) << result.clipboards[0].toStdString();
    EXPECT_TRUE(head[0].startsWith(u"#  09.03.26 "_s)) << head[0].toStdString();
    EXPECT_TRUE(head[1].endsWith(u" DT 05.05.2024 Los 7"_s)) << head[1].toStdString();
}

// Text the file's code page cannot hold is never saved as "?": the field
// says so, and saving is refused with the file left as it was.
TEST(ProjectDialog, TextTheFileCannotHoldIsRefused)
{
    DownloadBench bench("ZR", PortType::Cable);
    connected(bench, u"de_DE"_s);
    const DriveResult result = bench.connect(
        kUntilIdle + u"click cmdProjekt\ndump\ntype frmProjekt.txtFelder(1) Kunde\nclick frmProjekt.cmdSpeichern\n"_s
        + u"click cmdProjekt\ntype frmProjekt.txtFelder(2) Łódź\ndump\nclick frmProjekt.cmdSpeichern\ndump\n"_s
        + u"click English\nwait-ms 300\nclick cmdProjekt\ntype frmProjekt.txtFelder(2) 東京\ndump\n"_s);
    ASSERT_EQ(result.dumps.size(), 4);
    EXPECT_FALSE(result.dumps[0].visible(u"frmProjekt.lblHinweis"_s));
    EXPECT_FALSE(result.dumps[0].tooltip(u"frmProjekt.txtFelder(1)"_s).isEmpty());

    const Dump& typed = result.dumps[1];
    EXPECT_TRUE(typed.visible(u"frmProjekt.lblHinweis"_s));
    EXPECT_TRUE(typed.text(u"frmProjekt.lblHinweis"_s).startsWith(u"„Ł“ kann nicht gespeichert werden"_s))
        << typed.text(u"frmProjekt.lblHinweis"_s).toStdString();
    const QStringList refused = messageTexts(result.dumps[2]);
    ASSERT_EQ(refused.size(), 1);
    EXPECT_EQ(refused[0],
              u"Probleme beim Schreiben Datei Projektdaten.ini: Zeile 2: \"Ł\" lässt sich in der Datei nicht speichern"_s);
    EXPECT_EQ(projektdaten(bench).split(u"\r\n"_s).mid(0, 2), QStringList({u"Kunde"_s, u""_s}));
    EXPECT_FALSE(projektdaten(bench).contains(u'?'));

    const Dump& english = result.dumps[3];
    EXPECT_TRUE(english.text(u"frmProjekt.lblHinweis"_s).startsWith(u"“東” cannot be saved"_s))
        << english.text(u"frmProjekt.lblHinweis"_s).toStdString();
}

} // namespace
