#include "archive/ArchiveJournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace kivo {

namespace {

QJsonValue number(const std::optional<double>& v) { return v ? QJsonValue(*v) : QJsonValue(); }

std::optional<double> numberOf(const QJsonValue& v) { return v.isDouble() ? std::optional<double>(v.toDouble()) : std::nullopt; }

QJsonArray texts(const std::array<QString, 6>& list)
{
    QJsonArray a;
    for (const QString& s : list) a.append(s);
    return a;
}

std::array<QString, 6> textsOf(const QJsonValue& v)
{
    std::array<QString, 6> list;
    const QJsonArray a = v.toArray();
    for (qsizetype i = 0; i < a.size() && i < 6; ++i) list[size_t(i)] = a[i].toString();
    return list;
}

QJsonArray readingJson(const ArchivedReading& r)
{
    return {r.seq, r.nr, r.value, r.unit, r.material, r.date, r.time};
}

std::optional<ArchivedReading> readingOf(const QJsonValue& v)
{
    const QJsonArray a = v.toArray();
    if (a.size() != 7 || !a[0].isDouble() || !a[1].isDouble() || !a[2].isDouble()) return std::nullopt;
    return ArchivedReading{a[0].toInt(), a[1].toInt(), a[2].toDouble(), a[3].toString(),
                           a[4].toString(), a[5].toString(), a[6].toString()};
}

} // namespace

QByteArray journalLine(const ArchiveWrite& w)
{
    QJsonObject o;
    o[u"uuid"] = w.whole ? w.whole->uuid : w.uuid;
    if (w.judged) {
        o[u"judgement"] = w.judged->judgement;
        o[u"met"] = w.judged->met ? QJsonValue(*w.judged->met) : QJsonValue();
        return QJsonDocument(o).toJson(QJsonDocument::Compact);
    }
    if (!w.whole) {
        o[u"reading"] = readingJson(w.reading);
        return QJsonDocument(o).toJson(QJsonDocument::Compact);
    }
    const Inspection& in = *w.whole;
    o[u"takenAt"] = in.takenAt.toUTC().toString(Qt::ISODateWithMs);
    o[u"source"] = in.source;
    o[u"model"] = in.model;
    o[u"gaugeCode"] = in.gaugeCode;
    o[u"gaugeVersion"] = in.gaugeVersion;
    o[u"serial"] = in.serial;
    o[u"captions"] = texts(in.projectCaptions);
    o[u"fields"] = texts(in.projectFields);
    o[u"projectDate"] = in.projectDate;
    o[u"projectTime"] = in.projectTime;
    o[u"limitMin"] = number(in.limitMin);
    o[u"limitMax"] = number(in.limitMax);
    o[u"target"] = number(in.target);
    o[u"unit"] = in.unit;
    o[u"fileName"] = in.fileName;
    o[u"installation"] = in.installation;
    o[u"judgement"] = in.judgement;
    o[u"met"] = in.verdictMet ? QJsonValue(*in.verdictMet) : QJsonValue();
    QJsonArray readings;
    for (const ArchivedReading& r : in.readings) readings.append(readingJson(r));
    o[u"readings"] = readings;
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

std::optional<ArchiveWrite> readJournalLine(const QByteArray& line)
{
    QJsonParseError error;
    const QJsonObject o = QJsonDocument::fromJson(line, &error).object();
    if (error.error != QJsonParseError::NoError || o.value(u"uuid").toString().isEmpty()) return std::nullopt;
    ArchiveWrite w;
    w.uuid = o.value(u"uuid").toString();
    const std::optional<bool> met = o.value(u"met").isBool() ? std::optional<bool>(o.value(u"met").toBool()) : std::nullopt;
    if (!o.contains(u"takenAt") && o.contains(u"judgement")) {
        w.judged = ArchiveWrite::Judged{o.value(u"judgement").toString(), met};
        return w;
    }
    if (o.contains(u"reading")) {
        const std::optional<ArchivedReading> r = readingOf(o.value(u"reading"));
        if (!r) return std::nullopt;
        w.reading = *r;
        return w;
    }
    Inspection in;
    in.uuid = w.uuid;
    in.takenAt = QDateTime::fromString(o.value(u"takenAt").toString(), Qt::ISODateWithMs);
    if (!in.takenAt.isValid()) return std::nullopt;
    in.source = o.value(u"source").toString();
    in.model = o.value(u"model").toString();
    in.gaugeCode = o.value(u"gaugeCode").toString();
    in.gaugeVersion = o.value(u"gaugeVersion").toString();
    in.serial = o.value(u"serial").toString();
    in.projectCaptions = textsOf(o.value(u"captions"));
    in.projectFields = textsOf(o.value(u"fields"));
    in.projectDate = o.value(u"projectDate").toString();
    in.projectTime = o.value(u"projectTime").toString();
    in.limitMin = numberOf(o.value(u"limitMin"));
    in.limitMax = numberOf(o.value(u"limitMax"));
    in.target = numberOf(o.value(u"target"));
    in.unit = o.value(u"unit").toString();
    in.fileName = o.value(u"fileName").toString();
    in.installation = o.value(u"installation").toString();
    in.judgement = o.value(u"judgement").toString();
    in.verdictMet = met;
    for (const QJsonValue& v : o.value(u"readings").toArray()) {
        const std::optional<ArchivedReading> r = readingOf(v);
        if (!r) return std::nullopt;
        in.readings.push_back(*r);
    }
    w.whole = std::move(in);
    return w;
}

std::deque<ArchiveWrite> ArchiveJournal::load()
{
    std::deque<ArchiveWrite> writes;
    skipped = 0;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return writes;
    while (!f.atEnd()) {
        const QByteArray line = f.readLine().trimmed();
        if (line.isEmpty()) continue;
        if (std::optional<ArchiveWrite> w = readJournalLine(line)) writes.push_back(std::move(*w));
        else ++skipped;
    }
    return writes;
}

bool ArchiveJournal::keepAll(const std::deque<ArchiveWrite>& writes) const
{
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly)) return false;
    for (const ArchiveWrite& w : writes) f.write(journalLine(w) + '\n');
    return f.commit();
}

bool ArchiveJournal::append(const ArchiveWrite& write) const
{
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) return false;
    const QByteArray line = journalLine(write) + '\n';
    return f.write(line) == line.size() && f.flush();
}

bool ArchiveJournal::absorb(const QString& otherPath) const
{
    QFile other(otherPath);
    if (!other.exists()) return true;
    if (!other.open(QIODevice::ReadOnly)) return false;
    const QByteArray lines = other.readAll();
    other.close();
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) return false;
    // A line cut short at the end of this journal must not swallow the first one taken over.
    if (f.size() > 0) f.write("\n");
    if (f.write(lines) != lines.size() || !f.flush()) return false;
    f.close();
    return QFile::remove(otherPath);
}

void ArchiveJournal::clear() const { QFile::remove(file); }

} // namespace kivo
