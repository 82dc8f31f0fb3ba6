// The archive's inspections as the list, kivo-cli's lines and `show` word
// them, in German and English.

#include "session/ArchiveListing.h"
#include "shared/LocaleNumber.h"

#include <gtest/gtest.h>

namespace kivo {
namespace {

InspectionSummary summary()
{
    InspectionSummary s;
    s.id = 7;
    s.takenAt = QDateTime(QDate(2026, 12, 8), QTime(14, 5)); // local time
    s.source = QStringLiteral("memory2");
    s.model = QStringLiteral("VX");
    s.gaugeCode = QStringLiteral("FNB ");
    s.serial = QStringLiteral("00:80:25:3B:92:A5");
    s.projectFields = {QStringLiteral("Bridge\t4"), QStringLiteral("pier\r\nnorth")};
    s.count = 3;
    s.unit = QStringLiteral("µm  ");
    s.mean = 101.25;
    return s;
}

TEST(ArchiveListing, OneInspectionIsOneLineInEitherLanguage)
{
    const QString en = listLine(summary(), false);
    EXPECT_EQ(en, QStringLiteral("7\t2026-12-08 14:05\tFNB 00:80:25:3B:92:A5\tMemory 2\t3\tµm\tBridge 4\tpier  north\t\t\t\t"));
    EXPECT_TRUE(listLine(summary(), true).startsWith(QStringLiteral("7\t08.12.2026 14:05\tFNB 00:80:25:3B:92:A5\tSpeicher 2\t")));

    const QStringList de = listCells(summary(), true, languageLocale(true));
    EXPECT_EQ(de.last(), u"101,3"); // as the table shows a µm reading
    EXPECT_EQ(listCells(summary(), false, languageLocale(false)).last(), u"101.3");
    InspectionSummary mixed = summary();
    mixed.mixedUnits = true;
    EXPECT_EQ(listCells(mixed, false, languageLocale(false)).last(), QString()); // no mean over µm and mils
    EXPECT_EQ(listHeadings({QStringLiteral("Objekt")}, true).value(4), u"Objekt");
    EXPECT_EQ(gaugeText(QStringLiteral("RKS"), QStringLiteral("  "), QString()), u"RKS"); // no identification: the model
}

TEST(ArchiveListing, ShowGivesTheProjectDataLimitsAndEveryReading)
{
    Inspection in;
    in.id = 4;
    in.source = QStringLiteral("online");
    in.projectCaptions[0] = QStringLiteral("Object");
    in.projectFields[0] = QStringLiteral("Tank 7");
    in.limitMin = 80;
    in.target = 100.5;
    in.readings = {{1, 1, 98.44, QStringLiteral("µm  "), QStringLiteral(" Fe"), QStringLiteral("08.12.2026"),
                    QStringLiteral("10:00:00")}};
    const QStringList de = showLines(in, true, languageLocale(true));
    EXPECT_TRUE(de.contains(u"Speicher: Online"));
    EXPECT_TRUE(de.contains(u"Object: Tank 7"));
    EXPECT_TRUE(de.contains(u"Grenzwerte (min/max/soll): 80 / - / 100,5"));
    EXPECT_EQ(de.last(), u"1\t98,4\tµm\tFe\t08.12.2026\t10:00:00");
    EXPECT_TRUE(showLines(in, false, languageLocale(false)).contains(u"Limits (min/max/target): 80 / - / 100.5"));
}

} // namespace
} // namespace kivo
