// kivo-gauge-sim: plays one gauge on a pseudo-terminal, so the program, its
// tests and the demo talk to a real serial device.

#include "GaugeModel.h"
#include "GaugeSession.h"
#include "LineFile.h"
#include "PtyLink.h"
#include "Replies.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <csignal>
#include <cstdio>
#include <sys/signalfd.h>
#include <unistd.h>

using namespace kivo::sim;

namespace {

struct Options {
    QString link;
    const GaugeModel* model = nullptr;
    std::optional<QList<QByteArray>> ident, memory1, memory2, online;
    std::optional<OnlineStyle> onlineStyle;
    int intervalMs = 1000;
    std::optional<int> firstDelayMs;
    int paceBaud = 0;
    std::optional<int> switchOffAfterMs;
    bool silent = false;
    int noiseEvery = 0;
    int seed = 1;
    std::optional<int> cutAfterBytes, unplugAfterMs, replugAfterMs;
};

int fail(const QString& message)
{
    std::fprintf(stderr, "kivo-gauge-sim: %s\n", qPrintable(message));
    return 2;
}

bool readNumber(const QCommandLineParser& parser, const QString& name, int minimum, int* out, QString* error)
{
    if (!parser.isSet(name)) return true;
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    if (!ok || value < minimum) {
        *error = QStringLiteral("--%1 needs a whole number of at least %2").arg(name).arg(minimum);
        return false;
    }
    *out = value;
    return true;
}

// An option that is either absent or a whole number of at least `minimum`.
bool readOptionalNumber(const QCommandLineParser& parser, const QString& name, int minimum, std::optional<int>* out,
                        QString* error)
{
    if (!parser.isSet(name)) return true;
    int value = 0;
    if (!readNumber(parser, name, minimum, &value, error)) return false;
    *out = value;
    return true;
}

bool readFile(const QCommandLineParser& parser, const QString& name, std::optional<QList<QByteArray>>* out,
              QString* error)
{
    if (!parser.isSet(name)) return true;
    *out = readLineFile(parser.value(name), error);
    return out->has_value();
}

std::optional<Options> parseOptions(const QCoreApplication& app, QString* error)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Plays a gauge on a pseudo-terminal. Built-in models: %1.").arg(gaugeModelCodes().join(QStringLiteral(", "))));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("link"), QStringLiteral("Symbolic link to create for the port."), QStringLiteral("PATH")},
        {QStringLiteral("model"), QStringLiteral("Built-in gauge (default RKS)."), QStringLiteral("CODE"),
         QStringLiteral("RKS")},
        {QStringLiteral("ident"), QStringLiteral("Reply lines to \"$kivo00$\"."), QStringLiteral("FILE")},
        {QStringLiteral("memory1"), QStringLiteral("Record lines of memory 1."), QStringLiteral("FILE")},
        {QStringLiteral("memory2"), QStringLiteral("Record lines of memory 2."), QStringLiteral("FILE")},
        {QStringLiteral("online"), QStringLiteral("Lines to send as online readings."), QStringLiteral("FILE")},
        {QStringLiteral("online-style"), QStringLiteral("E (27-byte records) or V (lines)."), QStringLiteral("E|V")},
        {QStringLiteral("interval-ms"), QStringLiteral("Time between online readings (default 1000)."),
         QStringLiteral("N")},
        {QStringLiteral("online-delay-ms"), QStringLiteral("Time before the first online reading (default: the interval)."),
         QStringLiteral("N")},
        {QStringLiteral("pace-baud"), QStringLiteral("Send no faster than N baud, 8N1."), QStringLiteral("N")},
        {QStringLiteral("switch-off-after-ms"), QStringLiteral("Send EM after N ms and answer nothing more."),
         QStringLiteral("N")},
        {QStringLiteral("silent"), QStringLiteral("Answer nothing, like a switched-off gauge.")},
        {QStringLiteral("noise"), QStringLiteral("Change a random byte in every N bytes sent."), QStringLiteral("N")},
        {QStringLiteral("seed"), QStringLiteral("Seed of the noise (default 1)."), QStringLiteral("S")},
        {QStringLiteral("cut-after-bytes"), QStringLiteral("Stop sending after N bytes and answer nothing more."),
         QStringLiteral("N")},
        {QStringLiteral("unplug-after-ms"), QStringLiteral("Take the port away N ms after it was first opened."),
         QStringLiteral("N")},
        {QStringLiteral("replug-after-ms"), QStringLiteral("Bring it back N ms after it was first opened."),
         QStringLiteral("N")},
    });
    parser.process(app);

    Options options;
    options.link = parser.value(QStringLiteral("link"));
    if (options.link.isEmpty()) {
        *error = QStringLiteral("--link PATH is required");
        return std::nullopt;
    }
    options.model = findGaugeModel(parser.value(QStringLiteral("model")).toLatin1());
    if (!options.model) {
        *error = QStringLiteral("unknown model %1 (known: %2)")
                     .arg(parser.value(QStringLiteral("model")), gaugeModelCodes().join(QStringLiteral(", ")));
        return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("online-style"))) {
        const QString style = parser.value(QStringLiteral("online-style")).toUpper();
        if (style == QLatin1String("E")) options.onlineStyle = OnlineStyle::E;
        else if (style == QLatin1String("V")) options.onlineStyle = OnlineStyle::V;
        else {
            *error = QStringLiteral("--online-style must be E or V");
            return std::nullopt;
        }
    }
    if (!readNumber(parser, QStringLiteral("interval-ms"), 1, &options.intervalMs, error)
        || !readOptionalNumber(parser, QStringLiteral("online-delay-ms"), 0, &options.firstDelayMs, error)
        || !readNumber(parser, QStringLiteral("pace-baud"), 0, &options.paceBaud, error)
        || !readOptionalNumber(parser, QStringLiteral("switch-off-after-ms"), 0, &options.switchOffAfterMs, error)
        || !readNumber(parser, QStringLiteral("noise"), 1, &options.noiseEvery, error)
        || !readNumber(parser, QStringLiteral("seed"), 0, &options.seed, error)
        || !readOptionalNumber(parser, QStringLiteral("cut-after-bytes"), 0, &options.cutAfterBytes, error)
        || !readOptionalNumber(parser, QStringLiteral("unplug-after-ms"), 0, &options.unplugAfterMs, error)
        || !readOptionalNumber(parser, QStringLiteral("replug-after-ms"), 0, &options.replugAfterMs, error))
        return std::nullopt;
    if (options.replugAfterMs && (!options.unplugAfterMs || *options.replugAfterMs <= *options.unplugAfterMs)) {
        *error = QStringLiteral("--replug-after-ms needs --unplug-after-ms and a later time");
        return std::nullopt;
    }
    options.silent = parser.isSet(QStringLiteral("silent"));

    if (!readFile(parser, QStringLiteral("ident"), &options.ident, error)
        || !readFile(parser, QStringLiteral("memory1"), &options.memory1, error)
        || !readFile(parser, QStringLiteral("memory2"), &options.memory2, error)
        || !readFile(parser, QStringLiteral("online"), &options.online, error))
        return std::nullopt;
    return options;
}

// The files override the model's built-in parts; the "M" counts of a built-in
// identification follow the records that are really sent.
SessionSetup buildSetup(const Options& options)
{
    const GaugeModel& model = *options.model;
    const QList<QByteArray> memory1 = options.memory1.value_or(recordLines(model.memory1));
    const QList<QByteArray> memory2 = options.memory2.value_or(recordLines(model.memory2));
    const int count1 = countReadings(memory1);
    const int count2 = countReadings(memory2);

    SessionSetup setup;
    setup.identReply = identReply(options.ident.value_or(identLines(model, count1, count2)));
    setup.memory1Dump = dumpReply(dumpHeader(model, model.memory1Number, count1), memory1);
    setup.memory2Dump = dumpReply(dumpHeader(model, model.memory2Number, count2), memory2);
    if (options.online || options.onlineStyle) {
        const OnlineStyle style = options.onlineStyle.value_or(model.onlineStyle);
        for (const QByteArray& line : options.online.value_or(recordLines(model.online)))
            setup.onlineReadings << onlineReading(line, style);
    }
    setup.interval = std::chrono::milliseconds(options.intervalMs);
    if (options.firstDelayMs) setup.firstDelay = std::chrono::milliseconds(*options.firstDelayMs);
    setup.paceBaud = options.paceBaud;
    if (options.switchOffAfterMs) setup.switchOffAfter = std::chrono::milliseconds(*options.switchOffAfterMs);
    setup.silent = options.silent;
    setup.noiseEvery = options.noiseEvery;
    setup.noiseSeed = quint64(options.seed);
    if (options.cutAfterBytes) setup.cutAfterBytes = *options.cutAfterBytes;
    if (options.unplugAfterMs) setup.unplugAfter = std::chrono::milliseconds(*options.unplugAfterMs);
    if (options.replugAfterMs) setup.replugAfter = std::chrono::milliseconds(*options.replugAfterMs);
    return setup;
}

} // namespace

int main(int argc, char* argv[])
{
    // Termination signals are taken as events of the serve loop, so the link
    // is always removed on the way out.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
    const int stopFd = signalfd(-1, &stopSignals, SFD_CLOEXEC);
    if (stopFd < 0) {
        std::perror("signalfd");
        return 1;
    }

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kivo-gauge-sim"));

    QString error;
    const std::optional<Options> options = parseOptions(app, &error);
    if (!options) return fail(error);

    std::unique_ptr<PtyLink> link = PtyLink::create(options->link, &error);
    if (!link) return fail(error);

    GaugeSession session(std::move(link), options->link, buildSetup(*options));
    std::printf("%s\n", qPrintable(options->link));
    std::fflush(stdout);
    const int code = session.run(stopFd);
    ::close(stopFd);
    return code;
}
