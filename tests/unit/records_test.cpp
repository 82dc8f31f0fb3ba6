// The record set of the three tables: clearing a table and where it ends.

#include "QtPrinters.h"
#include "table/MeasurementTables.h"
#include "table/Records.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace kivo;

namespace {

void fill(Records& records, int kind, int slot, int nr, double wert)
{
    records.at(kind, slot) = {"01.02.2024", "10:11:12", nr, wert, "µm  ", " Fe"};
}

TEST(Records, ClearRecordsKeepsTheMaterialAndOtherTables)
{
    Records records;
    for (int slot = 1; slot <= 3; ++slot) fill(records, kFE, slot, slot, 10.0 * slot);
    fill(records, kFE, kMaxReadings, 99, 1);
    fill(records, kNFE, 1, 7, 7);

    records.ClearRecords(kFE);

    for (int slot : {1, 2, 3, kMaxReadings}) {
        SCOPED_TRACE(slot);
        const Record& r = records.at(kFE, slot);
        EXPECT_EQ(QStringList({r.datum, r.zeit, r.einheit, r.material}), QStringList({" ", " ", " ", " Fe"}));
        EXPECT_EQ(r.nr, 0);
        EXPECT_EQ(r.wert, 0);
    }
    EXPECT_EQ(records.count(kFE), 0);
    EXPECT_EQ(records.count(kNFE), 1);
    EXPECT_EQ(records.at(kNFE, 1).nr, 7);
}

TEST(Records, TheFirstEmptySlotEndsATable)
{
    Records records;
    EXPECT_EQ(records.count(kOnline), 0);

    fill(records, kOnline, 1, 1, 12.3);
    fill(records, kOnline, 2, 0, 4.5);  // number 0 with a value is a reading
    fill(records, kOnline, 3, 3, 0);    // so is value 0 with a number
    fill(records, kOnline, 5, 5, 55.5); // beyond the gap: not part of the table
    EXPECT_EQ(records.count(kOnline), 3);

    fill(records, kOnline, 4, 4, -1);
    EXPECT_EQ(records.count(kOnline), 5);

    for (int slot = 1; slot <= kMaxReadings; ++slot) fill(records, kNFE, slot, slot % 30000, 1);
    EXPECT_EQ(records.count(kNFE), kMaxReadings);
}

TEST(Records, AnIndexPastTheTablesNeverWrites)
{
    Records records;
    for (int slot = 1; slot <= kMaxReadings; ++slot) fill(records, kOnline, slot, slot % 30000, 1);
    EXPECT_EQ(records.find(kOnline, kMaxReadings + 1), nullptr);
    EXPECT_EQ(records.find(kOnline, -1), nullptr);
    EXPECT_EQ(records.find(3, 1), nullptr);
    ASSERT_NE(records.find(kOnline, kMaxReadings), nullptr);

    fill(records, kOnline, kMaxReadings + 1, 9, 9); // lands in no table
    fill(records, kNFE, kMaxReadings + 4, 9, 9);
    EXPECT_EQ(records.at(kOnline, kMaxReadings + 1).nr, 0);
    EXPECT_EQ(records.count(kOnline), kMaxReadings);
    EXPECT_EQ(records.count(kNFE), 0);
}

// The tables without a window: where a reading goes, what keeps it, and a
// full online table.
TEST(MeasurementTables, ReadingsGoToTheirSlotAndTheOnlineNumber)
{
    MeasurementTables tables;
    const Reading r{7, 12.5, "µm  ", QStringLiteral("Fe")};
    auto taken = tables.take(kFE, r, "01.02.2024", "10:11:12");
    EXPECT_TRUE(taken.kept);
    EXPECT_EQ(taken.slot, 1);
    tables.advance(false);
    taken = tables.take(kFE, Reading{0, 0, "µm  ", std::nullopt}, "01.02.2024", "10:11:13");
    EXPECT_FALSE(taken.kept); // number and value 0 would end the table
    EXPECT_EQ(tables.count(kFE), 1);
    EXPECT_EQ(tables.record(kFE, 1).nr, 7);

    tables.setOnlineZaehler(kMaxReadings);
    taken = tables.take(kOnline, r, "01.02.2024", "10:11:14");
    ASSERT_TRUE(taken.kept);
    EXPECT_EQ(tables.record(kOnline, kMaxReadings).nr, kMaxReadings); // online readings take the running number
    tables.advance(true);
    EXPECT_TRUE(tables.onlineFull());
    taken = tables.take(kOnline, r, "01.02.2024", "10:11:15");
    EXPECT_TRUE(taken.full);
    EXPECT_FALSE(taken.kept);
}

} // namespace
