#pragma once
// A window's place kept from one start to the next, under its object name.

class QWidget;

namespace kivo {

class DesktopMemory;

// The place the window had, if it is still on a screen: set before the
// window is shown.
void restorePlace(QWidget* window, const DesktopMemory& memory);
// The place the window has now, kept.
void keepPlace(const QWidget* window, DesktopMemory& memory);

} // namespace kivo
