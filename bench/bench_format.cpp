// Formatting values is done for every cell and every statistics line.

#include "table/NumberFormat.h"

#include <benchmark/benchmark.h>

static void BM_FormatValue5000(benchmark::State& state)
{
    const QLocale locale(QLocale::German);
    for (auto _ : state) {
        for (int i = 0; i < 5000; ++i) benchmark::DoNotOptimize(kivo::FormatValue(i * 0.137 - 300.0, QStringLiteral("µm  "), locale));
    }
    state.SetItemsProcessed(state.iterations() * 5000);
}
BENCHMARK(BM_FormatValue5000)->Unit(benchmark::kMillisecond);


