#include "DownloadBench.h"

#include <QDir>
#include <gtest/gtest.h>

namespace kivo::e2e {

namespace {

// The gauges write 8-bit text; µ is the single byte 0xB5.
QByteArray gaugeText(const char* utf8) { return QString::fromUtf8(utf8).toLatin1(); }

QByteArray rightAligned(const QByteArray& text, qsizetype width) { return text.rightJustified(width, ' ', true); }

} // namespace

QByteArray recordLine(int number, const char* value, const char* unit, const char* material)
{
    return rightAligned(QByteArray::number(number), 4) + "  " + rightAligned(gaugeText(value), 10) + ' '
           + gaugeText(unit).leftJustified(4, ' ', true) + ' ' + rightAligned(gaugeText(material), 3);
}

QStringList readingRow(int number, const QString& value, const QString& unitCell)
{
    return {kClock, QString::number(number).rightJustified(7), value.rightJustified(11), unitCell};
}

QStringList messageTexts(const Dump& dump)
{
    QStringList texts;
    for (const auto& m : dump.messages()) texts << m.toObject().value(u"text").toString();
    return texts;
}

QStringList germanHeading()
{
    return {kToday, QStringLiteral("Nr."), QStringLiteral("Messwert"), QStringLiteral("Messeinheit")};
}

QStringList englishHeading()
{
    return {kToday, QStringLiteral("No."), QStringLiteral("Value"), QStringLiteral("Unit")};
}

QStringList statisticsList(const QString& name, const QString& heading, int count, const QStringList& values,
                           const QString& unit, Language language)
{
    const QStringList labels = language == Language::German
        ? QStringList{QStringLiteral("Anzahl"), QStringLiteral("Minimum"), QStringLiteral("Maximum"),
                      QStringLiteral("Mittelwert"), QStringLiteral("Std.Abweichung")}
        : QStringList{QStringLiteral("Number"), QStringLiteral("Minimum"), QStringLiteral("Maximum"),
                      QStringLiteral("Average"), QStringLiteral("Std.Deviation")};
    QStringList list{name, QStringLiteral(" "), heading, QStringLiteral(" "),
                     labels[0].leftJustified(16) + QString::number(count).rightJustified(8)};
    for (qsizetype i = 0; i < values.size() && i + 1 < labels.size(); ++i)
        list << labels[i + 1].leftJustified(16) + values[i].rightJustified(11) + u' ' + unit;
    return list;
}

DownloadBench::DownloadBench(const QByteArray& model, PortType type) : session(model + "\r\n")
{
    linkPath = session.path(QStringLiteral("gauge"));
    session.setEnv(QStringLiteral("KIVO_EXTRA_PORTS"),
                   linkPath + (type == PortType::Bluetooth ? QStringLiteral(":BTH") : QStringLiteral(":VCP")));
}

QString DownloadBench::gaugeFile(const QString& name, const QList<QByteArray>& lines) const
{
    QByteArray bytes;
    for (const QByteArray& line : lines) bytes += line + "\r\n";
    const QString file = session.path(name);
    DriveSession::writeFile(file, bytes);
    return file;
}

void DownloadBench::settingsFile(const QString& pgmname, const QString& name, const QByteArray& bytes) const
{
    DriveSession::writeFile(QDir(session.appDataPath(QStringLiteral("Brenvor"), pgmname)).filePath(name), bytes);
}

GaugeSim& DownloadBench::startSlowRks()
{
    QList<QByteArray> lines;
    for (int n = 1; n <= 40; ++n) lines << recordLine(n, "10.0", "µm");
    const QString memory = gaugeFile(QStringLiteral("memory1.txt"), lines);
    return startSim({QStringLiteral("--model"), QStringLiteral("RKS"), QStringLiteral("--memory1"), memory,
                     QStringLiteral("--pace-baud"), QStringLiteral("4800")});
}

GaugeSim& DownloadBench::startSim(const QStringList& options)
{
    sim.reset(); // one gauge at the link at a time
    sim = std::make_unique<GaugeSim>(linkPath, options);
    return *sim;
}

RawGauge& DownloadBench::startRawGauge()
{
    raw = std::make_unique<RawGauge>(linkPath);
    return *raw;
}

QStringList DownloadBench::gaugeCommands() const
{
    if (sim) return sim->commands();
    if (raw) return raw->commands();
    return {};
}

DriveResult DownloadBench::connect(const QString& afterConnect, const std::function<void(int)>& onDump, int timeoutMs)
{
    const QString script = (locale.isEmpty() ? QString() : QStringLiteral("locale %1\n").arg(locale))
                           + QStringLiteral("start\nselect ComboPort %1\nclick cmdConnect\n").arg(linkPath) + afterConnect;
    runStart = QDateTime::currentDateTime();
    DriveResult result = session.run(script, onDump, timeoutMs);
    runEnd = QDateTime::currentDateTime();
    EXPECT_TRUE(result.endedInTime) << "the program did not finish the script in time";
    // The driver reports a command it could not play (a click on a hidden
    // button, a wait that ran out) on standard error.
    for (const QString& line : result.errors.split(u'\n'))
        EXPECT_FALSE(line.startsWith(QStringLiteral("kivo-drive:"))) << line.toStdString();
    return result;
}

QList<QStringList> DownloadBench::grid(const Dump& dump) const
{
    const QString format = QStringLiteral("dd.MM.yyyy");
    const QStringList today = {runStart.date().toString(format), runEnd.date().toString(format)};
    // Clock times have whole seconds: the run starts at its second.
    const QTime started = runStart.time();
    const QDateTime from(runStart.date(), QTime(started.hour(), started.minute(), started.second()));
    auto clockFits = [&](const QString& text) {
        const QTime time = QTime::fromString(text, QStringLiteral("hh:mm:ss"));
        if (!time.isValid()) return false;
        if (runStart.date() != runEnd.date()) return true; // the run passed midnight
        const QDateTime at(runStart.date(), time);
        return at >= from && at <= runEnd;
    };
    QList<QStringList> rows = dump.gridRows();
    for (qsizetype r = 0; r < rows.size(); ++r) {
        if (rows[r].isEmpty()) continue;
        QString& first = rows[r][0];
        if (r == 0 && today.contains(first)) first = kToday;
        else if (r > 0 && clockFits(first)) first = kClock;
    }
    return rows;
}

} // namespace kivo::e2e
