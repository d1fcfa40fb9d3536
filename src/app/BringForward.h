#pragma once

#include <QWidget>

// Shows a modeless window, brought to the front when it is open already.
inline void bringForward(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}
