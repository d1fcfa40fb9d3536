#pragma once

#include "JavaSources.h"
#include "TestTime.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QWidget>

// Writes source to folder/fileName and compiles it there with javac; true when a
// class file came out.
inline bool compileJava(const QString &folder, const QString &fileName, const QByteArray &source)
{
    QDir().mkpath(folder);
    QFile file(QDir(folder).filePath(fileName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(source) != source.size())
        return false;
    file.close();
    QProcess javac;
    javac.setWorkingDirectory(folder);
    javac.start(javacPath(), {QStringLiteral("-d"), folder, file.fileName()});
    return javac.waitForFinished(scaled(60000)) && javac.exitCode() == 0;
}

// The colour on screen at point of widget, whatever window draws it there (the
// applet's window embedded in it included).
inline QColor colourAt(const QWidget *widget, const QPoint &point)
{
    const QPoint global = widget->mapToGlobal(point);
    const QImage shot =
        QGuiApplication::primaryScreen()->grabWindow(0, global.x(), global.y(), 1, 1).toImage();
    return shot.isNull() ? QColor() : QColor(shot.pixel(0, 0));
}

inline QColor colourAtCentre(const QWidget *widget)
{
    return colourAt(widget, widget->rect().center());
}

// Sends a real click to the screen at the centre of widget, as a user's would.
inline void clickOnScreen(const QWidget *widget)
{
    const QPoint centre = widget->mapToGlobal(widget->rect().center());
    QProcess::execute(QStringLiteral("xdotool"),
                      {QStringLiteral("mousemove"), QString::number(centre.x()), QString::number(centre.y()),
                       QStringLiteral("click"), QStringLiteral("1")});
}

inline void typeOnScreen(const QString &key)
{
    QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), key});
}

// True while the process exists and has not ended (a zombie has ended).
inline bool processRuns(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    return pid > 0 && status.open(QIODevice::ReadOnly) && !status.readAll().contains("State:\tZ");
}
