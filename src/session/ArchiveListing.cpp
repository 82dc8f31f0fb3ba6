#include "session/ArchiveListing.h"

#include "table/NumberFormat.h"
#include "texts/Texte.h"

namespace kivo {

namespace {

QString optionalNumber(const std::optional<double>& v, const QLocale& locale)
{
    return v ? locale.toString(*v) : QStringLiteral("-");
}

QString labelled(const QString& label, const QString& value) { return label + QStringLiteral(": ") + oneLine(value); }

} // namespace

QString oneLine(QString text)
{
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator) c = u' ';
    return text;
}

QString sourceName(const QString& source, bool german)
{
    if (source == u"memory1") return phrase(Phrase::ArchiveMemory1, german);
    if (source == u"memory2") return phrase(Phrase::ArchiveMemory2, german);
    if (source == u"online") return tableText(Msg::Online, german);
    if (source == u"file") return tableText(Menu::Datei, german);
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
    QStringList h{phrase(Phrase::ArchiveId, german), phrase(Phrase::CsvDate, german),
                  phrase(Phrase::ArchiveGauge, german), tableText(Msg::Speicher, german)};
    for (const QString& c : captions) h << c;
    h << phrase(Phrase::ArchiveCount, german) << phrase(Phrase::CsvUnit, german) << phrase(Phrase::ArchiveMean, german);
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
        labelled(phrase(Phrase::ArchiveId, german), QString::number(in.id)),
        labelled(phrase(Phrase::CsvDate, german), takenText(in.takenAt, german)),
        labelled(tableText(Msg::Speicher, german), sourceName(in.source, german)),
        labelled(phrase(Phrase::ArchiveModel, german), in.model),
        labelled(phrase(Phrase::ArchiveGauge, german), in.gaugeCode.trimmed()),
        labelled(phrase(Phrase::ArchiveVersion, german), in.gaugeVersion.trimmed()),
        labelled(phrase(Phrase::ArchiveSerial, german), in.serial),
        labelled(tableText(Menu::Datei, german), in.fileName),
        labelled(phrase(Phrase::ArchiveInstallation, german), in.installation),
        labelled(phrase(Phrase::ArchiveProjectDate, german), (in.projectDate + u' ' + in.projectTime).trimmed()),
    };
    for (size_t i = 0; i < in.projectFields.size(); ++i)
        lines << oneLine(in.projectCaptions[i]) + QStringLiteral(": ") + oneLine(in.projectFields[i]);
    const QStringList limits{optionalNumber(in.limitMin, locale), optionalNumber(in.limitMax, locale),
                             optionalNumber(in.target, locale)};
    lines << labelled(phrase(Phrase::ArchiveLimits, german), limits.join(QStringLiteral(" / ")))
          << labelled(phrase(Phrase::CsvUnit, german), in.unit.trimmed())
          << labelled(phrase(Phrase::ArchiveCount, german), QString::number(in.readings.size())) << QString();
    for (const ArchivedReading& r : in.readings)
        lines << QStringList{QString::number(r.nr), meanText(r.value, r.unit, locale), r.unit.trimmed(),
                             oneLine(r.material).trimmed(), r.date, r.time}
                     .join(u'\t');
    return lines;
}

} // namespace kivo
