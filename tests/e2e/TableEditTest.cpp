// Editing the table on show: deleting a marked reading (each other reading
// keeps all it had), two marks, the last reading, Sort, and deleting the
// online table before the next online reading.

#include "MeasurementText.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace kivo::e2e;
using namespace Qt::Literals::StringLiterals;

namespace {

struct Reading {
    int number;
    const char* value;   // as the gauge sends it
    const char* material;
    QString shown;       // the value cell's text in de_DE, trimmed
};

const QList<Reading> kFive = {{1, "120.4", "Fe", u"120,4"_s},
                              {2, "88.5", "NFe", u"88,5"_s},
                              {3, "101.3", "Fe", u"101,3"_s},
                              {4, "99.9", "NFe", u"99,9"_s},
                              {5, "110.0", "Fe", u"110,0"_s}};

// A ZORMA-PROBA (materials in the records) holding `readings` in memory 1.
RawGauge& startGauge(DownloadBench& bench, const QList<Reading>& readings)
{
    RawGauge& gauge = bench.startRawGauge();
    gauge.answer(kIdentify.toLatin1(),
                 {"ZR-1 ZORMA-PROBA\r\nVD: 3.41\r\nM1:" + QByteArray::number(readings.size()) + "\r\n\x04"});
    QByteArray dump = "ZR-1 ZORMA-PROBA M1\r\n\x02\r\n";
    for (const Reading& r : readings) dump += recordLine(r.number, r.value, "µm", r.material) + "\r\n";
    gauge.answer(kMemory1.toLatin1(), {dump + '\x04'});
    return gauge;
}

// Number, value and unit cell of each row: what an edit must keep right.
QList<QStringList> cells(const Dump& d)
{
    QList<QStringList> rows;
    for (const QStringList& row : d.gridRows().mid(1)) rows << QStringList{row[1].trimmed(), row[2].trimmed(), row[3]};
    return rows;
}

QString withoutClock(QString report) { return report.remove(QRegularExpression(u"\\d\\d:\\d\\d:\\d\\d"_s)); }

TEST(TableEdit, DeletingAReadingLeavesTheOthersAsTheyWere)
{
    DownloadBench bench("ZR", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    ASSERT_TRUE(startGauge(bench, kFive).ready());
    const DriveResult result = bench.connect(kUntilIdle + u"click-row MSFlex 3\nanswer OK\nclick cmdFlexZeileLoeschen\n"_s
                                             + kUntilIdle + u"dump\nclick cmdClipboard\nclipboard\n"_s);
    ASSERT_EQ(result.dumps.size(), 1);
    const Dump& d = result.dumps[0];
    EXPECT_EQ(cells(d), QList<QStringList>({{u"1"_s, u"120,4"_s, u"µm    Fe"_s},
                                            {u"2"_s, u"88,5"_s, u"µm   NFe"_s},
                                            {u"3"_s, u"99,9"_s, u"µm   NFe"_s},
                                            {u"4"_s, u"110,0"_s, u"µm    Fe"_s}}));
    EXPECT_EQ(d.text(u"optFE"_s), u"Speicher1 (4)"_s);
    EXPECT_EQ(messageTexts(d), QStringList({u"Wollen Sie die markierte Zeile wirklich löschen?"_s}));

    // The same as a table that never held the deleted reading: statistics
    // and the report, which reads the readings themselves.
    DownloadBench fresh("ZR", PortType::Cable);
    fresh.setLocale(u"de_DE"_s);
    ASSERT_TRUE(startGauge(fresh, {{1, "120.4", "Fe", {}}, {2, "88.5", "NFe", {}}, {3, "99.9", "NFe", {}},
                                   {4, "110.0", "Fe", {}}})
                    .ready());
    const DriveResult expected = fresh.connect(kUntilIdle + u"dump\nclick cmdClipboard\nclipboard\n"_s);
    ASSERT_EQ(expected.dumps.size(), 1);
    EXPECT_EQ(d.list(u"lstStat"_s), expected.dumps[0].list(u"lstStat"_s));
    ASSERT_EQ(result.clipboards.size(), 1);
    ASSERT_EQ(expected.clipboards.size(), 1);
    EXPECT_EQ(withoutClock(result.clipboards[0]), withoutClock(expected.clipboards[0]));
}

TEST(TableEdit, TwoMarksTheLastReadingAndSort)
{
    DownloadBench bench("ZR", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    ASSERT_TRUE(startGauge(bench, kFive).ready());
    const DriveResult result = bench.connect(
        kUntilIdle
        // two marks: said, and the marks are gone
        + u"click-row MSFlex 1\nclick-row MSFlex 2\nclick cmdFlexZeileLoeschen\n"_s + kUntilIdle + u"dump\n"_s
        // Sort twice: descending, then ascending again
        + u"click cmdSort\ndump\nclick cmdSort\ndump\n"_s
        // Sort, then delete the row showing number 5: ascending again
        + u"click cmdSort\nclick-row MSFlex 1\nanswer OK\nclick cmdFlexZeileLoeschen\n"_s + kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 4);
    const Dump& twoMarks = result.dumps[0];
    EXPECT_EQ(messageTexts(twoMarks), QStringList({u"Bitte nur eine Zeile auswählen"_s}));
    for (const QStringList& row : twoMarks.gridColours().mid(1)) EXPECT_EQ(row, QStringList(4, u"#ffffff"_s));

    auto numbers = [](const Dump& d) {
        QStringList n;
        for (const QStringList& row : cells(d)) n << row[0];
        return n.join(u',');
    };
    EXPECT_EQ(numbers(result.dumps[1]), u"5,4,3,2,1"_s);
    EXPECT_EQ(cells(result.dumps[1])[0], QStringList({u"5"_s, u"110,0"_s, u"µm    Fe"_s})); // rows move whole
    EXPECT_EQ(numbers(result.dumps[2]), u"1,2,3,4,5"_s);
    EXPECT_EQ(cells(result.dumps[3]), QList<QStringList>({{u"1"_s, u"120,4"_s, u"µm    Fe"_s},
                                                          {u"2"_s, u"88,5"_s, u"µm   NFe"_s},
                                                          {u"3"_s, u"101,3"_s, u"µm    Fe"_s},
                                                          {u"4"_s, u"99,9"_s, u"µm   NFe"_s}}));
}

TEST(TableEdit, TheLastReadingGoesOnlyWithTheTable)
{
    DownloadBench bench("ZR", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    ASSERT_TRUE(startGauge(bench, kFive.mid(0, 1)).ready());
    const DriveResult result = bench.connect(kUntilIdle + u"click-row MSFlex 1\nanswer OK\nclick cmdFlexZeileLoeschen\n"_s
                                             + kUntilIdle + u"dump\nanswer Yes\nclick cmdFlexTabelleloeschen\n"_s
                                             + kUntilIdle + u"dump\n"_s);
    ASSERT_EQ(result.dumps.size(), 2);
    EXPECT_EQ(messageTexts(result.dumps[0]), QStringList({u"Wollen Sie die markierte Zeile wirklich löschen?"_s,
                                                          u"Bitte Tabelle löschen"_s}));
    EXPECT_EQ(cells(result.dumps[0]).size(), 1);
    const Dump& deleted = result.dumps[1];
    EXPECT_EQ(messageTexts(deleted), QStringList({u"Wollen Sie die Tabelle wirklich löschen?"_s}));
    EXPECT_EQ(deleted.gridRows().size(), 1);
    EXPECT_EQ(deleted.text(u"optFE"_s), u"Speicher1 (0)"_s);
    EXPECT_TRUE(deleted.visible(u"picKivo"_s));
    EXPECT_FALSE(deleted.visible(u"cmdChart"_s));
}

// Two online readings of a ZORMA-PROBA, "Tabelle löschen" answered with
// `answer`, then one reading `next`: the table before the question's answer
// was known, after it, and after the next reading.
DriveResult deleteOnlineTable(const QString& answer, const QByteArray& next)
{
    DownloadBench bench("ZR", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    RawGauge& gauge = startGauge(bench, kFive.mid(0, 1));
    EXPECT_TRUE(gauge.ready());
    const QByteArray first = recordLine(1, "50.0", "µm", "Fe") + "\r\n" + recordLine(2, "60.0", "µm", "Fe") + "\r\n";
    return bench.connect(kUntilIdle + u"click optOnline\n"_s + kUntilIdle + u"dump\nwait-ms 600\nanswer "_s + answer
                             + u"\nclick cmdFlexTabelleloeschen\n"_s + kUntilIdle + u"dump\nwait-ms 600\ndump\n"_s,
                         [&](int index) {
                             if (index == 0) gauge.feed(first);
                             if (index == 1) gauge.feed(next + "\r\n");
                         });
}

TEST(TableEdit, AfterDeletingTheOnlineTableTheNextReadingIsRowOne)
{
    const DriveResult result = deleteOnlineTable(u"Yes"_s, recordLine(9, "70.0", "µm", "NFe"));
    ASSERT_EQ(result.dumps.size(), 3);
    EXPECT_EQ(result.dumps[1].gridRows().size(), 1);
    EXPECT_EQ(cells(result.dumps[2]), QList<QStringList>({{u"1"_s, u"70,0"_s, u"µm   NFe"_s}}));
    EXPECT_EQ(result.dumps[2].text(u"optOnline"_s), u"Online (1)"_s);
}

TEST(TableEdit, DeletingTheTableAnsweredNoKeepsItsUnit)
{
    const DriveResult result = deleteOnlineTable(u"No"_s, recordLine(9, "70.0", "G", "NFe"));
    ASSERT_EQ(result.dumps.size(), 3);
    EXPECT_EQ(result.dumps[1].gridRows().size(), 3); // nothing deleted
    // A reading of another unit still makes the statistics impossible.
    EXPECT_EQ(result.dumps[2].gridRows().size(), 4);
    const QString statistics = result.dumps[2].list(u"lstStat"_s).join(u'|');
    EXPECT_TRUE(statistics.contains(u"Statistik nicht möglich"_s)) << statistics.toStdString();
}

} // namespace
