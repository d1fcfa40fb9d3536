#pragma once

#include <QList>

class QRect;
class QWidget;

// Puts window, not yet shown, beside main and wholly on main's screen, over none of
// others (windows open beside it) and never over keepInSight (a global rectangle:
// the main window's status bar). Its frame is taken as main's own around its size.
void placeBesideMain(QWidget &window, const QWidget &main, const QRect &keepInSight,
                     const QList<const QWidget *> &others = {});
