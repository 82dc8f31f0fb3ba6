// The rows of the table on show: their order and the operator's marks.

#include "session/ShownTable.h"

#include <gtest/gtest.h>

namespace kivo {
namespace {

std::vector<int> slotsOf(const ShownTable& t)
{
    std::vector<int> found;
    for (int row = 0; row < t.rows(); ++row) found.push_back(t.slotAt(row));
    return found;
}

TEST(ShownTable, AMarkBelongsToItsReadingAndMovesWithIt)
{
    ShownTable t;
    t.reset(4);
    t.append(5);
    EXPECT_EQ(slotsOf(t), (std::vector<int>{1, 2, 3, 4, 5}));
    t.toggleMark(1); // slot 2
    t.reorder({4, 3, 2, 1, 0});
    EXPECT_EQ(slotsOf(t), (std::vector<int>{5, 4, 3, 2, 1}));
    EXPECT_EQ(t.markedSlots(), (std::vector<int>{2}));
    // A second click takes the mark off and leaves the row plain.
    t.toggleMark(3);
    EXPECT_TRUE(t.markedSlots().empty());
    EXPECT_EQ(t.markOf(2), ShownTable::Mark::Cleared);
    t.toggleMark(0);
    t.toggleMark(4);
    EXPECT_EQ(t.markedSlots(), (std::vector<int>{5, 1})); // in the rows' order
    // An order of the wrong size or with a row that is not there changes nothing.
    t.reorder({0, 1});
    t.reorder({0, 1, 2, 3, 9});
    EXPECT_EQ(slotsOf(t), (std::vector<int>{5, 4, 3, 2, 1}));
    // Drawn anew: slot order, no marks; rows outside the table show no slot.
    t.reset(2);
    EXPECT_EQ(slotsOf(t), (std::vector<int>{1, 2}));
    EXPECT_EQ(t.markOf(1), ShownTable::Mark::None);
    EXPECT_EQ(t.slotAt(2), 0);
    EXPECT_EQ(t.slotAt(-1), 0);
    t.toggleMark(7);
    EXPECT_TRUE(t.markedSlots().empty());
}

TEST(ShownTable, ReadingCellsAsTheGridShowsThem)
{
    const Record r{QStringLiteral("01.02.2024"), QStringLiteral("10:00:01"), 12, 101.5, QStringLiteral("µm  "), QStringLiteral("Fe")};
    const auto german = readingCells(r, QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(german[0], QStringLiteral("10:00:01"));
    EXPECT_EQ(german[1], QStringLiteral("     12"));
    EXPECT_EQ(german[2], QStringLiteral("      101,5")); // right-aligned in 11
    EXPECT_EQ(german[3], QStringLiteral("µm    Fe"));
    EXPECT_EQ(readingCells(r, QLocale(QLocale::English, QLocale::UnitedStates))[2], QStringLiteral("      101.5"));
}

} // namespace
} // namespace kivo
