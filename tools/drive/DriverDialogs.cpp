#include "DriverDialogs.h"

#include <utility>

namespace kivo {

MsgAnswer DriverDialogs::MsgBox(QWidget*, const QString& text, MsgButtons buttons, MsgIcon, const QString& caption)
{
    shown.append({caption, text, buttonNames(buttons)});
    if (answers.empty()) return defaultAnswer(buttons);
    const MsgAnswer answer = answers.front();
    answers.pop_front();
    // An answer the box does not offer is not a button the operator can press.
    const QStringList names = buttonNames(buttons);
    const QString wanted = answer == MsgAnswer::OK ? QStringLiteral("OK")
                           : answer == MsgAnswer::Cancel ? QStringLiteral("Cancel")
                           : answer == MsgAnswer::Yes ? QStringLiteral("Yes")
                                                      : QStringLiteral("No");
    return names.contains(wanted) ? answer : defaultAnswer(buttons);
}

QList<ShownMessage> DriverDialogs::takeMessages() { return std::exchange(shown, {}); }

} // namespace kivo
