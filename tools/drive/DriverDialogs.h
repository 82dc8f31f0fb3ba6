#pragma once
// Message boxes as the driver sees them: every box is recorded, and the
// answer comes from the script's queue (or the box's default button).

#include "platform/Dialogs.h"

#include <QList>
#include <deque>

namespace kivo {

struct ShownMessage {
    QString caption;
    QString text;
    QStringList buttons;
};

class DriverDialogs : public Dialogs {
public:
    MsgAnswer MsgBox(QWidget* parent, const QString& text, MsgButtons buttons, MsgIcon icon,
                     const QString& caption) override;

    void queueAnswer(MsgAnswer answer) { answers.push_back(answer); }
    // The boxes shown since the last call.
    QList<ShownMessage> takeMessages();

private:
    std::deque<MsgAnswer> answers;
    QList<ShownMessage> shown;
};

} // namespace kivo
