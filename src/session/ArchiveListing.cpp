#include "session/ArchiveListing.h"

#include "table/NumberFormat.h"
#include "texts/Phrases.h"

namespace kivo {

namespace {

// A field on one line.
QString oneLine(QString text)
{
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator) c = u' ';
    return text;
}

QString optionalNumber(const std::optional<double>& v, const QLocale& locale)
{
    return v ? locale.toString(*v) : QStringLiteral("-");
}

QString labelled(Phrase label, const QString& value, bool german)
{
    return phrase(label, german) + QStringLiteral(": ") + oneLine(value);
}

} // namespace

QString sourceName(const QString& source, bool german)
{
    if (source == u"memory1") return phrase(Phrase::ArchiveMemory1, german);
    if (source == u"memory2") return phrase(Phrase::ArchiveMemory2, german);
    if (source == u"online") return phrase(Phrase::ArchiveOnline, german);
    if (source == u"file") return phrase(Phrase::ArchiveFromFile, german);
    return source;
}

QString takenText(const QDateTime& takenAt, bool german)
{
    return takenAt.toLocalTime().toString(german ? QStringLiteral("dd.MM.yyyy HH:mm") : QStringLiteral("yyyy-MM-dd HH:mm"));
}

QString gaugeText(const QString& model, const QString& gaugeCode, const QString& serial)
{
    const QString gauge = gaugeCode.trimmed().isEmpty() ? model : gaugeCode.trimmed();
    return serial.isEmpty() ? gauge : gauge + u' ' + serial;
}

QString meanText(double mean, const QString& unit, const QLocale& locale) { return FormatValue(mean, unit, locale).trimmed(); }

QStringList listHeadings(const std::array<QString, 6>& captions, bool german)
{
    QStringList h{phrase(Phrase::ArchiveId, german), phrase(Phrase::ArchiveDate, german),
                  phrase(Phrase::ArchiveGauge, german), phrase(Phrase::ArchiveMemory, german)};
    for (const QString& c : captions) h << c;
    h << phrase(Phrase::ArchiveCount, german) << phrase(Phrase::ArchiveUnit, german) << phrase(Phrase::ArchiveMean, german);
    return h;
}

QStringList listCells(const InspectionSummary& s, bool german, const QLocale& locale)
{
    QStringList cells{QString::number(s.id), takenText(s.takenAt, german), gaugeText(s.model, s.gaugeCode, s.serial),
                      sourceName(s.source, german)};
    for (const QString& f : s.projectFields) cells << oneLine(f);
    cells << QString::number(s.count) << s.unit.trimmed()
          << (s.count > 0 && !s.mixedUnits ? meanText(s.mean, s.unit, locale) : QString());
    return cells;
}

QString listLine(const InspectionSummary& s, bool german)
{
    QStringList cells{QString::number(s.id), takenText(s.takenAt, german), oneLine(gaugeText(s.model, s.gaugeCode, s.serial)),
                      sourceName(s.source, german), QString::number(s.count), s.unit.trimmed()};
    for (const QString& f : s.projectFields) cells << oneLine(f);
    return cells.join(u'\t');
}

QStringList showLines(const Inspection& in, bool german, const QLocale& locale)
{
    QStringList lines{
        labelled(Phrase::ArchiveId, QString::number(in.id), german),
        labelled(Phrase::ArchiveDate, takenText(in.takenAt, german), german),
        labelled(Phrase::ArchiveMemory, sourceName(in.source, german), german),
        labelled(Phrase::ArchiveModel, in.model, german),
        labelled(Phrase::ArchiveGauge, in.gaugeCode.trimmed(), german),
        labelled(Phrase::ArchiveVersion, in.gaugeVersion.trimmed(), german),
        labelled(Phrase::ArchiveSerial, in.serial, german),
        labelled(Phrase::ArchiveFile, in.fileName, german),
        labelled(Phrase::ArchiveInstallation, in.installation, german),
        labelled(Phrase::ArchiveProjectDate, (in.projectDate + u' ' + in.projectTime).trimmed(), german),
    };
    for (size_t i = 0; i < in.projectFields.size(); ++i)
        lines << oneLine(in.projectCaptions[i]) + QStringLiteral(": ") + oneLine(in.projectFields[i]);
    lines << labelled(Phrase::ArchiveLimits,
                      QStringList{optionalNumber(in.limitMin, locale), optionalNumber(in.limitMax, locale),
                                  optionalNumber(in.target, locale)}
                          .join(QStringLiteral(" / ")),
                      german)
          << labelled(Phrase::ArchiveUnit, in.unit.trimmed(), german)
          << labelled(Phrase::ArchiveCount, QString::number(in.readings.size()), german) << QString();
    for (const ArchivedReading& r : in.readings)
        lines << QStringList{QString::number(r.nr), meanText(r.value, r.unit, locale), r.unit.trimmed(),
                             oneLine(r.material).trimmed(), r.date, r.time}
                     .join(u'\t');
    return lines;
}

} // namespace kivo
