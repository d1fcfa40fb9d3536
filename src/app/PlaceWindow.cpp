#include "PlaceWindow.h"

#include "WindowPlacement.h"

#include <QScreen>
#include <QWidget>

void placeBesideMain(QWidget &window, const QWidget &main, const QRect &keepInSight,
                     const QList<const QWidget *> &others)
{
    const QScreen *screen = main.screen();
    if (!screen)
        return;
    // The window manager's frame: as wide as main's around each side.
    const QRect mainFrame = main.frameGeometry();
    const QSize border = mainFrame.size() - main.geometry().size();
    const QSize frame = (window.isVisible() ? window.frameGeometry().size() : window.size() + border);
    QList<QRect> taken{keepInSight};
    for (const QWidget *other : others)
        if (other && other->isVisible())
            taken.append(other->frameGeometry());
    const QPoint at = placeBeside(mainFrame, frame, screen->availableGeometry(), taken);
    window.move(at);
}
