#include "MapWatcher.h"

#include <QDeadlineTimer>

#include <cstdlib>
#include <cstring>
#include <poll.h>

MapWatcher::MapWatcher()
{
    int screenNumber = 0;
    m_connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(m_connection))
        qFatal("cannot connect to the X server");
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
    // Top-level windows are the root's children: their maps come as its substructure.
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    const char name[] = "_NET_WM_PID";
    xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, std::strlen(name), name), nullptr);
    m_pidAtom = atom ? atom->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(atom);
    xcb_flush(m_connection);
}

MapWatcher::~MapWatcher()
{
    xcb_disconnect(m_connection);
}

qint64 MapWatcher::windowPid(xcb_window_t window)
{
    xcb_get_property_reply_t *reply = xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, m_pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr);
    qint64 pid = 0;
    if (reply && xcb_get_property_value_length(reply) == 4)
        pid = *static_cast<const uint32_t *>(xcb_get_property_value(reply));
    std::free(reply);
    return pid;
}

bool MapWatcher::waitForMap(qint64 pid, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    pollfd fd{xcb_get_file_descriptor(m_connection), POLLIN, 0};
    while (!deadline.hasExpired()) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
            const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
            const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t *>(event)->window;
            std::free(event);
            if (mapped && windowPid(window) == pid)
                return true;
        }
        ::poll(&fd, 1, int(std::max<qint64>(1, deadline.remainingTime())));
    }
    return false;
}
