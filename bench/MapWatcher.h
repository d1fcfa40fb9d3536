#pragma once

#include <QtGlobal>

#include <xcb/xcb.h>

// Watches the X server for the first window of a process to be mapped.
class MapWatcher
{
public:
    MapWatcher();
    ~MapWatcher();
    MapWatcher(const MapWatcher &) = delete;
    MapWatcher &operator=(const MapWatcher &) = delete;

    // Waits until a top-level window of process pid is mapped; false at the deadline.
    bool waitForMap(qint64 pid, int timeoutMs);

private:
    qint64 windowPid(xcb_window_t window);

    xcb_connection_t *m_connection = nullptr;
    xcb_atom_t m_pidAtom = XCB_ATOM_NONE;
};
