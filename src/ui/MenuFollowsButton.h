#pragma once
// A menu item that stands for a button: enabled exactly when the button can
// be pressed (enabled and not hidden), and pressing it when chosen.

class QAction;
class QPushButton;

namespace kivo {

void followButton(QAction* item, QPushButton* button);

} // namespace kivo
