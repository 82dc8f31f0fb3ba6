// The table on 5000 readings: a whole memory dump taken in, the grid
// rebuilt (as a table switch, a limits change or "+/-" does), and a reading
// deleted.

#include "session/ModelTable.h"
#include "ui/frmTransfer.h"
#include "device/DumpSplit.h"
#include "ui/ChartPanel.h"
#include "platform/FakeSerialLink.h"
#include "SilentDialogs.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using namespace kivo;

using bench::SilentDialogs;

// A dump as an RK-SIVAR sends it: header, STX line, 5000 records, EOT.
QString dump5000()
{
    QString dump = QStringLiteral("RK-SIVAR M1 5000\r\n\x02\r\n");
    for (int i = 1; i <= 5000; ++i) {
        const double value = 40.0 + (i % 97) * 0.37 - (i % 13 == 0 ? 60.0 : 0.0);
        dump += QStringLiteral("%1  %2 µm      \r\n").arg(i, 4).arg(value, 10, 'f', 2);
    }
    return dump + u'\x04';
}

struct Program {
    Program()
    {
        qputenv("XDG_CONFIG_HOME", QDir(folder.path()).filePath(QStringLiteral("config")).toUtf8());
        qputenv("XDG_DATA_HOME", QDir(folder.path()).filePath(QStringLiteral("data")).toUtf8());
        Platform platform;
        platform.dialogs = &dialogs;
        platform.singleInstance = false;
        platform.makeSerialLink = [this] {
            auto link = std::make_unique<FakeSerialLink>();
            wire = link.get();
            return link;
        };
        window = std::make_unique<frmTransfer>(platform, folder.path());
        window->Form_Load();
        window->session().identity().geraet = QStringLiteral("RKS");
        window->deviceLink().setProfile(*profileFor(QStringLiteral("RKS")));
        LimitFields limits;
        limits.Emin = 40;
        limits.Emax = 60;
        window->session().tables().setLimits(limits);
        window->session().showTable(kFE);
        window->show();
    }
    QTemporaryDir folder;
    SilentDialogs dialogs;
    FakeSerialLink* wire = nullptr;
    std::unique_ptr<frmTransfer> window;
};

void BM_IngestDump5000(benchmark::State& state)
{
    Program program;
    frmTransfer& w = *program.window;
    const QString dump = dump5000();
    for (auto _ : state) {
        w.ResetStatistics();
        w.session().tables().ClearRecords(kFE);
        w.ParseDownloadedLines(splitDump(dump, kMaxReadings).lines);
        QCoreApplication::processEvents(); // the view catches up, as on screen
    }
    if (w.session().tables().count(kFE) != 5000) state.SkipWithError("not every reading arrived");
}
BENCHMARK(BM_IngestDump5000)->Unit(benchmark::kMillisecond);

// A DORNA's burst of 5000 online lines, one in a hundred damaged on the
// wire: each line checked, the whole ones taken into the table and saved.
void BM_OnlineLineIntake5000(benchmark::State& state)
{
    Program program;
    frmTransfer& w = *program.window;
    w.deviceLink().setProfile(*profileFor(QStringLiteral("DOR")));
    w.deviceLink().setPortnr(QStringLiteral("ttyUSB0"));
    QByteArray burst;
    for (int i = 1; i <= 5000; ++i) {
        QByteArray line = QString::asprintf("%4d  %10.3f mVs     ", i, 2.0 + (i % 89) * 0.013).toLatin1();
        if (i % 100 == 50) line[12] = '\xff';
        burst += line + "\r\n";
    }
    for (auto _ : state) {
        state.PauseTiming();
        w.session().tables().ClearRecords(kOnline);
        w.session().tables().setOnlineZaehler(1);
        w.optOnline_Click();
        state.ResumeTiming();
        program.wire->receive(burst);
        QCoreApplication::processEvents(); // the save and the view catch up
    }
    if (w.session().tables().count(kOnline) != 4950) state.SkipWithError("not every whole line was taken");
}
BENCHMARK(BM_OnlineLineIntake5000)->Unit(benchmark::kMillisecond);

void BM_RebuildTable5000(benchmark::State& state)
{
    Program program;
    frmTransfer& w = *program.window;
    w.ParseDownloadedLines(splitDump(dump5000(), kMaxReadings).lines);
    for (auto _ : state) {
        w.ResetStatistics();
        w.RebuildTable();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_RebuildTable5000)->Unit(benchmark::kMillisecond);

// The operator marks a reading of a full table and deletes it: confirm,
// renumber, rebuild, statistics.
void BM_DeleteRow5000(benchmark::State& state)
{
    Program program;
    frmTransfer& w = *program.window;
    const QStringList lines = splitDump(dump5000(), kMaxReadings).lines;
    for (auto _ : state) {
        state.PauseTiming();
        w.ResetStatistics();
        w.session().tables().ClearRecords(kFE);
        w.ParseDownloadedLines(lines);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        w.MSFlex_Click(2500);
        w.cmdFlexZeileLoeschen_Click();
        QCoreApplication::processEvents();
    }
    if (w.session().tables().count(kFE) != 4999) state.SkipWithError("the reading was not deleted");
}
BENCHMARK(BM_DeleteRow5000)->Unit(benchmark::kMillisecond);

// The main window's chart of a full table: chart table, series, axes and
// the first paint.
void BM_BuildChart5000(benchmark::State& state)
{
    Program program;
    frmTransfer& w = *program.window;
    w.ParseDownloadedLines(splitDump(dump5000(), kMaxReadings).lines);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        w.cmdChart_Click(); // the chart
        benchmark::DoNotOptimize(w.findChild<ChartPanel*>(QStringLiteral("MSChart1"))->grab());
        state.PauseTiming();
        w.cmdChart_Click(); // back to the statistics
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BuildChart5000)->Unit(benchmark::kMillisecond);

// A full table saved as a measurement file: what every online delivery
// costs at the end of a session, when Online.mes holds 5000 readings.
void BM_SaveTable5000(benchmark::State& state)
{
    Program program;
    frmTransfer& w = *program.window;
    w.ParseDownloadedLines(splitDump(dump5000(), kMaxReadings).lines);
    QCoreApplication::processEvents();
    for (auto _ : state) w.cmdSave_Click();
}
BENCHMARK(BM_SaveTable5000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
