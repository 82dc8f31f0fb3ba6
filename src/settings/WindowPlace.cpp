#include "settings/WindowPlace.h"

#include <algorithm>

namespace kivo {

namespace {

// Enough of the title bar to take hold of the window with the mouse.
constexpr int kTitleHeight = 24;
constexpr int kGrip = 64;

} // namespace

std::optional<QRect> placeToRestore(const QRect& saved, const QList<QRect>& screens, const QSize& minimum)
{
    if (!saved.isValid() || saved.width() < std::max(minimum.width(), kGrip)
        || saved.height() < std::max(minimum.height(), kTitleHeight))
        return std::nullopt;
    const QRect title(saved.topLeft(), QSize(saved.width(), kTitleHeight));
    const QRect* home = nullptr;
    int best = 0;
    for (const QRect& screen : screens) {
        const QRect part = screen.intersected(title);
        const int held = part.isValid() ? part.width() : 0;
        if (part.height() >= kTitleHeight / 2 && held > best) {
            best = held;
            home = &screen;
        }
    }
    if (!home || best < std::min(kGrip, saved.width())) return std::nullopt;
    QRect place(saved.topLeft(), saved.size().boundedTo(home->size()));
    // Wholly on that screen: moved in from the edges it crosses.
    place.moveRight(std::min(place.right(), home->right()));
    place.moveBottom(std::min(place.bottom(), home->bottom()));
    place.moveLeft(std::max(place.left(), home->left()));
    place.moveTop(std::max(place.top(), home->top()));
    return place;
}

} // namespace kivo
