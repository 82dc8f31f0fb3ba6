// A model's manual from the text all models share: the blocks only some
// models have, the chapters numbered as they are left in, the model put in.

#include "ManualSections.h"
#include "ManualText.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

using namespace kivo;

namespace {

const QStringList kKnown = {QStringLiteral("fenfe"), QStringLiteral("stop"), QStringLiteral("memory")};

QSet<QString> facts(std::initializer_list<const char*> names)
{
    QSet<QString> set;
    for (const char* name : names) set << QLatin1String(name);
    return set;
}

struct BlockCase {
    const char* name;
    const char* markdown;
    std::initializer_list<const char*> facts;
    const char* expected;
};

TEST(ManualBlocks, KeepsOrDropsEachBlockByTheModelsFacts)
{
    const BlockCase cases[] = {
        {"a block on lines of its own, kept: the directive lines go",
         "a\n<!-- if fenfe -->\nFE and NFE\n<!-- end -->\nb\n", {"fenfe"}, "a\nFE and NFE\nb\n"},
        {"the same block dropped, lines and all", "a\n<!-- if fenfe -->\nFE and NFE\n<!-- end -->\nb\n", {}, "a\nb\n"},
        {"the else part when the fact does not hold",
         "<!-- if fenfe -->\ntwo\n<!-- else -->\none\n<!-- end -->\n", {}, "one\n"},
        {"not", "<!-- if not stop -->\nno button\n<!-- end -->\n", {"stop"}, ""},
        {"a block inside a sentence", "over <!-- if stop -->a cable<!-- else -->Bluetooth<!-- end --> to it", {},
         "over Bluetooth to it"},
        {"nested: nothing of an inner block outlives its outer one",
         "<!-- if memory -->\nM\n<!-- if fenfe -->\nF\n<!-- end -->\n<!-- end -->\nX", {"fenfe"}, "X"},
        {"nested, both holding", "<!-- if memory -->\nM\n<!-- if not fenfe -->\none\n<!-- end -->\n<!-- end -->\n",
         {"memory"}, "M\none\n"},
        {"the last line without its line end", "a\n<!-- if stop -->\nStop\n<!-- end -->", {"stop"}, "a\nStop\n"},
        {"other comments stay", "<!-- a note -->\ntext", {}, "<!-- a note -->\ntext"},
        {"blanks around a directive", "  <!--   if   stop   -->  \nS\n<!--end-->\n", {"stop"}, "S\n"},
    };
    for (const BlockCase& c : cases) {
        const ManualSource out = resolveBlocks(QString::fromUtf8(c.markdown), facts(c.facts), kKnown);
        EXPECT_EQ(out.error, QString()) << c.name;
        EXPECT_EQ(out.text, QString::fromUtf8(c.expected)) << c.name;
    }
}

TEST(ManualBlocks, NamesTheLineOfAMistake)
{
    const std::pair<const char*, const char*> cases[] = {
        {"a\n<!-- if fe -->\nx\n<!-- end -->", "line 2: unknown fact \"fe\""},
        {"a\nb\n<!-- end -->", "line 3: \"end\" without \"if\""},
        {"<!-- else -->", "line 1: \"else\" without \"if\""},
        {"<!-- if stop -->\n<!-- else -->\n<!-- else -->\n<!-- end -->", "line 3: a second \"else\""},
        {"x\n<!-- if stop -->\n<!-- if memory -->\n<!-- end -->\n", "line 2: \"if\" without \"end\""},
    };
    for (const auto& [markdown, error] : cases) {
        const ManualSource out = resolveBlocks(QString::fromUtf8(markdown), {}, kKnown);
        EXPECT_EQ(out.error, QString::fromUtf8(error)) << markdown;
        EXPECT_TRUE(out.text.isEmpty()) << markdown;
    }
}

TEST(ManualSections, ChaptersNumberedInTheOrderTheyAreLeftIn)
{
    const ManualSource out = numberSections(QStringLiteral(
        "# Title\n## Start {#start}\n### A section\nsee {{section:online}} and {{section:start}}\n"
        "## No id\n## Online {#online}\n"));
    EXPECT_EQ(out.error, QString());
    EXPECT_EQ(out.text, QStringLiteral("# Title\n## 1 Start\n### A section\nsee 3 and 1\n## 2 No id\n## 3 Online\n"));
}

TEST(ManualSections, AReferenceToAChapterThatIsNotThereFails)
{
    EXPECT_EQ(numberSections(QStringLiteral("## A {#a}\nsee {{section:memory}}\n")).error,
              QStringLiteral("line 2: no chapter \"memory\""));
    EXPECT_EQ(numberSections(QStringLiteral("## A {#a}\n## B {#a}\n")).error,
              QStringLiteral("line 2: the id \"a\" is given twice"));
}

TEST(ManualText, OneModelsManual)
{
    const QString markdown = QStringLiteral(
        "# {{MODEL}} RIDIVORI\n![]({{PICTURE}})\n![x](images/{{CODE}}/main-de.png)\n"
        "<!-- if memory -->\n## Memory {#memory}\nRead it.\n<!-- end -->\n"
        "## Online {#online}\n<!-- if stop -->\nStop.\n<!-- end -->\nSee {{section:online}}.\n");
    const ManualModel dorna{QStringLiteral("DOR"), QStringLiteral("DORNA"), QString(), facts({"stop"}),
                            QStringLiteral("RKS.gif")};
    const ManualSource out = manualText(markdown, dorna);
    EXPECT_EQ(out.error, QString());
    EXPECT_EQ(out.text, QStringLiteral("# DORNA RIDIVORI\n![](RKS.gif)\n![x](images/DOR/main-de.png)\n## 1 Online\nStop.\n"
                                       "See 1.\n"));

    const ManualModel withMemory{QStringLiteral("RKS"), QStringLiteral("RK-SIVAR"), QString(), facts({"memory"}), QString()};
    EXPECT_TRUE(manualText(markdown, withMemory).text.endsWith(QStringLiteral("## 2 Online\nSee 2.\n")));
}

TEST(ManualText, APlaceholderNobodyFillsFails)
{
    const ManualModel model{QStringLiteral("RKS"), QStringLiteral("RK-SIVAR"), QString(), {}, QString()};
    EXPECT_EQ(manualText(QStringLiteral("{{MODEL}} {{MODELL}}"), model).error,
              QStringLiteral("unknown placeholder {{MODELL}}"));
    EXPECT_EQ(manualText(QStringLiteral("<!-- if sign -->+/-<!-- end -->"), model).error, QString());
    EXPECT_EQ(manualText(QStringLiteral("<!-- if signs -->+/-<!-- end -->"), model).error,
              QStringLiteral("line 1: unknown fact \"signs\""));
}

} // namespace
