#include "ManualBlocks.h"

#include <QRegularExpression>
#include <vector>

namespace kivo {

namespace {

struct Block {
    int line;       // of its "if", for the message when it has no end
    bool outerOn;   // the text around the block is kept
    bool condition; // the "if" part is kept
    bool inElse = false;
    bool on() const { return outerOn && (inElse ? !condition : condition); }
};

int lineAt(const QString& text, qsizetype pos) { return int(QStringView(text).left(pos).count(u'\n')) + 1; }

ManualSource failure(const QString& text, qsizetype pos, const QString& why)
{
    return {QString(), QStringLiteral("line %1: %2").arg(lineAt(text, pos)).arg(why)};
}

} // namespace

ManualSource resolveBlocks(const QString& markdown, const QSet<QString>& facts, const QStringList& known)
{
    static const QRegularExpression directive(
        QStringLiteral(R"(<!--\s*(?:if\s+(not\s+)?([A-Za-z0-9_-]+)|(else)|(end))\s*-->)"));
    std::vector<Block> open;
    QString out;
    qsizetype from = 0; // the text not yet handed on starts here
    auto keeping = [&] { return open.empty() || open.back().on(); };

    for (auto it = directive.globalMatch(markdown); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        qsizetype start = m.capturedStart();
        qsizetype end = m.capturedEnd();
        // Alone on its line: the line goes with it.
        const qsizetype lineStart = start == 0 ? 0 : markdown.lastIndexOf(u'\n', start - 1) + 1;
        qsizetype lineEnd = markdown.indexOf(u'\n', end);
        if (lineEnd < 0) lineEnd = markdown.size();
        if (markdown.mid(lineStart, start - lineStart).trimmed().isEmpty()
            && markdown.mid(end, lineEnd - end).trimmed().isEmpty()) {
            start = lineStart;
            end = qMin(lineEnd + 1, markdown.size());
        }
        if (keeping()) out += markdown.mid(from, start - from);
        from = end;

        if (m.hasCaptured(2)) {
            const QString fact = m.captured(2);
            if (!known.contains(fact)) return failure(markdown, m.capturedStart(), QStringLiteral("unknown fact \"%1\"").arg(fact));
            const bool holds = facts.contains(fact) != m.hasCaptured(1);
            open.push_back({lineAt(markdown, m.capturedStart()), keeping(), holds});
        } else if (m.hasCaptured(3)) {
            if (open.empty()) return failure(markdown, m.capturedStart(), QStringLiteral("\"else\" without \"if\""));
            if (open.back().inElse) return failure(markdown, m.capturedStart(), QStringLiteral("a second \"else\""));
            open.back().inElse = true;
        } else {
            if (open.empty()) return failure(markdown, m.capturedStart(), QStringLiteral("\"end\" without \"if\""));
            open.pop_back();
        }
    }
    if (!open.empty()) return {QString(), QStringLiteral("line %1: \"if\" without \"end\"").arg(open.back().line)};
    out += markdown.mid(from);
    return {out, QString()};
}

} // namespace kivo
