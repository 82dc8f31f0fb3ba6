#pragma once
// Where a window comes back: the place it had when the program ended, if
// that place is still on a screen.

#include <QList>
#include <QRect>
#include <optional>

namespace kivo {

// The saved frame (position and size) to give the window again, made to fit
// on the screen it lies on; none when too little of its title bar lies on
// any of the screens' available areas (a monitor unplugged, a resolution
// lowered), so the window opens where the system puts it. A size larger
// than that screen shrinks to it, and an empty or too small saved frame is
// not restored either.
std::optional<QRect> placeToRestore(const QRect& saved, const QList<QRect>& screens, const QSize& minimum = {});

} // namespace kivo
