#pragma once
// The keys of the small windows as an operator expects them: Return presses
// the button that has the focus, Escape closes the window as its close
// button does.

#include <QWidget>

namespace kivo {

// Call once the window's buttons are made.
void useWindowKeys(QWidget* window);

} // namespace kivo
