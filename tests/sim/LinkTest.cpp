// The simulator as the program meets it: a serial device behind a link.
// Every wait here is bounded, so a broken simulator fails instead of hanging.

#include "Replies.h"
#include "WireFaults.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// A running simulator with its link in a fresh folder.
class Simulator {
public:
    bool start(const QStringList& arguments)
    {
        if (!dir_.isValid()) return false;
        link_ = dir_.filePath(QStringLiteral("gauge"));
        process_.setProgram(QStringLiteral(KIVO_GAUGE_SIM));
        process_.setArguments(QStringList{QStringLiteral("--link"), link_} + arguments);
        process_.start();
        if (!process_.waitForStarted(5000)) return false;
        // The simulator prints the link once the port is ready.
        const Clock::time_point deadline = Clock::now() + milliseconds(5000);
        while (!process_.canReadLine() && Clock::now() < deadline) process_.waitForReadyRead(100);
        return process_.readLine().trimmed() == link_.toLocal8Bit();
    }

    // Ends the simulator as an operator would; its exit code, or -1.
    int stop()
    {
        if (process_.state() == QProcess::NotRunning) return -1;
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(1000);
            return -1;
        }
        stderr_ += process_.readAllStandardError();
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }

    ~Simulator() { stop(); }

    QString writeFile(const QString& name, const QByteArray& content)
    {
        const QString path = dir_.filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) file.write(content);
        return path;
    }

    const QString& link() const { return link_; }
    QByteArray commandLog() { return stderr_ += process_.readAllStandardError(); }

private:
    QTemporaryDir dir_;
    QString link_;
    QProcess process_;
    QByteArray stderr_;
};

// The port as a plain program opens it.
class Port {
public:
    explicit Port(const QString& path)
    {
        fd_ = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd_ < 0) return;
        termios tio {};
        ::tcgetattr(fd_, &tio);
        ::cfmakeraw(&tio);
        ::cfsetispeed(&tio, B38400);
        ::cfsetospeed(&tio, B38400);
        ::tcsetattr(fd_, TCSANOW, &tio);
    }
    ~Port() { close(); }
    void close()
    {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
    bool isOpen() const { return fd_ >= 0; }

    bool write(const QByteArray& bytes) { return ::write(fd_, bytes.constData(), size_t(bytes.size())) == bytes.size(); }

    // Reads until done(received) holds or the time is up.
    QByteArray readUntil(const std::function<bool(const QByteArray&)>& done, milliseconds limit)
    {
        QByteArray received;
        const Clock::time_point deadline = Clock::now() + limit;
        while (!done(received)) {
            const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
            if (left <= 0) break;
            pollfd pfd{fd_, POLLIN, 0};
            if (::poll(&pfd, 1, int(left)) <= 0) continue;
            char buffer[1024];
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n > 0) received.append(buffer, n);
        }
        return received;
    }

    QByteArray readReply(milliseconds limit = milliseconds(5000))
    {
        return readUntil([](const QByteArray& r) { return r.endsWith(kivo::sim::kEot); }, limit);
    }

private:
    int fd_ = -1;
};

const QByteArray kIdentify = "$kivo00$\r\n";
const QByteArray kMemory1 = "$kivo10$\r\n";
const QByteArray kMemory2 = "$kivo11$\r\n";

} // namespace

TEST(SimLink, AnswersIdentificationUpToEot)
{
    Simulator sim;
    ASSERT_TRUE(sim.start({"--model", "RKS"}));
    Port port(sim.link());
    ASSERT_TRUE(port.isOpen());
    ASSERT_TRUE(port.write(kIdentify));
    const QByteArray reply = port.readReply();
    EXPECT_EQ(reply, QByteArray("RK-SIVAR\r\nVD: 2.05\r\nM1:12\r\n\x04"));
    port.close();

    EXPECT_EQ(sim.stop(), 0);
    EXPECT_TRUE(sim.commandLog().contains("$kivo00$\n"));
    EXPECT_FALSE(QFileInfo::exists(sim.link())) << "the link is removed on exit";
}

TEST(SimLink, DumpsMemoryFilesWithMatchingCounts)
{
    Simulator sim;
    const QByteArray records = "   1        72.4 \xB5m    Fe\r\n"
                               "   2        75.1 ym    Fe\r\n"
                               "    a line that is no reading\r\n"
                               "   3       0.512 mm    Fe\r\n";
    const QString memory1 = sim.writeFile("m1.txt", records);
    ASSERT_TRUE(sim.start({"--model", "FNB", "--memory1", memory1}));
    Port port(sim.link());
    ASSERT_TRUE(port.write(kIdentify));
    const QByteArray ident = port.readReply();
    EXPECT_TRUE(ident.startsWith("FN-B VELO-PROBA\r\n"));
    EXPECT_TRUE(ident.contains("\r\nM1:3\r\n"));
    EXPECT_TRUE(ident.contains("\r\nM2:6\r\n"));

    ASSERT_TRUE(port.write(kMemory1));
    const QByteArray dump = port.readReply();
    const qsizetype stx = dump.indexOf("\r\n\x02\r\n");
    ASSERT_GT(stx, 0) << "a header line comes first";
    EXPECT_EQ(dump.mid(stx + 5), records + "\x04");

    ASSERT_TRUE(port.write(kMemory2));
    const QByteArray dump2 = port.readReply();
    EXPECT_EQ(dump2.count("\r\n"), 2 + 6);
    EXPECT_EQ(dump2.count("NFe\r\n"), 6);
}

TEST(SimLink, ReopenedPortStillAnswers)
{
    Simulator sim;
    ASSERT_TRUE(sim.start({"--model", "ZR"}));
    for (int round = 0; round < 3; ++round) {
        Port port(sim.link());
        ASSERT_TRUE(port.isOpen());
        ASSERT_TRUE(port.write(kIdentify));
        EXPECT_TRUE(port.readReply().startsWith("ZR-1 ZORMA-PROBA\r\n")) << "round " << round;
    }
}

TEST(SimLink, IdentFileIsSentAsItStands)
{
    Simulator sim;
    const QString ident = sim.writeFile("ident.txt", "FE-B VELO-PROBA\r\nVD:  7.0 \r\nM1:0\r\nM2:20\r\n");
    ASSERT_TRUE(sim.start({"--ident", ident}));
    Port port(sim.link());
    ASSERT_TRUE(port.write(kIdentify));
    EXPECT_EQ(port.readReply(), QByteArray("FE-B VELO-PROBA\r\nVD:  7.0 \r\nM1:0\r\nM2:20\r\n\x04"));
}

TEST(SimLink, PacedDumpTakesAsLongAsTheWire)
{
    Simulator sim;
    // 142 records of 27 bytes and the framing: about 3840 bytes, one second at 38400 baud.
    QByteArray records;
    for (int i = 1; i <= 142; ++i) records += kivo::sim::formatRecord(i, QByteArray::number(40 + i % 9) + ".5", "\xB5m", "Fe") + "\r\n";
    const QString memory1 = sim.writeFile("m1.txt", records);
    ASSERT_TRUE(sim.start({"--memory1", memory1, "--pace-baud", "38400"}));
    Port port(sim.link());
    const Clock::time_point start = Clock::now();
    ASSERT_TRUE(port.write(kMemory1));
    const QByteArray dump = port.readReply(milliseconds(10000));
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    ASSERT_TRUE(dump.endsWith(kivo::sim::kEot));
    EXPECT_GE(dump.size(), 3834);
    EXPECT_GE(seconds, 0.8);
}

TEST(SimLink, OnlineRecordsOfStyleEAre27Bytes)
{
    Simulator sim;
    ASSERT_TRUE(sim.start({"--model", "ZR", "--online-style", "E", "--interval-ms", "50"}));
    Port port(sim.link());
    const QByteArray received = port.readUntil([](const QByteArray& r) { return r.size() >= 3 * 27; }, milliseconds(5000));
    ASSERT_GE(received.size(), 3 * 27);
    for (int i = 0; i < 3; ++i) {
        const QByteArray record = received.mid(i * 27, 27);
        EXPECT_TRUE(record.endsWith("\r\n")) << record.constData();
        EXPECT_EQ(record.indexOf("\r\n"), 25);
    }
    EXPECT_EQ(received.mid(6, 10), QByteArray("     126.3"));
}

TEST(SimLink, OnlineFileOfStyleVIsSentLineByLine)
{
    Simulator sim;
    const QString online = sim.writeFile("online.txt", "   1        50.1 \xB5m\r\n   2        -1.7 \xB5m\r\n");
    ASSERT_TRUE(sim.start({"--online", online, "--online-style", "V", "--interval-ms", "50"}));
    Port port(sim.link());
    const QByteArray expected = "   1        50.1 \xB5m\r\n   2        -1.7 \xB5m\r\n";
    EXPECT_EQ(port.readUntil([&](const QByteArray& r) { return r.size() >= expected.size(); }, milliseconds(5000)),
              expected);
}

TEST(SimLink, SwitchesOffWithEmAndThenKeepsQuiet)
{
    Simulator sim;
    ASSERT_TRUE(sim.start({"--model", "RKS", "--switch-off-after-ms", "300"}));
    Port port(sim.link());
    EXPECT_EQ(port.readUntil([](const QByteArray& r) { return !r.isEmpty(); }, milliseconds(5000)),
              QByteArray(1, kivo::sim::kEm));
    ASSERT_TRUE(port.write(kIdentify));
    EXPECT_TRUE(port.readUntil([](const QByteArray& r) { return !r.isEmpty(); }, milliseconds(300)).isEmpty());
}

TEST(SimLink, SilentGaugeAnswersNothingButLogs)
{
    Simulator sim;
    ASSERT_TRUE(sim.start({"--model", "VX", "--silent"}));
    Port port(sim.link());
    ASSERT_TRUE(port.write("junk\r\n" + kIdentify));
    EXPECT_TRUE(port.readUntil([](const QByteArray& r) { return !r.isEmpty(); }, milliseconds(300)).isEmpty());
    port.close();
    EXPECT_EQ(sim.stop(), 0);
    EXPECT_EQ(sim.commandLog(), QByteArray("junk\n$kivo00$\n"));
}

// --- A bad wire --------------------------------------------------------------

TEST(SimFaults, NoiseChangesOneByteInEveryBlockTheSameWayEachTime)
{
    const QByteArray clean(1000, 'a');
    kivo::sim::WireFaults whole(100, 7);
    const QByteArray noisy = whole.damage(clean);
    int changed = 0;
    for (qsizetype i = 0; i < clean.size(); ++i)
        if (noisy[i] != clean[i]) {
            ++changed;
            EXPECT_EQ(kivo::sim::noiseHit(7, 100, i / 100).offset, i);
        }
    EXPECT_EQ(changed, 10);
    // Sent in pieces, the stream is damaged just the same.
    kivo::sim::WireFaults pieces(100, 7);
    QByteArray joined;
    for (qsizetype at = 0; at < clean.size(); at += 37) {
        const QByteArray piece = pieces.damage(clean.mid(at, 37));
        pieces.sent(piece.size());
        joined += piece;
    }
    EXPECT_EQ(joined, noisy);
    EXPECT_NE(kivo::sim::WireFaults(100, 8).damage(clean), noisy);
}

TEST(SimFaults, CutStopsTheReplyAndEverythingAfter)
{
    const QByteArray reading = "   1        10.0 \xB5m      \r\n";
    Simulator sim;
    const QString memory1 = sim.writeFile("m1.txt", reading.repeated(5));
    ASSERT_TRUE(sim.start({"--model", "RKS", "--memory1", memory1, "--cut-after-bytes", "40"}));
    Port port(sim.link());
    ASSERT_TRUE(port.write(kIdentify));
    const QByteArray first = port.readReply(milliseconds(1500));
    EXPECT_EQ(first.size(), 27) << "the whole identification is shorter than the cut";
    ASSERT_TRUE(port.write(kMemory1));
    const QByteArray dump = port.readReply(milliseconds(1500));
    EXPECT_EQ(dump.size(), 13);
    EXPECT_FALSE(dump.contains(kivo::sim::kEot));
    ASSERT_TRUE(port.write(kIdentify));
    EXPECT_TRUE(port.readReply(milliseconds(800)).isEmpty()) << "a dead wire answers nothing more";
}

TEST(SimFaults, UnpluggedLinkVanishesAndComesBack)
{
    Simulator sim;
    ASSERT_TRUE(sim.start({"--model", "RKS", "--unplug-after-ms", "600", "--replug-after-ms", "1400"}));
    {
        Port port(sim.link());
        ASSERT_TRUE(port.write(kIdentify));
        EXPECT_TRUE(port.readReply().endsWith(kivo::sim::kEot));
        const Clock::time_point deadline = Clock::now() + milliseconds(3000);
        while (QFileInfo::exists(sim.link()) && Clock::now() < deadline) ::usleep(20000);
        EXPECT_FALSE(QFileInfo::exists(sim.link()));
    }
    const Clock::time_point deadline = Clock::now() + milliseconds(3000);
    while (!QFileInfo::exists(sim.link()) && Clock::now() < deadline) ::usleep(20000);
    ASSERT_TRUE(QFileInfo::exists(sim.link()));
    Port again(sim.link());
    ASSERT_TRUE(again.write(kIdentify));
    EXPECT_EQ(again.readReply(), QByteArray("RK-SIVAR\r\nVD: 2.05\r\nM1:12\r\n\x04"));
}
