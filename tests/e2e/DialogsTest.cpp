// The limits dialog and the project data dialog as the operator uses them:
// each limits field checked as it is left, "Speichern" and "Löschen", the
// dialogs' captions in both languages, and the project fields.

#include "MeasurementText.h"

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

} // namespace
