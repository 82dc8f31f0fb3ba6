#pragma once
// The parts of a manual's Markdown that only some models have:
//
//   <!-- if fenfe --> ... <!-- else --> ... <!-- end -->
//   <!-- if not sign --> ... <!-- end -->
//
// A block is kept when its fact holds for the model (or, with "not", when
// it does not); the "else" part otherwise. Blocks nest, and may stand inside
// a line. A directive alone on its line takes the line with it.

#include <QSet>
#include <QString>
#include <QStringList>

namespace kivo {

// A text worked on, or why it could not be.
struct ManualSource {
    QString text;
    QString error; // "" when the text is good
};

// The markdown with each block resolved for `facts`. Fails, naming the
// line, on a fact that is not in `known`, an "else" or "end" without its
// "if", a second "else", and an "if" without its "end".
ManualSource resolveBlocks(const QString& markdown, const QSet<QString>& facts, const QStringList& known);

} // namespace kivo
