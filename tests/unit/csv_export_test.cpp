// The CSV text: heading, separators and decimal marks per language, the
// value as stored in its shortest exact form, RFC 4180 quoting.

#include "QtPrinters.h"
#include "output/CsvExport.h"

#include <gtest/gtest.h>

using namespace kivo;

TEST(CsvExport, FieldsNumbersAndQuoting)
{
    // The digits the value has, without the binary noise of a conversion.
    EXPECT_EQ(shortestNumber(0.1 + 0.2, u'.'), QStringLiteral("0.3"));
    EXPECT_EQ(shortestNumber(12.48 * 10, u','), QStringLiteral("124,8"));
    EXPECT_EQ(shortestNumber(0.0514 * 1000, u'.'), QStringLiteral("51.4"));
    EXPECT_EQ(shortestNumber(1234.567891, u'.'), QStringLiteral("1234.567891"));
    EXPECT_EQ(shortestNumber(98.7, u','), QStringLiteral("98,7"));
    EXPECT_EQ(shortestNumber(-0.5, u'.'), QStringLiteral("-0.5"));
    EXPECT_EQ(shortestNumber(1e-7, u'.'), QStringLiteral("0.0000001"));
    EXPECT_EQ(shortestNumber(125000, u'.'), QStringLiteral("125000"));

    EXPECT_EQ(csvField(QStringLiteral("Fe"), u';'), QStringLiteral("Fe"));
    EXPECT_EQ(csvField(QStringLiteral("a;b"), u';'), QStringLiteral("\"a;b\""));
    // Any separator a default import splits on is quoted, whatever this file's.
    EXPECT_EQ(csvField(QStringLiteral("a;b"), u','), QStringLiteral("\"a;b\""));
    EXPECT_EQ(csvField(QStringLiteral("124,6"), u';'), QStringLiteral("\"124,6\""));
    // Text that starts like a formula stays text; a number stays a number.
    for (const char* formula : {"=HYPERLINK(\"x\")", "+1", "-1", "@SUM(A1)", "\tx", "\rx"})
        EXPECT_TRUE(csvTextField(QString::fromLatin1(formula), u',').startsWith(u"'")
                    || csvTextField(QString::fromLatin1(formula), u',').startsWith(u"\"'"))
            << formula;
    EXPECT_EQ(csvTextField(QStringLiteral("=1+2"), u';'), QStringLiteral("'=1+2"));
    EXPECT_EQ(csvTextField(QStringLiteral("Fe"), u';'), QStringLiteral("Fe"));
    EXPECT_EQ(csvField(QStringLiteral("say \"hi\""), u','), QStringLiteral("\"say \"\"hi\"\"\""));
    EXPECT_EQ(csvField(QStringLiteral("two\r\nlines"), u','), QStringLiteral("\"two\r\nlines\""));

    const std::vector<CsvReading> rows = {
        {QStringLiteral("07.12.2026"), QStringLiteral("10:00:01"), 1, 12.5, QStringLiteral("µm  "), QStringLiteral(" Fe")},
        {QStringLiteral("07.12.2026"), QStringLiteral("10:00:02"), 2, 1.25, QStringLiteral("A/cm"), QStringLiteral("x,y")},
    };
    EXPECT_EQ(csvText(rows, true), QByteArray("\xEF\xBB\xBF") + QStringLiteral("Datum;Zeit;Nr;Wert;Einheit;Material\r\n"
                                                                             "07.12.2026;10:00:01;1;\"12,5\";µm;Fe\r\n"
                                                                             "07.12.2026;10:00:02;2;\"1,25\";A/cm;\"x,y\"\r\n")
                                                               .toUtf8());
    EXPECT_EQ(csvText(rows, false), QByteArray("\xEF\xBB\xBF") + QStringLiteral("Date,Time,No,Value,Unit,Material\r\n"
                                                                              "07.12.2026,10:00:01,1,12.5,µm,Fe\r\n"
                                                                              "07.12.2026,10:00:02,2,1.25,A/cm,\"x,y\"\r\n")
                                                                .toUtf8());
}
