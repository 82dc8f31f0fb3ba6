// The command line of kivo-cli read into a command, its operands and options.

#include "cli/CliArgs.h"
#include "cli/GaugeCommands.h"
#include "session/TableOutput.h"

#include <gtest/gtest.h>

namespace kivo::cli {
namespace {

const QStringList kValued = {QStringLiteral("rule"), QStringLiteral("nominal"), QStringLiteral("out")};
const QStringList kFlags = {QStringLiteral("help"), QStringLiteral("signed")};

TEST(CliArgs, CommandOperandsAndBothFormsOfOptions)
{
    QString error;
    const auto args = parseArgs({QStringLiteral("judge"), QStringLiteral("a.mes"), QStringLiteral("--rule"),
                                 QStringLiteral("iso19840"), QStringLiteral("--nominal=100,5"), QStringLiteral("--signed")},
                                kValued, kFlags, &error);
    ASSERT_TRUE(args) << error.toStdString();
    EXPECT_EQ(args->command, QStringLiteral("judge"));
    EXPECT_EQ(args->operands, QStringList{QStringLiteral("a.mes")});
    EXPECT_EQ(args->options.value(QStringLiteral("rule")), QStringLiteral("iso19840"));
    EXPECT_EQ(args->options.value(QStringLiteral("nominal")), QStringLiteral("100,5"));
    EXPECT_TRUE(args->options.contains(QStringLiteral("signed")));
    // After "--" a file name that starts with "-" is an operand.
    const auto dashed = parseArgs({QStringLiteral("convert"), QStringLiteral("--"), QStringLiteral("-x.mes")}, kValued, kFlags, &error);
    ASSERT_TRUE(dashed);
    EXPECT_EQ(dashed->operands, QStringList{QStringLiteral("-x.mes")});
}

TEST(CliArgs, WhatCannotBeReadIsSaid)
{
    struct Case {
        QStringList args;
        const char* error;
    };
    const Case cases[] = {
        {{QStringLiteral("judge"), QStringLiteral("--nominal")}, "--nominal needs a value"},
        {{QStringLiteral("judge"), QStringLiteral("--colour"), QStringLiteral("red")}, "unknown option --colour"},
        {{QStringLiteral("judge"), QStringLiteral("--help=yes")}, "--help takes no value"},
        {{QStringLiteral("judge"), QStringLiteral("-x")}, "unknown option -x"},
    };
    for (const Case& c : cases) {
        QString error;
        EXPECT_FALSE(parseArgs(c.args, kValued, kFlags, &error)) << c.error;
        EXPECT_EQ(error.toStdString(), c.error);
    }
}

} // namespace
} // namespace kivo::cli

namespace kivo::cli {
namespace {

TEST(CliOutput, FormatsByNameAndEndingAndTheFilesOfTwoMemories)
{
    EXPECT_EQ(formatOfPath(QStringLiteral("/a/day.XLSX")), TableFormat::Xlsx);
    EXPECT_EQ(formatOfPath(QStringLiteral("day.mes")), TableFormat::Mes);
    EXPECT_FALSE(formatOfPath(QStringLiteral("day.pdf")));
    EXPECT_FALSE(formatOfPath(QStringLiteral("day")));
    EXPECT_EQ(formatNamed(QStringLiteral("csv")), TableFormat::Csv);
    EXPECT_EQ(numberedPath(QStringLiteral("/a/b/day.mes"), 2), QStringLiteral("/a/b/day-2.mes"));
    EXPECT_EQ(numberedPath(QStringLiteral("day.mes"), 1), QStringLiteral("day-1.mes"));
    EXPECT_EQ(numberedPath(QStringLiteral("./x/day"), 1), QStringLiteral("./x/day-1"));
    EXPECT_EQ(numberedPath(QStringLiteral("/a.b/day.tar.csv"), 2), QStringLiteral("/a.b/day.tar-2.csv"));
}

} // namespace
} // namespace kivo::cli
