// A bad wire between gauge and program, played by the simulator: noise that
// damages bytes, a wire that goes dead in the middle of a reply, and a cable
// pulled and plugged in again. Each during the identification, a download
// of 5000 readings and online readings.

#include "MeasurementText.h"

#include "GaugeModel.h"
#include "WireFaults.h"

#include <QFileInfo>
#include <QTime>
#include <gtest/gtest.h>
#include <map>
#include <set>

using namespace kivo::e2e;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kSivar = u"RK-SIVAR RIDIVORI"_s;
const QString kZorma = u"ZORMA-PROBA RIDIVORI"_s;
constexpr int kLineLength = 27; // 25 columns and CR LF

// Readings whose neighbours differ in several digits, so that a row made of
// two lines could not pass for either.
QString valueOf(int n) { return u"%1.%2"_s.arg((n * 37) % 900 + 100).arg(n % 10); }

QList<QByteArray> numberedLines(int count, const char* material = "")
{
    QList<QByteArray> lines;
    for (int n = 1; n <= count; ++n) lines << recordLine(n, valueOf(n).toLatin1().constData(), "µm", material);
    return lines;
}

// What a built-in gauge sends for the commands it got, one reply each;
// memory 1 holds `memory1` (the model's own readings when empty).
QByteArray repliesTo(const QStringList& commands, QByteArrayView model, const QList<QByteArray>& memory1 = {})
{
    namespace sim = kivo::sim;
    const sim::GaugeModel& gauge = *sim::findGaugeModel(model);
    const QList<QByteArray> lines = memory1.isEmpty() ? sim::recordLines(gauge.memory1) : memory1;
    const int count1 = sim::countReadings(lines);
    const int count2 = sim::countReadings(sim::recordLines(gauge.memory2));
    QByteArray bytes;
    for (const QString& command : commands) {
        if (command == kIdentify) bytes += sim::identReply(sim::identLines(gauge, count1, count2));
        if (command == kMemory1) bytes += sim::dumpReply(sim::dumpHeader(gauge, gauge.memory1Number, count1), lines);
    }
    return bytes;
}

// The first seed whose noise spares the first `spared` bytes of `clean` (the
// identification) and makes no EM anywhere: that byte says the gauge was
// switched off, which other tests cover.
int seedFor(const QByteArray& clean, qint64 spared, int every)
{
    for (int seed = 1; seed < 1000; ++seed) {
        const QByteArray damaged = kivo::sim::WireFaults(every, quint64(seed)).damage(clean);
        if (damaged.left(spared) == clean.left(spared) && !damaged.contains('\x19')) return seed;
    }
    ADD_FAILURE() << "no seed spares the first " << spared << " bytes at noise " << every;
    return 1;
}

// The lines (of kLineLength bytes from `firstAt`) the noise changed; a
// damaged line end touches the next line too, as the two run together.
std::set<int> touchedLines(const QByteArray& clean, qint64 firstAt, int every, int seed)
{
    const QByteArray damaged = kivo::sim::WireFaults(every, quint64(seed)).damage(clean);
    std::set<int> touched;
    for (qint64 at = firstAt; at < clean.size(); ++at) {
        if (damaged[at] == clean[at]) continue;
        const int line = int((at - firstAt) / kLineLength);
        touched.insert(line);
        if ((at - firstAt) % kLineLength >= 25) touched.insert(line + 1);
    }
    return touched;
}

// Whether a byte at `column` (0-based) of a reading could be what a gauge
// sends there: a changed byte that is still such a byte cannot be seen (the
// wire has no checksum).
bool possibleAt(qint64 column, char c)
{
    const bool digit = c >= '0' && c <= '9';
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (column < 4) return c == ' ' || digit || c == '+' || c == '-';
    if (column >= 6 && column < 16) return c == ' ' || digit || QByteArrayView("+-.Ee").contains(c);
    if (column >= 17 && column < 21) return c == ' ' || letter || c == '/' || c == '%' || c == '\xb5';
    if (column >= 22 && column < 25) return c == ' ' || letter || digit || c == '-';
    return false; // the blanks between the fields, and the line end
}

// The damaged lines whose damage no reader could see: each changed byte is
// one the gauge could have sent in its column.
std::set<int> silentlyDamaged(const QByteArray& clean, qint64 firstAt, int every, int seed)
{
    const QByteArray damaged = kivo::sim::WireFaults(every, quint64(seed)).damage(clean);
    std::map<int, bool> hidden;
    for (qint64 at = firstAt; at < clean.size(); ++at) {
        if (damaged[at] == clean[at]) continue;
        const int line = int((at - firstAt) / kLineLength);
        const bool possible = possibleAt((at - firstAt) % kLineLength, damaged[at]);
        hidden[line] = hidden.contains(line) ? hidden[line] && possible : possible;
    }
    std::set<int> silent;
    for (const auto& [line, yes] : hidden)
        if (yes) silent.insert(line);
    return silent;
}

// Checks the rows of a table against the lines sent: every line the noise
// left alone stands whole and in its place (`rowOf` gives its row for the
// slot it should take); a damaged line gives its own row unchanged or none,
// and a changed row only where the damage could not be seen (`silent`).
// Returns the number of lines without a row.
int checkRows(const Grid& rows, int count, const std::set<int>& touched, const std::set<int>& silent,
              const std::function<QStringList(int line, int slot)>& rowOf)
{
    qsizetype r = 1;
    int missing = 0;
    for (int line = 0; line < count; ++line) {
        const bool hasRow = r < rows.size();
        const QStringList expected = rowOf(line, int(r));
        if (!touched.contains(line)) {
            if (hasRow && rows[r] == expected) ++r;
            else ++missing;
            continue;
        }
        // A damaged line end runs two lines together: the row may be a
        // later line's.
        bool later = false;
        for (int next = line + 1; next <= line + 3 && hasRow; ++next) later = later || rows[r] == rowOf(next, int(r));
        if (hasRow && rows[r] == expected) {
            ++r; // damage in a column the table does not show
        } else if (hasRow && !later) {
            EXPECT_TRUE(silent.contains(line)) << "line " << line + 1 << " was damaged and shown as "
                                               << rows[r].join(u'|').toStdString();
            ++r;
        } else {
            ++missing;
        }
    }
    EXPECT_EQ(r, rows.size()) << "row " << r << " comes from no line: "
                              << (r < rows.size() ? rows[r].join(u'|').toStdString() : std::string());
    return missing;
}

// The time, number and value of each reading row of a measurement file,
// and of each row of a table, as "time|number|value".
QStringList fileReadings(const QByteArray& file)
{
    QStringList rows;
    for (const QString& line : DriveSession::lines(file)) {
        const QStringList fields = fromCp1252(line.toLatin1()).split(u' ', Qt::SkipEmptyParts);
        if (fields.size() >= 3 && QTime::fromString(fields[0], u"hh:mm:ss"_s).isValid())
            rows << fields.mid(0, 3).join(u'|');
    }
    return rows;
}

QStringList tableReadings(const Dump& d)
{
    QStringList rows;
    for (const QStringList& row : d.gridRows().mid(1))
        rows << QStringList({row[0], row[1].trimmed(), row[2].trimmed()}).join(u'|');
    return rows;
}

bool mentionsMissingReadings(const QStringList& messages)
{
    for (const QString& m : messages)
        if (m.contains(u"empfangen wurden nur"_s) || m.contains(u"only"_s)) return true;
    return false;
}

} // namespace

// The table as the program shows it: the heading alone.
bool tableEmpty(const Dump& d) { return d.gridRows().size() == 1; }

TEST(WireNoise, ADamagedIdentificationWaitsOnlyUntilEscape)
{
    DownloadBench bench("RKS", PortType::Cable);
    // Every fifth byte damaged: the reply's lines and its EOT are not what they were.
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s, u"--noise"_s, u"5"_s})).ready());
    const DriveResult result =
        bench.connect(u"wait-ms 2500\nkey Escape\n"_s + kUntilIdle + u"dump\nclose\n"_s);
    EXPECT_EQ(result.exitCode, 0);
    ASSERT_EQ(result.dumps.size(), 1);
    const Dump& d = result.dumps[0];
    EXPECT_FALSE(d.visible(u"escapeHint"_s)) << "still waiting";
    EXPECT_TRUE(tableEmpty(d));
    EXPECT_FALSE(d.text(u"txtWait"_s).trimmed().isEmpty());
}

TEST(WireNoise, DownloadOf5000TakesEveryUndamagedLineWhole)
{
    DownloadBench bench("RKS", PortType::Cable);
    const QList<QByteArray> lines = numberedLines(5000);
    const QString memory = bench.gaugeFile(u"memory1.txt"_s, lines);
    const int every = 1500;
    const QByteArray clean = repliesTo(kCableReadsMemory1, "RKS", lines);
    const qint64 firstLine = clean.size() - 1 - 5000 * kLineLength; // before EOT
    const int seed = seedFor(clean, 3 * repliesTo({kIdentify}, "RKS", lines).size(), every);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s, u"--memory1"_s, memory, u"--noise"_s,
                                           QString::number(every), u"--seed"_s, QString::number(seed)}))
                    .ready());
    const DriveResult result = bench.connect(u"wait-until-idle 30000\ndump\nclose\n"_s, {}, 60000);
    ASSERT_EQ(result.dumps.size(), 1);
    EXPECT_EQ(result.exitCode, 0);
    const Dump& d = result.dumps[0];
    EXPECT_FALSE(d.visible(u"escapeHint"_s));

    ASSERT_EQ(bench.gaugeCommands(), kCableReadsMemory1);
    const std::set<int> touched = touchedLines(clean, firstLine, every, seed);
    ASSERT_GT(touched.size(), 50u);

    const std::set<int> silent = silentlyDamaged(clean, firstLine, every, seed);
    const int missing = checkRows(bench.grid(d), 5000, touched, silent, [](int line, int) {
        return readingRow(line + 1, valueOf(line + 1), kUmNoLabel);
    });
    const QStringList messages = messageTexts(d);
    if (missing > 0) {
        EXPECT_TRUE(mentionsMissingReadings(messages)) << messages.join(u'|').toStdString();
        // The warning counts what the table holds; the damaged lines are said.
        const QString taken = u"empfangen wurden nur %1;"_s.arg(bench.grid(d).size() - 1);
        EXPECT_TRUE(messages.join(u'|').contains(taken)) << messages.join(u'|').toStdString();
    }
}

TEST(WireNoise, OnlineRecordsAreTakenWholeAndSaved)
{
    DownloadBench bench("ZR", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    const int count = 200;
    const QString online = bench.gaugeFile(u"online.txt"_s, numberedLines(count, "Fe"));
    const int every = 700; // more than the identifications and the memory before the records
    const QStringList commands = {kIdentify, kIdentify, kIdentify, kMemory1};
    QByteArray clean = repliesTo(commands, "ZR");
    const qint64 firstRecord = clean.size();
    for (const QByteArray& line : numberedLines(count, "Fe")) clean += kivo::sim::onlineReading(line, kivo::sim::OnlineStyle::E);
    const int seed = seedFor(clean, firstRecord, every);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"ZR"_s, u"--online"_s, online, u"--online-style"_s, u"E"_s,
                                           u"--interval-ms"_s, u"10"_s, u"--online-delay-ms"_s, u"1500"_s, u"--noise"_s, QString::number(every),
                                           u"--seed"_s, QString::number(seed)}))
                    .ready());
    // Looks until the table stops growing (a slower build takes longer),
    // with Online.mes as it was at each look.
    const QString onlineMes = bench.session.messDataPath(kBrand, kZorma) + u"/Online.mes"_s;
    QList<QByteArray> saved;
    QString script = kUntilIdle + u"click optOnline\n"_s;
    for (int i = 0; i < 10; ++i) script += u"wait-ms 1000\ndump\n"_s;
    const DriveResult result = bench.connect(script + u"close\n"_s,
                                             [&](int) { saved << DriveSession::readFile(onlineMes); }, 40000);
    ASSERT_EQ(result.dumps.size(), 10);
    EXPECT_EQ(result.exitCode, 0);
    qsizetype settled = 1;
    while (settled < result.dumps.size()
           && result.dumps[settled].gridRows().size() != result.dumps[settled - 1].gridRows().size())
        ++settled;
    ASSERT_LT(settled, result.dumps.size()) << "the readings never stopped coming";
    const Dump& d = result.dumps[settled];

    ASSERT_EQ(bench.gaugeCommands(), commands);
    const std::set<int> touched = touchedLines(clean, firstRecord, every, seed);
    const std::set<int> silent = silentlyDamaged(clean, firstRecord, every, seed);
    const int missing = checkRows(bench.grid(d), count, touched, silent, [](int line, int slot) {
        return readingRow(slot, valueOf(line + 1).replace(u'.', u','), u"µm    Fe"_s);
    });
    EXPECT_LE(missing, int(touched.size()));
    EXPECT_EQ(fileReadings(saved[settled]), tableReadings(d));
}

// --- A wire that goes dead in the middle of a reply --------------------------

TEST(WireCut, IdentificationWaitsUntilEscapeAndSaysSo)
{
    DownloadBench bench("RKS", PortType::Cable);
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s, u"--cut-after-bytes"_s, u"15"_s})).ready());
    const DriveResult result =
        bench.connect(u"wait-ms 1500\ndump\nkey Escape\n"_s + kUntilIdle + u"dump\nclose\n"_s);
    EXPECT_EQ(result.exitCode, 0);
    ASSERT_EQ(result.dumps.size(), 2);
    EXPECT_TRUE(result.dumps[0].visible(u"escapeHint"_s));
    const Dump& d = result.dumps[1];
    EXPECT_FALSE(d.visible(u"escapeHint"_s));
    EXPECT_EQ(d.text(u"txtWait"_s), u"Nicht Verbunden – das Gerät hat nicht geantwortet."_s);
    EXPECT_TRUE(d.visible(u"cmdConnect"_s));
    EXPECT_TRUE(d.messages().isEmpty());
}

TEST(WireCut, DownloadWaitsUntilEscapeAndTakesNothing)
{
    DownloadBench bench("RKS", PortType::Cable);
    const QString memory = bench.gaugeFile(u"memory1.txt"_s, numberedLines(5000));
    // 60000 bytes: the identifications and about 2200 of the 5000 lines.
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s, u"--memory1"_s, memory, u"--cut-after-bytes"_s,
                                           u"60000"_s}))
                    .ready());
    const DriveResult result = bench.connect(u"wait-ms 1500\ndump\nclick cancelButton\n"_s + kUntilIdle
                                             + u"dump\nclose\n"_s);
    EXPECT_EQ(result.exitCode, 0);
    ASSERT_EQ(result.dumps.size(), 2);
    EXPECT_TRUE(result.dumps[0].visible(u"escapeHint"_s));
    EXPECT_EQ(result.dumps[0].text(u"txtSpeicher"_s), u"LESEN"_s);
    const Dump& d = result.dumps[1];
    EXPECT_FALSE(d.visible(u"escapeHint"_s));
    EXPECT_TRUE(tableEmpty(d)) << "a reading of a broken dump was taken";
    EXPECT_EQ(d.text(u"optFE"_s), u"Speicher (0)"_s);
    EXPECT_EQ(d.text(u"lblConnectHint"_s), u"Lesen abgebrochen – es wurde nichts übernommen."_s);
    EXPECT_TRUE(d.messages().isEmpty());
}

TEST(WireCut, OnlineTakesTheWholeRecordsOnly)
{
    DownloadBench bench("ZR", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    const QString online = bench.gaugeFile(u"online.txt"_s, numberedLines(40, "Fe"));
    // Twenty records and ten bytes of the next.
    const qint64 cut = repliesTo({kIdentify, kIdentify, kIdentify, kMemory1}, "ZR").size() + 20 * kLineLength + 10;
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"ZR"_s, u"--online"_s, online, u"--online-style"_s, u"E"_s,
                                           u"--interval-ms"_s, u"10"_s, u"--online-delay-ms"_s, u"1500"_s, u"--cut-after-bytes"_s, QString::number(cut)}))
                    .ready());
    const DriveResult result = bench.connect(kUntilIdle + u"click optOnline\nwait-ms 2000\ndump\nclose\n"_s);
    EXPECT_EQ(result.exitCode, 0);
    ASSERT_EQ(result.dumps.size(), 1);
    const Dump& d = result.dumps[0];
    Grid expected{germanHeading()};
    for (int n = 1; n <= 20; ++n) expected << readingRow(n, valueOf(n).replace(u'.', u','), u"µm    Fe"_s);
    EXPECT_EQ(bench.grid(d), expected);
    EXPECT_TRUE(d.messages().isEmpty());
    EXPECT_EQ(fileReadings(DriveSession::readFile(bench.session.messDataPath(kBrand, kZorma) + u"/Online.mes"_s)),
              tableReadings(d));
}

// --- The cable pulled and plugged in again -----------------------------------

QString selectAndConnect(const DownloadBench& bench)
{
    return u"select ComboPort "_s + bench.link() + u"\nclick cmdConnect\n"_s;
}

void expectLostLink(const Dump& d, const DownloadBench& bench)
{
    EXPECT_FALSE(d.visible(u"escapeHint"_s)) << "still waiting for a gauge that is gone";
    EXPECT_EQ(messageTexts(d), QStringList({u"Verbindungsabbruch wegen "_s + bench.link() + u" Unplugged\r\n"_s}));
    EXPECT_TRUE(d.visible(u"cmdConnect"_s));
    EXPECT_FALSE(d.list(u"ComboPort"_s).join(u'|').contains(bench.link())) << "the port is still listed";
}

// The port of the bench is offered again.
bool listedAgain(const Dump& d, const DownloadBench& bench)
{
    return d.list(u"ComboPort"_s).join(u'|').contains(bench.link());
}

TEST(WireUnplug, IdentificationEndsAndConnectWorksAfterTheReplug)
{
    DownloadBench bench("RKT", PortType::Bluetooth);
    // The reply takes about 0.7 s at 1200 baud; the cable goes after 0.25 s.
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKT"_s, u"--pace-baud"_s, u"1200"_s,
                                           u"--unplug-after-ms"_s, u"250"_s, u"--replug-after-ms"_s, u"2500"_s}))
                    .ready());
    // The program looks for ports once a second.
    const DriveResult result = bench.connect(u"wait-ms 1800\ndump\nwait-ms 2000\ndump\n"_s + selectAndConnect(bench)
                                                 + u"wait-until-idle 20000\ndump\nclose\n"_s,
                                             {}, 40000);
    EXPECT_EQ(result.exitCode, 0);
    ASSERT_EQ(result.dumps.size(), 3);
    expectLostLink(result.dumps[0], bench);
    EXPECT_TRUE(listedAgain(result.dumps[1], bench));
    const Dump& again = result.dumps[2];
    EXPECT_EQ(again.text(u"txtWait"_s), u"Verbunden"_s);
    EXPECT_EQ(again.text(u"optFE"_s), u"Speicher (10)"_s);
}

TEST(WireUnplug, DownloadOf5000EndsAndAReconnectReadsItWhole)
{
    DownloadBench bench("RKS", PortType::Cable);
    const QString memory = bench.gaugeFile(u"memory1.txt"_s, numberedLines(5000));
    // The dump takes about 6 s at 230400 baud; the cable goes after 1.5 s.
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"RKS"_s, u"--memory1"_s, memory, u"--pace-baud"_s,
                                           u"230400"_s, u"--unplug-after-ms"_s, u"1500"_s, u"--replug-after-ms"_s,
                                           u"3500"_s}))
                    .ready());
    const DriveResult result = bench.connect(u"wait-ms 3000\ndump\nwait-ms 2000\n"_s + selectAndConnect(bench)
                                                 + u"wait-until-idle 30000\ndump\nclose\n"_s,
                                             {}, 60000);
    EXPECT_EQ(result.exitCode, 0);
    ASSERT_EQ(result.dumps.size(), 2);
    expectLostLink(result.dumps[0], bench);
    EXPECT_TRUE(tableEmpty(result.dumps[0])) << "a reading of the broken dump was taken";
    Grid expected{germanHeading()};
    for (int n = 1; n <= 5000; ++n) expected << readingRow(n, valueOf(n), kUmNoLabel);
    const Dump& again = result.dumps[1];
    EXPECT_TRUE(bench.grid(again) == expected) << "rows shown: " << again.gridRows().size() << ", "
                                               << again.text(u"txtWait"_s).toStdString();
    // The box still names the port, so its coming back is announced as well.
    EXPECT_EQ(messageTexts(again), QStringList({u"Verbindungsabbruch wegen "_s + bench.link() + u" plugged in\r\n"_s}));
}

TEST(WireUnplug, OnlineReadingsStayAsTheyWereAndConnectWorksAgain)
{
    DownloadBench bench("ZR", PortType::Cable);
    bench.setLocale(u"de_DE"_s);
    const QString online = bench.gaugeFile(u"online.txt"_s, numberedLines(300, "Fe"));
    ASSERT_TRUE(bench.startSim(simOptions({u"--model"_s, u"ZR"_s, u"--online"_s, online, u"--online-style"_s, u"E"_s,
                                           u"--interval-ms"_s, u"10"_s, u"--online-delay-ms"_s, u"1500"_s, u"--unplug-after-ms"_s, u"2500"_s,
                                           u"--replug-after-ms"_s, u"4500"_s}))
                    .ready());
    const QString onlineMes = bench.session.messDataPath(kBrand, kZorma) + u"/Online.mes"_s;
    QByteArray savedAtUnplug;
    const DriveResult result = bench.connect(
        kUntilIdle + u"click optOnline\nwait-ms 4000\ndump\nwait-ms 2500\n"_s + selectAndConnect(bench) + kUntilIdle
            + u"dump\nclose\n"_s,
        [&](int index) {
            if (index == 0) savedAtUnplug = DriveSession::readFile(onlineMes);
        },
        40000);
    EXPECT_EQ(result.exitCode, 0);
    ASSERT_EQ(result.dumps.size(), 2);
    const Dump& lost = result.dumps[0];
    expectLostLink(lost, bench);
    const qsizetype taken = lost.gridRows().size() - 1;
    EXPECT_GT(taken, 10);
    Grid expected{germanHeading()};
    for (int n = 1; n <= taken; ++n) expected << readingRow(n, valueOf(n).replace(u'.', u','), u"µm    Fe"_s);
    EXPECT_EQ(bench.grid(lost), expected);
    EXPECT_EQ(fileReadings(savedAtUnplug), tableReadings(lost));

    const Dump& again = result.dumps[1];
    EXPECT_EQ(again.text(u"txtWait"_s), u"Verbunden"_s);
    EXPECT_EQ(messageTexts(again), QStringList({u"Verbindungsabbruch wegen "_s + bench.link() + u" plugged in\r\n"_s}));
    EXPECT_EQ(DriveSession::readFile(onlineMes), savedAtUnplug) << "Online.mes changed after the link was lost";
}
