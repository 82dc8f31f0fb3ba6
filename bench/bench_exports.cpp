// The two exports of a full table (5000 readings), each from the table's
// data to the finished file in the export folder: the workbook with its
// chart, and the report as a document.

#include "output/ExportFile.h"
#include "output/ReportDocument.h"
#include "output/ReportText.h"
#include "output/WorkbookLayout.h"
#include "output/WorkbookWriter.h"
#include "shared/Messart.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace kivo;

std::vector<ReportRow> fullTable()
{
    std::vector<ReportRow> rows;
    for (int n = 1; n <= kMaxReadings; ++n)
        rows.push_back({QStringLiteral("10:00:01"), n, 20.0 + (n * 7919 % 3000) / 100.0, QStringLiteral("µm  "),
                        QStringLiteral(" Fe")});
    return rows;
}

// Fields read in kA/m and kept in A/cm (× 10): the values carry binary
// noise the workbook must not print, so its file is written a second time.
std::vector<ReportRow> convertedTable()
{
    std::vector<ReportRow> rows;
    for (int n = 1; n <= kMaxReadings; ++n)
        rows.push_back({QStringLiteral("10:00:01"), n, (1 + n * 7919 % 3000) / 100.0 * 10, QStringLiteral("A/cm"),
                        QString()});
    return rows;
}

// The export folder; its files are removed between runs so that it does not
// fill the disk.
void clearFolder(QTemporaryDir& dir)
{
    QDir(dir.path()).removeRecursively();
    QDir().mkpath(dir.path());
}

void exportWorkbook(benchmark::State& state, std::vector<ReportRow> rows)
{
    WorkbookInput in;
    in.reportP = QStringLiteral("NFE-Speicher\r\n\r\nStatistik:\r\n");
    in.stats.firstUnit = QStringLiteral("µm  ");
    in.stats.min = 20;
    in.stats.max = 49.99;
    in.stats.mean = 35;
    in.stats.stdDev = 8.66;
    in.statCount = kMaxReadings;
    in.limits.Emin = 22;
    in.limits.Emax = 48;
    in.limits.Esoll = 35;
    in.heading = {QStringLiteral("07.12.2026"), QStringLiteral("Nr."), QStringLiteral("Messwert"),
                  QStringLiteral("Messeinheit")};
    in.materialart = QStringLiteral("1");
    in.rows = std::move(rows);
    in.chartTitle = QStringLiteral("NFE-Speicher (5000)");
    QTemporaryDir dir;
    for (auto _ : state) {
        const WorkbookLayout layout = buildWorkbook(in, true);
        const ExportOutcome out = saveExport(dir.path(), layout.sheetName, QStringLiteral("xlsx"), QDateTime::currentDateTime(),
                                             true, [&layout](const QString& path) { return writeWorkbook(layout, path, true); });
        if (!out.failure.isEmpty()) state.SkipWithError(out.failure.toUtf8().constData());
        state.PauseTiming();
        clearFolder(dir);
        state.ResumeTiming();
    }
}

void BM_ExportWorkbook5000(benchmark::State& state) { exportWorkbook(state, fullTable()); }
BENCHMARK(BM_ExportWorkbook5000)->Unit(benchmark::kMillisecond);

void BM_ExportWorkbook5000Converted(benchmark::State& state) { exportWorkbook(state, convertedTable()); }
BENCHMARK(BM_ExportWorkbook5000Converted)->Unit(benchmark::kMillisecond);

void BM_ExportDocument5000(benchmark::State& state)
{
    ReportInput in;
    in.memoryName = QStringLiteral("NFE-Speicher");
    in.statisticsTitle = QStringLiteral("Statistik:");
    in.statistics = {QStringLiteral("NFE-Speicher (5000)"), QStringLiteral(" "), QStringLiteral("Statistik:")};
    in.firstUnit = QStringLiteral("µm  ");
    in.heading = {QStringLiteral("07.12.2026"), QStringLiteral("Nr."), QStringLiteral("Messwert")};
    in.rows = fullTable();
    in.locale = QLocale(QLocale::German, QLocale::Germany);
    QTemporaryDir dir;
    for (auto _ : state) {
        const QString report = buildReportText(in, 'A');
        const ExportOutcome out = saveExport(dir.path(), QStringLiteral("Bericht"), QStringLiteral("odt"),
                                             QDateTime::currentDateTime(), true,
                                             [&report](const QString& path) { return writeReportDocument(report, path, true); });
        if (!out.failure.isEmpty()) state.SkipWithError(out.failure.toUtf8().constData());
        state.PauseTiming();
        clearFolder(dir);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ExportDocument5000)->Unit(benchmark::kMillisecond);

} // namespace
