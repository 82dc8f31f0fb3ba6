#include "GaugeModel.h"

#include <array>

namespace kivo::sim {

namespace {

// Units as the gauges print them; µ is the single byte 0xB5.
constexpr std::string_view kUm = "\xB5m";
constexpr std::string_view kYm = "ym"; // how the VELO-PROBA FE-B writes µm
constexpr std::string_view kMm = "mm";
constexpr std::string_view kKaM = "kA/m";
constexpr std::string_view kG = "G";
constexpr std::string_view kOe = "Oe";
constexpr std::string_view kKOe = "kOe";
constexpr std::string_view kMVs = "mVs";
constexpr std::string_view kFe = "Fe";
constexpr std::string_view kNFe = "NFe";

// RK-TALO: field strength on a Bluetooth gauge; readings carry a sign.
constexpr std::array<Reading, 10> kRktMemory = {{
    {"12.48", kKaM, ""}, {"11.95", kKaM, ""}, {"-0.37", kKaM, ""}, {"13.02", kKaM, ""}, {"12.77", kKaM, ""},
    {"-1.12", kKaM, ""}, {"12.31", kKaM, ""}, {"0.85", kKaM, ""},  {"12.64", kKaM, ""}, {"12.09", kKaM, ""},
}};
constexpr std::array<Reading, 8> kRktOnline = {{
    {"11.87", kKaM, ""}, {"12.20", kKaM, ""}, {"-0.52", kKaM, ""}, {"12.93", kKaM, ""},
    {"12.41", kKaM, ""}, {"0.07", kKaM, ""},  {"12.66", kKaM, ""}, {"-2.18", kKaM, ""},
}};

// RK-SIVAR: signed thickness readings, mostly µm, a few in mm.
constexpr std::array<Reading, 12> kRksMemory = {{
    {"48.2", kUm, ""},   {"51.7", kUm, ""}, {"-3.1", kUm, ""}, {"49.9", kUm, ""},
    {"50.4", kUm, ""},   {"47.6", kUm, ""}, {"-0.8", kUm, ""}, {"52.3", kUm, ""},
    {"0.0514", kMm, ""}, {"-2.4", kUm, ""}, {"50.8", kUm, ""}, {"49.1", kUm, ""},
}};
constexpr std::array<Reading, 8> kRksOnline = {{
    {"50.1", kUm, ""}, {"49.3", kUm, ""},   {"-1.7", kUm, ""}, {"51.2", kUm, ""},
    {"48.8", kUm, ""}, {"0.0502", kMm, ""}, {"50.6", kUm, ""}, {"-0.4", kUm, ""},
}};

// RK-MENO: numbered memory blocks; flux density and field strength in G,
// Oe and kOe, with a sign.
constexpr std::array<OtherBlock, 1> kRkmBlocks = {{{1, 6}}};
constexpr std::array<Reading, 9> kRkmMemory = {{
    {"412.5", kG, ""},   {"405.1", kG, ""},   {"-12.4", kG, ""},  {"0.418", kKOe, ""}, {"399.8", kOe, ""},
    {"-3.6", kOe, ""},   {"420.2", kG, ""},   {"0.401", kKOe, ""}, {"408.9", kG, ""},
}};
constexpr std::array<Reading, 8> kRkmOnline = {{
    {"410.3", kG, ""}, {"-8.9", kG, ""},  {"0.415", kKOe, ""}, {"402.7", kOe, ""},
    {"411.0", kG, ""}, {"-0.6", kOe, ""}, {"407.4", kG, ""},   {"0.409", kKOe, ""},
}};

// DORNA: no memory, online only; magnetic flux in mVs with a sign.
constexpr std::array<Reading, 10> kDorOnline = {{
    {"2.315", kMVs, ""}, {"2.298", kMVs, ""}, {"-0.042", kMVs, ""}, {"2.341", kMVs, ""}, {"2.307", kMVs, ""},
    {"0.013", kMVs, ""}, {"2.322", kMVs, ""}, {"-1.106", kMVs, ""}, {"2.289", kMVs, ""}, {"2.330", kMVs, ""},
}};

// ZORMA-PROBA: numbered memory blocks, thickness without sign, the probe's
// material label in columns 23-25.
constexpr std::array<OtherBlock, 2> kZrBlocks = {{{1, 7}, {2, 5}}};
constexpr std::array<Reading, 10> kZrMemory = {{
    {"124.6", kUm, kFe},  {"131.2", kUm, kFe},  {"118.9", kUm, kFe}, {"86.4", kUm, kNFe}, {"90.1", kUm, kNFe},
    {"0.127", kMm, kFe},  {"122.8", kUm, kFe},  {"88.7", kUm, kNFe}, {"129.5", kUm, kFe}, {"1.084", kMm, kFe},
}};
constexpr std::array<Reading, 8> kZrOnline = {{
    {"126.3", kUm, kFe}, {"119.7", kUm, kFe}, {"87.2", kUm, kNFe}, {"0.131", kMm, kFe},
    {"91.5", kUm, kNFe}, {"124.0", kUm, kFe}, {"85.9", kUm, kNFe}, {"127.8", kUm, kFe},
}};

// VELO-PROBA: memory 1 holds FE readings, memory 2 NFE readings.
constexpr std::array<Reading, 8> kVxMemory1 = {{
    {"72.4", kUm, kFe}, {"75.1", kUm, kFe}, {"69.8", kUm, kFe}, {"74.3", kUm, kFe},
    {"71.0", kUm, kFe}, {"73.6", kUm, kFe}, {"76.2", kUm, kFe}, {"70.5", kUm, kFe},
}};
constexpr std::array<Reading, 6> kVxMemory2 = {{
    {"35.2", kUm, kNFe}, {"33.8", kUm, kNFe}, {"36.9", kUm, kNFe},
    {"34.4", kUm, kNFe}, {"35.7", kUm, kNFe}, {"32.9", kUm, kNFe},
}};
constexpr std::array<Reading, 8> kVxOnline = {{
    {"73.1", kUm, kFe},  {"74.8", kUm, kFe},  {"34.6", kUm, kNFe}, {"72.2", kUm, kFe},
    {"35.9", kUm, kNFe}, {"75.5", kUm, kFe},  {"33.4", kUm, kNFe}, {"71.7", kUm, kFe},
}};

// VELO-PROBA FE-B: two FE memories; it writes µm as "ym".
constexpr std::array<Reading, 7> kFebMemory1 = {{
    {"142.7", kYm, kFe}, {"138.2", kYm, kFe}, {"145.9", kYm, kFe}, {"140.3", kYm, kFe},
    {"139.6", kYm, kFe}, {"144.1", kYm, kFe}, {"141.8", kYm, kFe},
}};
constexpr std::array<Reading, 5> kFebMemory2 = {{
    {"212.4", kYm, kFe}, {"208.9", kYm, kFe}, {"215.3", kYm, kFe}, {"210.6", kYm, kFe}, {"209.1", kYm, kFe},
}};
constexpr std::array<Reading, 8> kFebOnline = {{
    {"143.5", kYm, kFe}, {"139.8", kYm, kFe}, {"211.7", kYm, kFe}, {"146.2", kYm, kFe},
    {"140.9", kYm, kFe}, {"208.4", kYm, kFe}, {"142.1", kYm, kFe}, {"144.8", kYm, kFe},
}};

// VELO-PROBA FN-B: an FE and an NFE memory, µm and mm.
constexpr std::array<Reading, 9> kFnbMemory1 = {{
    {"88.6", kUm, kFe},   {"91.2", kUm, kFe}, {"86.9", kUm, kFe}, {"0.0903", kMm, kFe}, {"89.7", kUm, kFe},
    {"92.4", kUm, kFe},   {"87.5", kUm, kFe}, {"90.8", kUm, kFe}, {"1.215", kMm, kFe},
}};
constexpr std::array<Reading, 6> kFnbMemory2 = {{
    {"24.8", kUm, kNFe}, {"26.1", kUm, kNFe}, {"23.9", kUm, kNFe},
    {"25.4", kUm, kNFe}, {"0.0262", kMm, kNFe}, {"24.3", kUm, kNFe},
}};
constexpr std::array<Reading, 8> kFnbOnline = {{
    {"89.9", kUm, kFe},  {"25.7", kUm, kNFe}, {"90.4", kUm, kFe},  {"0.0241", kMm, kNFe},
    {"88.1", kUm, kFe},  {"26.6", kUm, kNFe}, {"91.7", kUm, kFe},  {"24.9", kUm, kNFe},
}};

constexpr std::array<GaugeModel, 8> kModels = {{
    {"RKT", "RK-TALO", "1.32", "00:80:25:4A:17:C3", "", "", OnlineStyle::V, 1, 0, {}, kRktMemory, {}, kRktOnline},
    {"RKS", "RK-SIVAR", "2.05", "", "", "", OnlineStyle::V, 1, 0, {}, kRksMemory, {}, kRksOnline},
    {"RKM", "RK-MENO", "1.18", "", "", "", OnlineStyle::V, 2, 0, kRkmBlocks, kRkmMemory, {}, kRkmOnline},
    {"DOR", "DORNA-1", "1.07", "", "", "", OnlineStyle::V, 0, 0, {}, {}, {}, kDorOnline},
    {"ZR", "ZR-1 ZORMA-PROBA", "3.41", "", "F1.5", "2.03", OnlineStyle::E, 3, 0, kZrBlocks, kZrMemory, {}, kZrOnline},
    {"VX", "VX-2 VELO-PROBA", "4.12", "00:80:25:3B:90:1E", "FN2", "1.06", OnlineStyle::E, 1, 2, {}, kVxMemory1,
     kVxMemory2, kVxOnline},
    {"FEB", "FE-B VELO-PROBA", "4.12", "00:80:25:3B:91:47", "FE2", "1.06", OnlineStyle::E, 1, 2, {}, kFebMemory1,
     kFebMemory2, kFebOnline},
    {"FNB", "FN-B VELO-PROBA", "4.15", "00:80:25:3B:92:A5", "FN2", "1.07", OnlineStyle::E, 1, 2, {}, kFnbMemory1,
     kFnbMemory2, kFnbOnline},
}};

QByteArray bytes(std::string_view text)
{
    return QByteArray(text.data(), qsizetype(text.size()));
}

QByteArray keyLine(const char* key, std::string_view value)
{
    return QByteArray(key) + ": " + bytes(value);
}

QByteArray memoryLine(int number, int count)
{
    return "M" + QByteArray::number(number) + ":" + QByteArray::number(count);
}

} // namespace

QStringList gaugeModelCodes()
{
    QStringList codes;
    for (const GaugeModel& model : kModels) codes << QString::fromLatin1(bytes(model.code));
    return codes;
}

const GaugeModel* findGaugeModel(QByteArrayView code)
{
    for (const GaugeModel& model : kModels) {
        if (QByteArrayView(model.code.data(), qsizetype(model.code.size())).compare(code, Qt::CaseInsensitive) == 0)
            return &model;
    }
    return nullptr;
}

QList<QByteArray> recordLines(std::span<const Reading> readings)
{
    QList<QByteArray> lines;
    int number = 1;
    for (const Reading& reading : readings)
        lines << formatRecord(number++, bytes(reading.value), bytes(reading.unit), bytes(reading.material));
    return lines;
}

QList<QByteArray> identLines(const GaugeModel& model, int count1, int count2)
{
    QList<QByteArray> lines{bytes(model.nameLine), keyLine("VD", model.software)};
    if (!model.mac.empty()) lines << keyLine("AD", model.mac);
    if (!model.probeType.empty()) lines << keyLine("PT", model.probeType);
    if (!model.probeVersion.empty()) lines << keyLine("VP", model.probeVersion);
    for (const OtherBlock& block : model.otherBlocks) lines << memoryLine(block.number, block.count);
    if (model.memory1Number > 0) lines << memoryLine(model.memory1Number, count1);
    if (model.memory2Number > 0) lines << memoryLine(model.memory2Number, count2);
    return lines;
}

QByteArray dumpHeader(const GaugeModel& model, int memoryNumber, int count)
{
    QByteArray header = bytes(model.nameLine);
    if (memoryNumber > 0) header += " M" + QByteArray::number(memoryNumber) + " " + QByteArray::number(count);
    return header;
}

} // namespace kivo::sim
