// Online records that arrive together are cut apart whole; a record's
// start waits for its rest; text that is no reading is dropped.

#include "QtPrinters.h"
#include "device/OnlineFraming.h"

#include <gtest/gtest.h>

using namespace kivo;

TEST(OnlineFraming, RecordsTogetherPartialAndNoise)
{
    const QString a = QStringLiteral("   1        48.2 µm    Fe\r\n");
    const QString b = QStringLiteral("   2        51.7 µm    Fe\r\n");
    OnlineRecords cut = splitOnlineRecords(QString(a + b + QStringLiteral("   3  ")));
    EXPECT_EQ(cut.records, QStringList({a, b}));
    EXPECT_EQ(cut.rest, u"   3  ");
    EXPECT_TRUE(cut.dropped.isEmpty());

    // Text that is no reading is dropped to its line end; the records around it count.
    cut = splitOnlineRecords(QString(a + QStringLiteral("garbage that is longer than a record\r\n") + b));
    EXPECT_EQ(cut.records, QStringList({a, b}));
    EXPECT_EQ(cut.dropped, QStringList({QStringLiteral("garbage that is longer than a record\r\n")}));
    // A damaged first byte waits for its record's end, so its remains never pass for a reading.
    QString damagedStart = b;
    damagedStart[0] = u'x';
    cut = splitOnlineRecords(damagedStart.left(10));
    EXPECT_EQ(cut.rest, damagedStart.left(10));
    cut = splitOnlineRecords(QString(damagedStart + a));
    EXPECT_EQ(cut.records, QStringList({a}));

    // 27 characters without a line end are a record of their own.
    cut = splitOnlineRecords(QString(27, u'1'));
    EXPECT_EQ(cut.records, QStringList({QString(27, u'1')}));
    // A record whose CR or LF was damaged does not swallow the next one.
    QString damagedCr = a;
    damagedCr[25] = u'x';
    QString damagedLf = a;
    damagedLf[26] = u'x';
    cut = splitOnlineRecords(QString(damagedCr + b + damagedLf + b));
    EXPECT_EQ(cut.records, QStringList({damagedCr, b, damagedLf, b}));
    EXPECT_TRUE(startsLikeAReading(u"") && startsLikeAReading(u" 1") && !startsLikeAReading(u"-1"));
}
