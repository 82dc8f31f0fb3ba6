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
    EXPECT_FALSE(cut.notAReading);

    cut = splitOnlineRecords(QString(a + QStringLiteral("garbage\r\n") + b));
    EXPECT_EQ(cut.records, QStringList({a})); // nothing after the noise is taken
    EXPECT_TRUE(cut.notAReading);

    // 27 characters without a line end are a record of their own.
    cut = splitOnlineRecords(QString(27, u'1'));
    EXPECT_EQ(cut.records, QStringList({QString(27, u'1')}));
    EXPECT_TRUE(startsLikeAReading(u"") && startsLikeAReading(u" 1") && !startsLikeAReading(u"-1"));
}
