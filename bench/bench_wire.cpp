// What the wire may bring at once: a long identification reply and a burst
// of online lines taken one character at a time. Both must cost no more than
// their length.

#include "device/IdentReply.h"
#include "platform/FakeSerialLink.h"

#include <benchmark/benchmark.h>

static void BM_ParseIdentReply60000Lines(benchmark::State& state)
{
    QString reply = QStringLiteral("RK-TALO\r\n");
    for (int n = 0; n < 60000; ++n) reply += QStringLiteral("VD: 2.05 and more of the same\r\n");
    for (auto _ : state) {
        QString geraet;
        kivo::DeviceInfo device;
        benchmark::DoNotOptimize(kivo::parseIdentReply(reply, QStringLiteral("1 "), geraet, device));
    }
}
BENCHMARK(BM_ParseIdentReply60000Lines)->Unit(benchmark::kMillisecond);

static void BM_ReadBurstByCharacter(benchmark::State& state)
{
    QByteArray burst;
    for (int n = 0; n < 5000; ++n) burst += "   1      1.000 mVs      \r\n";
    for (auto _ : state) {
        kivo::FakeSerialLink link;
        link.setInputLen(1);
        link.receive(burst);
        qsizetype taken = 0;
        while (!link.read().isEmpty()) ++taken;
        benchmark::DoNotOptimize(taken);
    }
    state.SetBytesProcessed(state.iterations() * burst.size());
}
BENCHMARK(BM_ReadBurstByCharacter)->Unit(benchmark::kMillisecond);
