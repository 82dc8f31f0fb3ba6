#include "ui/MenuFollowsButton.h"

#include <QAction>
#include <QEvent>
#include <QPushButton>

namespace kivo {

namespace {

bool pressable(const QPushButton* button) { return button->isEnabled() && button->isVisibleTo(button->window()); }

// Watches the button's state: each change the button goes through comes
// here, so the item never keeps a state of its own.
class Follower : public QObject {
public:
    Follower(QAction* item, QPushButton* button) : QObject(item), item(item), button(button)
    {
        button->installEventFilter(this);
        item->setEnabled(pressable(button));
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::EnabledChange:
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
            item->setEnabled(pressable(button));
            break;
        default:
            break;
        }
        return false;
    }

private:
    QAction* item;
    QPushButton* button;
};

} // namespace

void followButton(QAction* item, QPushButton* button)
{
    new Follower(item, button);
    QObject::connect(item, &QAction::triggered, button, [button] {
        if (pressable(button)) button->click();
    });
}

} // namespace kivo
