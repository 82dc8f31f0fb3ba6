// The rules of editing a table: what a deletion leaves, the order Sort
// gives, and the limits dialog's field rules (German and English numbers).

#include "QtPrinters.h"
#include "table/TableEdits.h"
#include "texts/Texte.h"

#include <gtest/gtest.h>

using namespace kivo;

namespace {

Record reading(int nr, double wert, const char* material, const char* zeit)
{
    return {"01.02.2024", zeit, nr, wert, "µm  ", material};
}

TEST(TableEdits, ADeletionKeepsEveryOtherReadingWholeAndRenumbers)
{
    // Slot order is not number order after an online session or a load.
    const std::vector<Record> readings = {reading(7, 120.04, "Fe", "10:00:01"), reading(3, 88.46, "NFe", "10:00:02"),
                                          reading(9, 101.25, "Fe", "10:00:03"), reading(5, 99.99, "NFe", "10:00:04")};
    const std::vector<Record> left = afterDeleting(readings, 2); // the reading numbered 9
    ASSERT_EQ(left.size(), 3u);
    // Ascending by the old numbers, then numbered 1..n; value, material and
    // time go with their reading, unrounded.
    EXPECT_EQ(left[0].nr, 1);
    EXPECT_EQ(left[0].wert, 88.46);
    EXPECT_EQ(left[0].material, u"NFe");
    EXPECT_EQ(left[0].zeit, u"10:00:02");
    EXPECT_EQ(left[1].wert, 99.99);
    EXPECT_EQ(left[1].material, u"NFe");
    EXPECT_EQ(left[2].nr, 3);
    EXPECT_EQ(left[2].wert, 120.04);
    EXPECT_EQ(left[2].material, u"Fe");
}

TEST(TableEdits, SortTogglesByTheFirstTwoNumbers)
{
    EXPECT_TRUE(sortAscending(5, 4));  // descending now: ascending next
    EXPECT_FALSE(sortAscending(4, 5)); // ascending now: descending next
    EXPECT_FALSE(sortAscending(0, 4)); // a first number of 0 sorts descending
    EXPECT_EQ(sortedOrder({3, 10, 2, 10}, false), (std::vector<size_t>{1, 3, 0, 2}));
    EXPECT_EQ(sortedOrder({3, 10, 2}, true), (std::vector<size_t>{2, 0, 1}));
}

TEST(TableEdits, LimitFieldsAreCheckedAsTheyAreLeft)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    const QLocale english(QLocale::English, QLocale::UnitedStates);

    EXPECT_EQ(readLimitEntry("", false, german).outcome, LimitEntry::Empty);
    EXPECT_EQ(readLimitEntry("", false, german).text, u"");
    EXPECT_EQ(readLimitEntry(" ", true, german).text, u"0"); // an empty target reads 0

    EXPECT_EQ(readLimitEntry("abc", false, german).outcome, LimitEntry::NotNumeric);
    EXPECT_EQ(readLimitEntry("12,5", false, english).outcome, LimitEntry::NotNumeric);

    const LimitEntry negative = readLimitEntry("-5", false, english);
    EXPECT_TRUE(negative.wasNegative);
    EXPECT_EQ(negative.text, u"5");
    EXPECT_EQ(negative.value, 5);
    const LimitEntry comma = readLimitEntry("-2,5", false, german);
    EXPECT_TRUE(comma.wasNegative);
    EXPECT_EQ(comma.text, u"2,5");
    EXPECT_EQ(comma.value, 2.5);
    EXPECT_EQ(readLimitEntry("12.5", false, english).value, 12.5);
}

// The locale's number reader takes "nan" and "inf": a limit must be a
// finite number, or the report, the button and Limit.ini carry it.
TEST(TableEdits, ALimitFieldRefusesWhatIsNoFiniteNumber)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (const QLocale& locale : {german, english}) {
        for (const char* text : {"nan", "NaN", "-nan", "inf", "-inf", "INF", "1e999", "-1e999"}) {
            for (bool target : {false, true}) {
                const LimitEntry entry = readLimitEntry(QString::fromLatin1(text), target, locale);
                EXPECT_EQ(entry.outcome, LimitEntry::NotNumeric) << text << ' ' << locale.name().toStdString();
                EXPECT_EQ(entry.value, 0) << text;
            }
        }
        // Nor are numbers so large that the statistics and the acceptance
        // rules would overflow with them; up to 1e12 they are numbers.
        EXPECT_EQ(readLimitEntry(QStringLiteral("1e308"), false, locale).outcome, LimitEntry::NotNumeric);
        EXPECT_EQ(readLimitEntry(QStringLiteral("-1e13"), true, locale).outcome, LimitEntry::NotNumeric);
        EXPECT_EQ(readLimitEntry(QStringLiteral("1e12"), false, locale).value, 1e12);
    }
}

TEST(TableEdits, TheTargetIsComparedOnlyWithLimitsThatAreSet)
{
    const struct {
        double min, max, target;
        std::vector<Msg> warnings;
    } cases[] = {
        {10, 20, 15, {}},
        {10, 0, 15, {}}, // no upper limit: no false warning
        {10, 0, 5, {Msg::SollwertAusserhalb}},
        {10, 20, 25, {Msg::SollwertAusserhalb}},
        {20, 10, 0, {Msg::MinimumUeberMaximum}},
        {20, 10, 15, {Msg::MinimumUeberMaximum, Msg::SollwertAusserhalb}},
        {0, 0, 0, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(compareLimits(c.min, c.max, c.target), c.warnings) << c.min << ' ' << c.max << ' ' << c.target;
}

// The warnings are the entries the dialog has always shown.
TEST(TableEdits, LimitWarningsAreTheirEntries)
{
    EXPECT_EQ(tableText(Msg::MinimumUeberMaximum, true), QString::fromUtf8("Minimum größer als Maximum!"));
    EXPECT_EQ(tableText(Msg::SollwertAusserhalb, false), "Target value should be within Minimum and Maximum!");
}

} // namespace
