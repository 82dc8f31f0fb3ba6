// What each model's manual is told about its gauge, from the model table;
// and the manuals' Markdown, read for every model as kivo-manuals reads it.

#include "ManualModels.h"
#include "ManualText.h"
#include "QtPrinters.h"
#include "session/InfoAndManual.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace kivo;

namespace {

QSet<QString> facts(const char* spaced)
{
    QSet<QString> set;
    for (const QString& name : QString::fromLatin1(spaced).split(u' ', Qt::SkipEmptyParts)) set << name;
    return set;
}

QString readManual(const char* language)
{
    QFile file(QDir(QStringLiteral(KIVO_MANUAL_DIR)).filePath(QLatin1String(language) + QStringLiteral(".md")));
    if (!file.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(file.readAll());
}

TEST(ManualModels, EachModelOfTheTableWithWhatItHas)
{
    struct Expected {
        const char* code;
        const char* name;
        const char* facts;
        const char* picture;
    };
    const Expected expected[] = {
        {"RKT", "RK-TALO", "bluetooth memory onememory stop sign", "VX.gif"},
        {"RKS", "RK-SIVAR", "cable memory onememory stop sign", "RKS.gif"},
        {"RKM", "RK-MENO", "cable memory numbered stop sign", "ZR.gif"},
        {"DOR", "DORNA", "cable stop sign", "RKS.gif"},
        {"ZR", "ZORMA-PROBA", "cable memory numbered material", "ZR.gif"},
        {"VX", "VELO-PROBA", "bluetooth memory fenfe material", "VX.gif"},
    };
    const std::vector<ManualModel> models = manualModels();
    ASSERT_EQ(models.size(), std::size(expected));
    for (size_t i = 0; i < models.size(); ++i) {
        EXPECT_EQ(models[i].code, QLatin1String(expected[i].code));
        EXPECT_EQ(models[i].name, QLatin1String(expected[i].name));
        EXPECT_EQ(models[i].facts, facts(expected[i].facts)) << expected[i].code;
        EXPECT_EQ(models[i].fileName, manualFileName(QLatin1String(expected[i].code)));
        EXPECT_EQ(models[i].picture, QLatin1String(expected[i].picture));
        for (const QString& fact : models[i].facts) EXPECT_TRUE(manualFactNames().contains(fact)) << fact.toStdString();
    }
}

TEST(ManualModels, EveryManualTheProgramLooksForIsMade)
{
    QStringList made;
    for (const ManualModel& model : manualModels()) made << model.fileName;
    QStringList looked = allManualFileNames();
    made.sort();
    looked.sort();
    EXPECT_EQ(made, looked);
}

TEST(ManualModels, FactsReadFromTheProfileAsTheProgramReadsIt)
{
    EXPECT_EQ(manualFacts({QStringLiteral("2N"), QStringLiteral("B"), QStringLiteral("E"), QStringLiteral("1"),
                           QStringLiteral("+")}),
              facts("bluetooth memory fenfe material"));
    // Fixed-width codes with their blanks.
    EXPECT_EQ(manualFacts({QStringLiteral("X "), QStringLiteral("K"), QStringLiteral("V"), QStringLiteral("0"),
                           QStringLiteral("-")}),
              facts("cable stop sign"));
    EXPECT_EQ(manualFacts({QStringLiteral("3 "), QStringLiteral("K"), QStringLiteral("E"), QStringLiteral("2 "),
                           QStringLiteral("+")}),
              facts("cable memory numbered material"));
}

// The manuals themselves: every block and reference resolves for every
// model, each names its own model and no other, every picture it shows was
// made for its model, and a model without memories hears nothing of them.
TEST(ManualModels, TheManualsReadForEveryModel)
{
    const QDir source(QStringLiteral(KIVO_MANUAL_DIR));
    const std::vector<ManualModel> models = manualModels();
    static const QRegularExpression picture(QStringLiteral(R"(!\[[^\]]*\]\(([^)]+)\))"));
    static const QRegularExpression feNfe(QStringLiteral(R"(\bN?FE\b)"));
    static const QRegularExpression readButton(QStringLiteral("Speicher einlesen|Read Storage"));
    for (const char* language : {"DE", "EN"}) {
        const QString markdown = readManual(language);
        ASSERT_FALSE(markdown.isEmpty()) << language;
        for (const ManualModel& model : models) {
            const std::string what = std::string(language) + " " + model.name.toStdString();
            const ManualSource text = manualText(markdown, model);
            ASSERT_EQ(text.error, QString()) << what;
            EXPECT_TRUE(text.text.startsWith(QStringLiteral("# ") + model.name + QStringLiteral(" RIDIVORI\n"))) << what;
            for (const ManualModel& other : models) {
                if (other.name == model.name) continue;
                EXPECT_FALSE(text.text.contains(other.name)) << what << " names " << other.name.toStdString();
            }
            // The gauge on the title page, then the screenshots of its model.
            int pictures = 0;
            for (auto it = picture.globalMatch(text.text); it.hasNext(); ++pictures) {
                const QString path = it.next().captured(1);
                if (pictures == 0) {
                    EXPECT_EQ(path, model.picture) << what;
                    EXPECT_TRUE(QFile::exists(QStringLiteral(KIVO_INSTALL_PICTURES "/") + path)) << what;
                    continue;
                }
                EXPECT_TRUE(path.startsWith(QStringLiteral("images/") + model.code + u'/')) << what << ": " << path.toStdString();
                EXPECT_TRUE(QFile::exists(source.filePath(path))) << what << ": " << path.toStdString();
            }
            EXPECT_GE(pictures, 10) << what;
            if (!model.facts.contains(QStringLiteral("fenfe"))) {
                EXPECT_FALSE(feNfe.match(text.text).hasMatch()) << what << " speaks of FE and NFE memories";
            }
            if (!model.facts.contains(QStringLiteral("memory"))) {
                EXPECT_FALSE(readButton.match(text.text).hasMatch()) << what << " speaks of reading the memory";
            }
        }
    }
}

} // namespace
