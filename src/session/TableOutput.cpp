#include "session/TableOutput.h"

#include "output/CsvExport.h"
#include "output/ExportFile.h"
#include "output/ReportDocument.h"
#include "output/ReportText.h"
#include "output/WorkbookLayout.h"
#include "output/WorkbookWriter.h"
#include "session/GaugeSession.h"
#include "settings/TextFile.h"
#include "texts/Phrases.h"

#include <QDir>
#include <QFileInfo>

namespace kivo {

std::optional<TableFormat> formatNamed(const QString& name)
{
    const QString n = name.toLower();
    if (n == u"mes") return TableFormat::Mes;
    if (n == u"csv") return TableFormat::Csv;
    if (n == u"xlsx") return TableFormat::Xlsx;
    if (n == u"odt") return TableFormat::Odt;
    return std::nullopt;
}

std::optional<TableFormat> formatOfPath(const QString& path)
{
    return formatNamed(QFileInfo(path).suffix());
}

QString formatSuffix(TableFormat format)
{
    switch (format) {
    case TableFormat::Mes: return QStringLiteral("mes");
    case TableFormat::Csv: return QStringLiteral("csv");
    case TableFormat::Xlsx: return QStringLiteral("xlsx");
    case TableFormat::Odt: return QStringLiteral("odt");
    }
    return QString();
}

QString writeShownTable(GaugeSession& session, const QString& path, TableFormat format)
{
    const bool german = session.german();
    const QLocale locale;
    FileError error;
    const auto failed = [&] {
        return phrase(Phrase::FileNotWritten, german).arg(QDir::toNativeSeparators(path), fileErrorText(error, german));
    };
    switch (format) {
    case TableFormat::Mes: {
        const QString text = buildReportText(session.reportInput(locale), 'A') + QStringLiteral("\r\n");
        return writeTextFile(path, text, &error) ? QString() : failed();
    }
    case TableFormat::Csv:
        return writeFileBytes(path, csvText(session.csvReadings(), german), &error) ? QString() : failed();
    case TableFormat::Xlsx: {
        const WorkbookInput in = session.workbookInput(locale);
        const WorkbookLayout layout = buildWorkbook(in, !in.stats.mixedUnits);
        return writeReplacing(path, german, [&](const QString& temp) { return writeWorkbook(layout, temp, german); });
    }
    case TableFormat::Odt: {
        const QString text = buildReportText(session.reportInput(locale), 'A');
        return writeReplacing(path, german, [&](const QString& temp) { return writeReportDocument(text, temp, german); });
    }
    }
    return QString();
}

QByteArray shownTableText(GaugeSession& session, TableFormat format)
{
    if (format == TableFormat::Csv) {
        QString text = csvHeading(session.german()) + QStringLiteral("\r\n");
        for (const CsvReading& r : session.csvReadings()) text += csvRow(r, session.german()) + QStringLiteral("\r\n");
        return text.toUtf8();
    }
    return (buildReportText(session.reportInput(QLocale()), 'A') + QStringLiteral("\r\n")).toUtf8();
}

} // namespace kivo
