// A long online session: a gauge that sends a reading every 10 ms until the
// table is full. Every reading must be in the table and in Online.mes, in
// order and once, and the program must not grow as it goes. It takes about
// a minute, so it runs only when asked: scripts/soak.sh.

#include "MeasurementText.h"

#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>
#include <iostream>

using namespace kivo::e2e;
using namespace Qt::Literals::StringLiterals;

namespace {

// The resident memory of a process in KiB, 0 when it cannot be read.
qint64 residentKiB(qint64 pid)
{
    QFile status(u"/proc/%1/status"_s.arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

} // namespace

TEST(Soak, OnlineEvery10msUntilTheTableIsFull)
{
    if (qEnvironmentVariableIsEmpty("KIVO_SOAK")) GTEST_SKIP() << "runs with scripts/soak.sh";
    constexpr int kCount = 5000;
    DownloadBench bench("ZR", PortType::Cable);
    QList<QByteArray> lines;
    for (int n = 1; n <= kCount; ++n)
        lines << recordLine(n, QByteArray::number(100 + n % 900) + '.' + QByteArray::number(n % 10), "µm", "Fe");
    const QString online = bench.gaugeFile(u"online.txt"_s, lines);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"ZR"_s, u"--online"_s, online, u"--online-style"_s, u"E"_s,
                                           u"--interval-ms"_s, u"10"_s, u"--online-delay-ms"_s, u"1500"_s}))
                    .ready());
    // Large buffers come from and go back to the system at once, so the
    // resident size follows what the program holds, not what the allocator
    // kept after the biggest look.
    bench.session.setEnv(u"MALLOC_MMAP_THRESHOLD_"_s, u"65536"_s);
    bench.session.setEnv(u"MALLOC_TRIM_THRESHOLD_"_s, u"131072"_s);
    QString script = u"locale de_DE\nstart\nselect ComboPort "_s + bench.link() + u"\nclick cmdConnect\n"_s + kUntilIdle
                     + u"click optOnline\n"_s;
    // Looks every second while the first hundred come, then every five
    // seconds: a look at a full table costs the program time too.
    for (int i = 0; i < 5; ++i) script += u"wait-ms 1000\ndump\n"_s;
    for (int i = 0; i < 35; ++i) script += u"wait-ms 10000\ndump\n"_s;
    const std::unique_ptr<QProcess> driver = bench.session.start(script + u"close\n"_s);
    const qint64 pid = driver->processId();
    QList<qint64> memory;
    QElapsedTimer clock;
    clock.start();
    const DriveResult result = DriveSession::finish(*driver, [&](int) { memory << residentKiB(pid); }, 400000);
    ASSERT_EQ(result.dumps.size(), memory.size());

    // The first look with 100 readings, and the first with all of them.
    qsizetype at100 = -1;
    qsizetype full = -1;
    for (qsizetype i = 0; i < result.dumps.size(); ++i) {
        const qsizetype rows = result.dumps[i].gridRows().size() - 1;
        if (at100 < 0 && rows >= 100) at100 = i;
        if (full < 0 && rows >= kCount) full = i;
    }
    ASSERT_GE(at100, 0);
    ASSERT_GE(full, 0) << "the table never filled up: " << result.dumps.last().gridRows().size() - 1 << " readings";
    const Dump& last = result.dumps.last();
    const Grid rows = last.gridRows();
    ASSERT_EQ(rows.size(), kCount + 1);
    for (int n = 1; n <= kCount; ++n) {
        const QString value = u"%1,%2"_s.arg(100 + n % 900).arg(n % 10);
        ASSERT_EQ(rows[n].mid(1, 2), QStringList({QString::number(n).rightJustified(7), value.rightJustified(11)}))
            << "reading " << n;
    }
    EXPECT_TRUE(last.messages().isEmpty());
    const QString saved =
        fromCp1252(DriveSession::readFile(bench.session.messDataPath(kBrand, u"ZORMA-PROBA RIDIVORI"_s) + u"/Online.mes"_s));
    for (int n : {1, 100, 2500, kCount})
        EXPECT_TRUE(saved.contains(fileRow(rows[n][0], n, rows[n][2].trimmed(), u"µm"_s, u"Fe"_s))) << n;
    EXPECT_EQ(saved.count(u"µm   Fe"_s), kCount);

    const double growth = double(memory[full]) / double(memory[at100]);
    std::cout << "soak: 100 readings after look " << at100 << " (" << memory[at100] << " KiB), " << kCount
              << " after look " << full << " (" << memory[full] << " KiB), growth " << growth << ", "
              << clock.elapsed() / 1000 << " s in all\n";
    EXPECT_LE(growth, 1.2);
}
