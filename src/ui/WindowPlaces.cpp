#include "ui/WindowPlaces.h"

#include "settings/DesktopMemory.h"
#include "settings/WindowPlace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace kivo {

void restorePlace(QWidget* window, const DesktopMemory& memory)
{
    const SavedWindow saved = memory.window(window->objectName());
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) screens << screen->availableGeometry();
    const std::optional<QRect> place = placeToRestore(saved.frame, screens, window->minimumSizeHint());
    if (!place) return; // where the system puts it
    window->setGeometry(*place);
    if (saved.maximized) window->setWindowState(window->windowState() | Qt::WindowMaximized);
}

void keepPlace(const QWidget* window, DesktopMemory& memory)
{
    const bool maximized = window->isMaximized();
    // A maximized window comes back maximized, over the place it had before.
    memory.saveWindow(window->objectName(), {maximized ? window->normalGeometry() : window->geometry(), maximized});
}

} // namespace kivo
