#include "ui/WindowKeys.h"

#include <QPushButton>
#include <QShortcut>

namespace kivo {

void useWindowKeys(QWidget* window)
{
    for (QPushButton* button : window->findChildren<QPushButton*>()) button->setAutoDefault(true);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    escape->setContext(Qt::WindowShortcut);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
}

} // namespace kivo
