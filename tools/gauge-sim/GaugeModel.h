#pragma once
// The gauges the simulator can play: their identification and the readings
// in their memories, as rows of constant tables.

#include "Replies.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <span>
#include <string_view>

namespace kivo::sim {

struct Reading {
    std::string_view value;    // as the gauge prints it, "." as decimal point
    std::string_view unit;     // "µm" is written with the byte 0xB5
    std::string_view material; // columns 23-25; empty for gauges without a label
};

// Another memory block of a gauge with numbered blocks: only its count is
// announced; the block "$kivo10$" sends is the model's memory 1.
struct OtherBlock {
    int number;
    int count;
};

struct GaugeModel {
    std::string_view code;         // RKT, RKS, RKM, DOR, ZR, VX, FEB, FNB
    std::string_view nameLine;     // first line of the identification reply
    std::string_view software;     // "VD:" line
    std::string_view mac;          // "AD:" line, Bluetooth gauges only
    std::string_view probeType;    // "PT:" line, probe gauges only
    std::string_view probeVersion; // "VP:" line
    OnlineStyle onlineStyle;       // how the gauge sends online readings
    int memory1Number;             // n of the "M<n>:" line of memory 1; 0 = no memory
    int memory2Number;             // n of the "M<n>:" line of memory 2; 0 = one memory only
    std::span<const OtherBlock> otherBlocks;
    std::span<const Reading> memory1;
    std::span<const Reading> memory2;
    std::span<const Reading> online;
};

// The codes of the built-in gauges, in table order.
QStringList gaugeModelCodes();

// The row of a model code (case ignored); nullptr when there is none.
const GaugeModel* findGaugeModel(QByteArrayView code);

// The readings of a table as record lines, numbered from 1.
QList<QByteArray> recordLines(std::span<const Reading> readings);

// The identification reply lines of a model whose memories hold count1 and
// count2 readings. The "M" line of the block that is sent comes last, because
// the program takes its number and count from the last "M" line of a gauge
// with numbered blocks.
QList<QByteArray> identLines(const GaugeModel& model, int count1, int count2);

// The header line a memory dump starts with (the program does not read it).
QByteArray dumpHeader(const GaugeModel& model, int memoryNumber, int count);

} // namespace kivo::sim
