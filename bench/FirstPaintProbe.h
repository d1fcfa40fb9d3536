#pragma once

#include "BenchFiles.h"
#include "MonotonicClock.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <cstdio>

// Watches a window until its first frame has been painted, then prints two figures
// on one line and ends the program: the time since the benchmark driver started this
// process (the driver passes its CLOCK_MONOTONIC reading in nanoseconds as the first
// argument) and the resident memory at that moment.
class FirstPaintProbe : public QObject
{
public:
    FirstPaintProbe(QWidget *window, qint64 launchedAtNs)
        : m_window(window)
        , m_launchedAtNs(launchedAtNs)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!m_seen && event->type() == QEvent::Paint && widget && widget->window() == m_window) {
            m_seen = true;
            // The whole first frame is painted in one pass; report once it is done.
            QTimer::singleShot(0, this, [this] {
                std::printf("%lld %lld\n", static_cast<long long>(monotonicNs() - m_launchedAtNs),
                            static_cast<long long>(residentKb()));
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    QWidget *m_window;
    qint64 m_launchedAtNs;
    bool m_seen = false;
};
