#include "output/ReportText.h"

#include "shared/Align.h"
#include "table/NumberFormat.h"

#include <algorithm>

namespace kivo {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");
const QString kBlank = QStringLiteral(" ");

bool isFilled(const QString& text) { return !text.isEmpty() && text != kBlank; }

} // namespace

QString reportRow(const ReportRow& row, const QLocale& locale)
{
    return row.zeit + QString(6, u' ') + Ausrichten(5, QString::number(row.nr), kBlank, false) + u' '
           + FormatValue(row.wert, row.einheit, locale) + u' ' + AusrichtenL(4, row.einheit) + u' ' + row.material;
}

QString buildReportText(const ReportInput& in, char mode)
{
    QString text;
    const auto line = [&text](const QString& s) { text += s + kLineEnd; };

    if (std::any_of(in.projectTexts.begin(), in.projectTexts.end(), isFilled)) {
        line(QStringLiteral("#  ") + in.projectDate + u' ' + in.projectTime);
        for (size_t i = 0; i < in.projectTexts.size(); ++i)
            if (isFilled(in.projectTexts[i])) line(QStringLiteral("#  ") + in.projectLabels[i] + u' ' + in.projectTexts[i]);
        line({});
    }

    line(in.memoryName);
    line({});
    line(in.statisticsTitle);
    line({});
    if (mode != 'A') return text;

    for (qsizetype i = 4; i < in.statistics.size(); ++i) line(in.statistics[i]);
    if (in.statistics.size() >= 4) line({});
    const auto limitLine = [&](const QString& label, const QString& value) {
        line(label + QString(5, u' ') + Ausrichten(8, value, kBlank, false) + u' ' + in.firstUnit);
    };
    const LimitFields& l = in.limits;
    if (l.Emin != 0 || l.Emax != 0) {
        limitLine(QStringLiteral("Min Limit   "), l.EminStr);
        limitLine(QStringLiteral("Max Limit   "), l.EmaxStr);
    }
    if (l.Esoll != 0) limitLine(in.targetLabel, l.EsollStr);

    line({});
    line(in.heading[0] + QString(7, u' ') + in.heading[1] + QString(6, u' ') + in.heading[2]);
    line({});
    for (const ReportRow& row : in.rows) line(reportRow(row, in.locale));
    return text;
}

} // namespace kivo
