#include "EscapeKey.h"

#include "LogCategories.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {

constexpr xcb_keysym_t EscapeKeysym = 0xff1b;

template <typename Reply> using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

// The key code the keyboard map gives Escape; 0 when it gives none.
xcb_keycode_t escapeKeycode(xcb_connection_t *connection)
{
    const xcb_setup_t *setup = xcb_get_setup(connection);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    const Owned<xcb_get_keyboard_mapping_reply_t> mapping(
        xcb_get_keyboard_mapping_reply(
            connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, xcb_keycode_t(count)),
            nullptr),
        &std::free);
    if (!mapping)
        return 0;
    const xcb_keysym_t *keysyms = xcb_get_keyboard_mapping_keysyms(mapping.get());
    const int perKeycode = mapping->keysyms_per_keycode;
    for (int code = 0; code < count; ++code)
        for (int level = 0; level < perKeycode; ++level)
            if (keysyms[code * perKeycode + level] == EscapeKeysym)
                return xcb_keycode_t(setup->min_keycode + code);
    return 0;
}

} // namespace

EscapeKey::EscapeKey(const QList<QWidget *> &windows)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    m_connection = xcb_connect(nullptr, nullptr);
    const xcb_keycode_t escape = xcb_connection_has_error(m_connection) ? 0 : escapeKeycode(m_connection);
    if (escape == 0) {
        qCInfo(logApp) << "Esc cannot end this compile: no connection to the X server, or no key for Esc";
        xcb_disconnect(m_connection);
        m_connection = nullptr;
        return;
    }
    // Esc with or without Caps Lock and Num Lock.
    const uint16_t locks[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
    QList<xcb_void_cookie_t> grabs;
    for (QWidget *window : windows)
        if (window)
            for (const uint16_t lock : locks)
                grabs.append(xcb_grab_key_checked(m_connection, 1, xcb_window_t(window->window()->winId()),
                                                  lock, escape, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    xcb_flush(m_connection);
    // Another program may hold Esc on the window already (X error BadAccess).
    for (const xcb_void_cookie_t grab : grabs)
        if (const Owned<xcb_generic_error_t> error(xcb_request_check(m_connection, grab), &std::free); error)
            qCInfo(logApp) << "a grab of Esc failed with X error" << error->error_code
                           << ": Esc may not end this compile";
}

EscapeKey::~EscapeKey()
{
    if (m_connection)
        xcb_disconnect(m_connection); // gives the grabs back
}

bool EscapeKey::pressed()
{
    while (m_connection && !m_pressed) {
        const Owned<xcb_generic_event_t> event(xcb_poll_for_event(m_connection), &std::free);
        if (!event)
            break;
        m_pressed = (event->response_type & 0x7f) == XCB_KEY_PRESS;
    }
    return m_pressed;
}
