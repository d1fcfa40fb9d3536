#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

// What a person does at the X display, done with xdotool, and what they see,
// read from screenshots. Every wait has a deadline, scaled as TestTime.h says.
namespace Desktop {

// Runs xdotool with args; its standard output, trimmed.
QString xdotool(const QStringList &args);

// The windows of process pid (0: any) whose title matches the regular expression.
QStringList windows(const QString &title, qint64 pid = 0);
// Waits until such a window is visible; its id, or empty at the deadline.
QString waitForWindow(const QString &title, qint64 pid = 0, int timeoutMs = 20000);
// Waits until no such window is left.
bool waitForNoWindow(const QString &title, qint64 pid = 0, int timeoutMs = 20000);
// The window's place on the screen.
QRect geometry(const QString &window);

void focus(const QString &window);
// Asks the window to close, as a window manager does for its title bar's close
// button (WM_DELETE_WINDOW).
void close(const QString &window);
void keys(const QStringList &keys);
// Types text, a key every delayMs; 0 is as fast as the X server takes them.
void type(const QString &text, int delayMs = 20);
void click(const QPoint &at);

QImage grab(const QRect &area);
QColor colourAt(const QPoint &at);

// The pixels of image dark enough to be text, and how many there are.
QImage ink(const QImage &image);
int inkCount(const QImage &image);
// True when the screen area shows text as the reference image shows it (the same
// dark pixels, allowing for a few).
bool showsLike(const QRect &area, const QImage &reference);

} // namespace Desktop
