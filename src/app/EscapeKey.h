#pragma once

#include <QList>
#include <QWidget>

struct xcb_connection_t;

// Esc pressed in some of Zarn's windows while their input is held back (the wait
// for a compile holds it): a key grab of its own on those windows, through a
// connection of its own to the X server, so that the Esc press comes here and the
// rest of the input stays queued for Zarn. Nothing where Zarn does not run on X11.
class EscapeKey
{
public:
    explicit EscapeKey(const QList<QWidget *> &windows);
    ~EscapeKey();
    EscapeKey(const EscapeKey &) = delete;
    EscapeKey &operator=(const EscapeKey &) = delete;

    // True once Esc has been pressed in one of the windows.
    bool pressed();

private:
    xcb_connection_t *m_connection = nullptr;
    bool m_pressed = false;
};
