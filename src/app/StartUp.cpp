#include "StartUp.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <fontconfig/fontconfig.h>

#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>

namespace {

// Descriptors Zarn was started with beyond its input, output and error (a
// launcher's, a terminal's) are not Zarn's to hand on: no program Zarn starts
// gets them, so none keeps its launcher's pipes open.
void keepInheritedDescriptors()
{
    DIR *open = ::opendir("/proc/self/fd");
    if (!open)
        return;
    while (const dirent *entry = ::readdir(open)) {
        const int fd = std::atoi(entry->d_name);
        if (fd > 2 && fd != ::dirfd(open))
            ::fcntl(fd, F_SETFD, ::fcntl(fd, F_GETFD) | FD_CLOEXEC);
    }
    ::closedir(open);
}

} // namespace

EarlyStartUp::EarlyStartUp()
    : m_fontConfiguration((keepInheritedDescriptors(), [] { FcInit(); }))
{
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
}

EarlyStartUp::~EarlyStartUp()
{
    finish();
}

void EarlyStartUp::finish()
{
    if (m_fontConfiguration.joinable())
        m_fontConfiguration.join();
}

namespace {

// Waits for the window's first expose, then runs its task once and goes.
class ExposeWatch : public QObject
{
public:
    ExposeWatch(QWindow *window, std::function<void()> then)
        : QObject(window)
        , m_then(std::move(then))
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, watched, m_then);
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_then;
};

} // namespace

void whenExposed(QWidget *window, std::function<void()> then)
{
    QWindow *handle = window->windowHandle();
    if (!handle || handle->isExposed()) {
        QTimer::singleShot(0, window, std::move(then));
        return;
    }
    new ExposeWatch(handle, std::move(then));
}
