#include "Desktop.h"

#include "TestTime.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace Desktop {

QString xdotool(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), args);
    if (!process.waitForFinished(scaled(10000)))
        process.kill();
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QStringList windows(const QString &title, qint64 pid)
{
    // --all: every condition must hold (xdotool's default is any of them).
    QStringList args = {QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--onlyvisible")};
    if (pid > 0)
        args << QStringLiteral("--pid") << QString::number(pid);
    args << QStringLiteral("--name") << title;
    return xdotool(args).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString waitForWindow(const QString &title, qint64 pid, int timeoutMs)
{
    const QDeadlineTimer deadline(scaled(timeoutMs));
    while (!deadline.hasExpired()) {
        const QStringList found = windows(title, pid);
        if (!found.isEmpty())
            return found.constFirst();
        QTest::qWait(50);
    }
    return {};
}

bool waitForNoWindow(const QString &title, qint64 pid, int timeoutMs)
{
    const QDeadlineTimer deadline(scaled(timeoutMs));
    while (!deadline.hasExpired()) {
        if (windows(title, pid).isEmpty())
            return true;
        QTest::qWait(50);
    }
    return false;
}

QRect geometry(const QString &window)
{
    QRect rect;
    for (const QString &line :
         xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window})
             .split(QLatin1Char('\n'))) {
        const int value = line.section(QLatin1Char('='), 1).toInt();
        if (line.startsWith(QLatin1String("X=")))
            rect.moveLeft(value);
        else if (line.startsWith(QLatin1String("Y=")))
            rect.moveTop(value);
        else if (line.startsWith(QLatin1String("WIDTH=")))
            rect.setWidth(value);
        else if (line.startsWith(QLatin1String("HEIGHT=")))
            rect.setHeight(value);
    }
    return rect;
}

void close(const QString &window)
{
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    const auto atom = [connection](const char *name) {
        xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr);
        const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return found;
    };
    xcb_client_message_event_t message = {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = xcb_window_t(window.toULong());
    message.type = atom("WM_PROTOCOLS");
    message.data.data32[0] = atom("WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    // Checked: the server has taken it before the connection goes, which a bare
    // flush before the disconnect does not make sure of.
    std::free(xcb_request_check(connection,
                                xcb_send_event_checked(connection, 0, message.window, XCB_EVENT_MASK_NO_EVENT,
                                                       reinterpret_cast<const char *>(&message))));
    xcb_disconnect(connection);
}

void focus(const QString &window)
{
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
}

void keys(const QStringList &keys)
{
    xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("60")} + keys);
}

void type(const QString &text, int delayMs)
{
    xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QString::number(delayMs),
             QStringLiteral("--"), text});
}

void click(const QPoint &at)
{
    xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
             QStringLiteral("click"), QStringLiteral("1")});
}

QImage grab(const QRect &area)
{
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage();
}

QColor colourAt(const QPoint &at)
{
    const QImage pixel = grab(QRect(at, QSize(1, 1)));
    return pixel.isNull() ? QColor() : QColor(pixel.pixel(0, 0));
}

QImage ink(const QImage &image)
{
    QImage mask(image.size(), QImage::Format_Mono);
    mask.fill(0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 96)
                mask.setPixel(x, y, 1);
    return mask;
}

int inkCount(const QImage &image)
{
    const QImage mask = ink(image);
    int count = 0;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            count += mask.pixelIndex(x, y);
    return count;
}

bool showsLike(const QRect &area, const QImage &reference)
{
    const QImage shown = ink(grab(area));
    const QImage expected = ink(reference);
    if (shown.size() != expected.size())
        return false;
    int inked = 0;
    int differing = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            inked += expected.pixelIndex(x, y);
            differing += shown.pixelIndex(x, y) != expected.pixelIndex(x, y);
        }
    return inked > 0 && differing <= inked / 20;
}

} // namespace Desktop
