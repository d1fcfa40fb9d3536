#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// Where a window of frame size goes beside the main window (frame main): to its
// right, to its left, below, above, the first place that lies wholly on screen and
// over none of taken (the main window, the windows open beside it). Without such a
// place, the first wholly on screen that leaves taken's first rectangle (the main
// window's status bar, say) in sight; without that either, wholly on screen as near
// the right of main as it can. A window larger than the screen keeps its top left
// on screen.
QPoint placeBeside(const QRect &main, const QSize &frame, const QRect &screen, const QList<QRect> &taken);

// The top left that keeps a window of frame size on screen, as near at as can be.
QPoint keptOnScreen(QPoint at, const QSize &frame, const QRect &screen);

// Where a window at frame goes so that it no longer covers target (a match the
// user is to see): below it, else above it, else beside it, each kept on screen.
// Its own place when it covers nothing.
QPoint placeOff(const QRect &frame, const QRect &target, const QRect &screen);
