#include "ManualSections.h"

#include <QHash>
#include <QRegularExpression>

namespace kivo {

ManualSource numberSections(const QString& markdown)
{
    static const QRegularExpression chapter(QStringLiteral(R"(^## +(.*?)\s*(?:\{#([A-Za-z0-9_-]+)\})?\s*$)"));
    static const QRegularExpression reference(QStringLiteral(R"(\{\{section:([A-Za-z0-9_-]*)\}\})"));

    QStringList lines = markdown.split(u'\n');
    QHash<QString, int> numbers;
    int number = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const QRegularExpressionMatch m = chapter.match(lines[i]);
        if (!m.hasMatch()) continue;
        ++number;
        if (m.hasCaptured(2)) {
            if (numbers.contains(m.captured(2)))
                return {QString(), QStringLiteral("line %1: the id \"%2\" is given twice").arg(i + 1).arg(m.captured(2))};
            numbers.insert(m.captured(2), number);
        }
        lines[i] = QStringLiteral("## %1 %2").arg(number).arg(m.captured(1));
    }
    for (int i = 0; i < lines.size(); ++i) {
        QString& line = lines[i];
        for (QRegularExpressionMatch m = reference.match(line); m.hasMatch(); m = reference.match(line)) {
            const auto found = numbers.constFind(m.captured(1));
            if (found == numbers.constEnd())
                return {QString(), QStringLiteral("line %1: no chapter \"%2\"").arg(i + 1).arg(m.captured(1))};
            line.replace(m.capturedStart(), m.capturedLength(), QString::number(*found));
        }
    }
    return {lines.join(u'\n'), QString()};
}

} // namespace kivo
