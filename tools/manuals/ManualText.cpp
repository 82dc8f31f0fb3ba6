#include "ManualText.h"

#include "ManualSections.h"
#include "session/Version.h"

#include <QRegularExpression>

namespace kivo {

ManualSource manualText(const QString& markdown, const ManualModel& model)
{
    const ManualSource resolved = resolveBlocks(markdown, model.facts, manualFactNames());
    if (!resolved.error.isEmpty()) return resolved;
    ManualSource numbered = numberSections(resolved.text);
    if (!numbered.error.isEmpty()) return numbered;
    QString text = numbered.text.replace(QStringLiteral("{{MODEL}}"), model.name)
                       .replace(QStringLiteral("{{CODE}}"), model.code)
                       .replace(QStringLiteral("{{PICTURE}}"), model.picture)
                       .replace(QStringLiteral("{{VERSION}}"), QLatin1String(kVersnr));
    static const QRegularExpression placeholder(QStringLiteral(R"(\{\{[^}]*\}\})"));
    if (const QRegularExpressionMatch left = placeholder.match(text); left.hasMatch())
        return {QString(), QStringLiteral("unknown placeholder %1").arg(left.captured(0))};
    return {text, QString()};
}

} // namespace kivo
