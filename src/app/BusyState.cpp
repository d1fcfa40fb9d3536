#include "BusyState.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>

namespace {

bool isClickOrDrop(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

} // namespace

BusyState::BusyState(QObject *parent)
    : QObject(parent)
{
}

BusyState::~BusyState()
{
    if (m_busy)
        QCoreApplication::instance()->removeEventFilter(this);
}

void BusyState::begin()
{
    if (m_busy)
        return;
    m_busy = true;
    QCoreApplication::instance()->installEventFilter(this);
}

void BusyState::end()
{
    if (!m_busy)
        return;
    m_busy = false;
    QCoreApplication::instance()->removeEventFilter(this);
    if (!m_heldKeys.empty())
        QTimer::singleShot(0, this, &BusyState::deliverHeldKeys);
}

void BusyState::deliverHeldKeys()
{
    // Busy again before they could go: they wait for that work too.
    if (m_busy)
        return;
    auto held = std::move(m_heldKeys);
    m_heldKeys.clear();
    for (auto &[receiver, event] : held)
        if (receiver)
            QCoreApplication::sendEvent(receiver, event.get());
}

bool BusyState::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::ShortcutOverride) {
        // Taken as the focus widget's own: no menu command runs.
        event->accept();
        return true;
    }
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            if (type == QEvent::KeyPress && !key->isAutoRepeat())
                Q_EMIT cancelAsked();
            return true;
        }
    }
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease || type == QEvent::InputMethod) {
        // Held where it first arrives (the window, which hands keys to its focus
        // widget), to go there again once the work is done.
        m_heldKeys.emplace_back(watched, std::unique_ptr<QEvent>(event->clone()));
        return true;
    }
    return isClickOrDrop(type);
}
