// The built-in gauges: their identification and records must read the way
// the program reads them.

#include "GaugeModel.h"
#include "Replies.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>

using namespace kivo::sim;

namespace {

// The program's number rule for a record field: blanks are ignored, then an
// optional sign, digits with at most one ".", an optional exponent; reading
// stops at the first other character.
std::optional<double> fieldNumber(QByteArray field)
{
    field.replace(" ", "");
    qsizetype end = 0;
    if (end < field.size() && (field[end] == '-' || field[end] == '+')) ++end;
    bool digits = false;
    bool point = false;
    while (end < field.size() && (std::isdigit(static_cast<unsigned char>(field[end])) || (!point && field[end] == '.'))) {
        if (field[end] == '.') point = true;
        else digits = true;
        ++end;
    }
    if (!digits) return std::nullopt;
    return field.left(end).toDouble();
}

// The device code the program takes from the first reply line: the text
// before the first "-" and the one character after it.
QByteArray deviceCode(const QByteArray& firstLine)
{
    const qsizetype dash = firstLine.indexOf('-');
    if (dash < 0) return {};
    return firstLine.left(dash) + firstLine.mid(dash + 1, 1);
}

std::optional<int> memoryCount(const QList<QByteArray>& lines, int number)
{
    std::optional<int> count;
    const QByteArray key = "M" + QByteArray::number(number) + ":";
    for (const QByteArray& line : lines) {
        if (line.startsWith(key)) count = line.mid(key.size()).toInt();
    }
    return count;
}

const QList<QByteArray> kUnits = {"\xB5m  ", "ym  ", "mm  ", "kA/m", "G   ", "Oe  ", "kOe ", "mVs "};

void checkRecords(const QList<QByteArray>& records, const QByteArray& material)
{
    int number = 1;
    for (const QByteArray& record : records) {
        SCOPED_TRACE(record.toStdString());
        ASSERT_EQ(record.size(), kRecordColumns);
        EXPECT_EQ(fieldNumber(record.mid(0, 4)), number++);
        EXPECT_EQ(record.mid(4, 2), QByteArray("  "));
        const std::optional<double> value = fieldNumber(record.mid(6, 10));
        ASSERT_TRUE(value.has_value());
        EXPECT_NE(*value, 0.0);
        EXPECT_EQ(record[16], ' ');
        EXPECT_TRUE(kUnits.contains(record.mid(17, 4)));
        EXPECT_EQ(record[21], ' ');
        if (!material.isNull()) {
            EXPECT_EQ(record.mid(22, 3), material);
        }
        EXPECT_TRUE(record[0] == ' ' || std::isdigit(static_cast<unsigned char>(record[0])));
    }
}

} // namespace

TEST(SimModels, AllCodesAreKnown)
{
    EXPECT_EQ(gaugeModelCodes(), (QStringList{"RKT", "RKS", "RKM", "DOR", "ZR", "VX", "FEB", "FNB"}));
    EXPECT_NE(findGaugeModel("fnb"), nullptr);
    EXPECT_EQ(findGaugeModel("XYZ"), nullptr);
}

TEST(SimModels, FirstLineGivesTheDeviceCode)
{
    const std::pair<const char*, const char*> expected[] = {
        {"RKT", "RKT"}, {"RKS", "RKS"}, {"RKM", "RKM"}, {"DOR", "DOR"},
        {"ZR", "ZR"},   {"VX", "VX"},   {"FEB", "FEB"}, {"FNB", "FNB"},
    };
    for (const auto& [code, prefix] : expected) {
        const GaugeModel* model = findGaugeModel(code);
        ASSERT_NE(model, nullptr);
        const QByteArray device = deviceCode(identLines(*model, 0, 0).first());
        EXPECT_TRUE(device.startsWith(prefix)) << code << " gives " << device.constData();
    }
    EXPECT_EQ(deviceCode(identLines(*findGaugeModel("RKT"), 0, 0).first()), "RKT");
    EXPECT_EQ(deviceCode(identLines(*findGaugeModel("FEB"), 0, 0).first()), "FEB");
    EXPECT_EQ(deviceCode(identLines(*findGaugeModel("FNB"), 0, 0).first()), "FNB");
}

TEST(SimModels, IdentificationCountsMatchTheRecordsSent)
{
    for (const QString& code : gaugeModelCodes()) {
        SCOPED_TRACE(code.toStdString());
        const GaugeModel& model = *findGaugeModel(code.toLatin1());
        const QList<QByteArray> memory1 = recordLines(model.memory1);
        const QList<QByteArray> memory2 = recordLines(model.memory2);
        const QList<QByteArray> lines = identLines(model, countReadings(memory1), countReadings(memory2));

        EXPECT_TRUE(lines[1].startsWith("VD:"));
        for (const QByteArray& line : lines.mid(1)) EXPECT_TRUE(line.contains(':')) << line.constData();

        if (model.memory1Number > 0) {
            EXPECT_EQ(memoryCount(lines, model.memory1Number), memory1.size());
            // Gauges with numbered blocks: the program reads the last "M" line.
            QByteArray lastM;
            for (const QByteArray& line : lines) {
                if (line.startsWith('M')) lastM = line;
            }
            if (model.memory2Number == 0) {
                EXPECT_EQ(lastM, "M" + QByteArray::number(model.memory1Number) + ":" + QByteArray::number(memory1.size()));
            }
        } else {
            EXPECT_TRUE(memory1.isEmpty());
            for (const QByteArray& line : lines) EXPECT_FALSE(line.startsWith('M'));
        }
        if (model.memory2Number > 0) {
            EXPECT_EQ(memoryCount(lines, model.memory2Number), memory2.size());
        }
    }
}

TEST(SimModels, BluetoothGaugesTellTheirAddress)
{
    for (const char* code : {"RKT", "VX", "FEB", "FNB"}) {
        const QList<QByteArray> lines = identLines(*findGaugeModel(code), 1, 1);
        const bool hasAddress = std::any_of(lines.begin(), lines.end(), [](const QByteArray& l) { return l.startsWith("AD: "); });
        EXPECT_TRUE(hasAddress) << code;
    }
    const QList<QByteArray> zr = identLines(*findGaugeModel("ZR"), 1, 0);
    EXPECT_TRUE(zr.contains("PT: F1.5"));
    EXPECT_TRUE(zr.contains("VP: 2.03"));
}

TEST(SimModels, RecordsReadInTheirColumns)
{
    for (const QString& code : gaugeModelCodes()) {
        SCOPED_TRACE(code.toStdString());
        const GaugeModel& model = *findGaugeModel(code.toLatin1());
        checkRecords(recordLines(model.memory1), QByteArray());
        checkRecords(recordLines(model.memory2), QByteArray());
        checkRecords(recordLines(model.online), QByteArray());
        EXPECT_FALSE(model.online.empty());
    }
}

TEST(SimModels, VeloProbaMemoriesCarryTheirMaterial)
{
    checkRecords(recordLines(findGaugeModel("VX")->memory1), " Fe");
    checkRecords(recordLines(findGaugeModel("VX")->memory2), "NFe");
    checkRecords(recordLines(findGaugeModel("FNB")->memory1), " Fe");
    checkRecords(recordLines(findGaugeModel("FNB")->memory2), "NFe");
    checkRecords(recordLines(findGaugeModel("FEB")->memory1), " Fe");
    checkRecords(recordLines(findGaugeModel("FEB")->memory2), " Fe");
}

TEST(SimModels, SignedGaugesHaveSomeNegativeReadings)
{
    for (const char* code : {"RKT", "RKS", "RKM", "DOR"}) {
        const GaugeModel& model = *findGaugeModel(code);
        const auto readings = model.memory1.empty() ? model.online : model.memory1;
        const auto negatives = std::count_if(readings.begin(), readings.end(),
                                             [](const Reading& r) { return r.value.starts_with('-'); });
        EXPECT_GE(negatives, 1) << code;
        EXPECT_LT(negatives, qsizetype(readings.size()) / 2) << code;
    }
}

TEST(SimModels, DornaHasNoMemory)
{
    const GaugeModel& dorna = *findGaugeModel("DOR");
    EXPECT_EQ(dorna.memory1Number, 0);
    EXPECT_TRUE(dorna.memory1.empty());
    EXPECT_EQ(dorna.onlineStyle, OnlineStyle::V);
}
