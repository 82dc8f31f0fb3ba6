// The inspection report of a full table of 5000 readings, with limits and
// SSPC-PA 2 chosen: its content built and drawn into a PDF on disk.

#include "output/CustomerReport.h"
#include "ui/ReportPdf.h"
#include "shared/LocaleNumber.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

kivo::ReportSource fullTable()
{
    kivo::ReportSource s;
    s.german = true;
    s.locale = kivo::languageLocale(true);
    s.brand = QStringLiteral("Brenvor");
    s.program = QStringLiteral("RK-SIVAR RIDIVORI V3.02");
    s.gaugeModel = QStringLiteral("RKS");
    s.memory = QStringLiteral("FE-Speicher");
    s.captions = {QStringLiteral("Kunde"), QStringLiteral("Auftrag")};
    s.fields = {QStringLiteral("Werft Nord"), QStringLiteral("A-2026-117")};
    for (int i = 1; i <= 5000; ++i) {
        const double v = 60 + (i * 37 % 801) / 10.0;
        s.readings.push_back({i, v, QStringLiteral("µm  "), QStringLiteral(" Fe"), QStringLiteral("07.12.2026"),
                              QStringLiteral("10:%1:%2").arg(i / 60 % 60, 2, 10, QChar(u'0')).arg(i % 60, 2, 10, QChar(u'0'))});
        s.counted.push_back(v);
    }
    s.limits.Emin = 80;
    s.limits.Emax = 120;
    s.limits.Esoll = 100;
    s.tableName = QStringLiteral("FE-Speicher");
    kivo::Judgement j;
    j.rule = kivo::JudgeRule::SspcPa2;
    j.nominal = 80;
    j.maximum = 120;
    s.judgement = j;
    return s;
}

void BM_CustomerReport5000(benchmark::State& state)
{
    const kivo::ReportSource source = fullTable();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    for (auto _ : state) {
        const QString failure = kivo::writeReportPdf(kivo::buildCustomerReport(source), path);
        if (!failure.isEmpty()) state.SkipWithError(failure.toStdString().c_str());
    }
    state.counters["bytes"] = double(QFileInfo(path).size());
}
BENCHMARK(BM_CustomerReport5000)->Unit(benchmark::kMillisecond);

} // namespace
