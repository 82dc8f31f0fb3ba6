// A long online session: a gauge that sends a reading every 10 ms until the
// table is full. Every reading must be in the table and in Online.mes, in
// order and once, and the program must not grow as it goes. It takes about
// five minutes, so it runs only when asked: scripts/soak.sh.

#include "MeasurementText.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <iostream>

using namespace kivo::e2e;
using namespace Qt::Literals::StringLiterals;

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
    // One look while the first readings come, then none until the gauge is
    // done: the driver's looks at a full table would weigh on the memory
    // measured. The memory is read before the look at the full table.
    QString script = u"locale de_DE\nstart\nselect ComboPort "_s + bench.link() + u"\nclick cmdConnect\n"_s + kUntilIdle
                     + u"click optOnline\nwait-ms 2500\ndump\nmemory\n"_s;
    for (int i = 0; i < 24; ++i) script += u"wait-ms 10000\nmemory\n"_s;
    script += u"dump\nclose\n"_s;
    QElapsedTimer clock;
    clock.start();
    const DriveResult result = bench.session.run(script, {}, 400000);
    ASSERT_EQ(result.dumps.size(), 27);
    const Dump& first = result.dumps[0];
    const qint64 early = result.dumps[1].json().value(u"memoryKiB").toInteger();
    const qsizetype earlyCount = first.gridRows().size() - 1;
    ASSERT_GE(earlyCount, 50) << "the readings came too slowly for the first look";
    ASSERT_LE(earlyCount, 300);
    const qint64 late = result.dumps[25].json().value(u"memoryKiB").toInteger();
    const Dump& last = result.dumps.last();
    const Grid rows = last.gridRows();
    ASSERT_EQ(rows.size(), kCount + 1) << "the table never filled up";
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

    std::cout << "soak memory (KiB):";
    for (int i = 1; i <= 25; ++i) std::cout << ' ' << result.dumps[i].json().value(u"memoryKiB").toInteger();
    std::cout << '\n';
    const double growth = double(late) / double(early);
    std::cout << "soak: " << earlyCount << " readings: " << early << " KiB; " << kCount << " readings: " << late
              << " KiB; growth " << growth << "; " << clock.elapsed() / 1000 << " s in all\n";
    EXPECT_LE(growth, 1.2);
}
