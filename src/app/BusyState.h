#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>

#include <memory>
#include <utility>
#include <vector>

// While Zarn works on a command that must not be interleaved with another (a
// compile, and what it waits for): its windows take no commands, no clicks and no
// typing. The keys pressed meanwhile reach their windows once the work is done, in
// order, as if pressed then: no keystroke of text is lost, and a shortcut runs its
// command after. Esc asks to cancel the work. It lies over Qt's own input handling,
// so it works with any platform.
class BusyState : public QObject
{
    Q_OBJECT

public:
    explicit BusyState(QObject *parent = nullptr);
    ~BusyState() override;

    void begin();
    // The held keys go to their windows, in order, from the event loop.
    void end();
    bool isBusy() const { return m_busy; }

Q_SIGNALS:
    void cancelAsked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void deliverHeldKeys();

    bool m_busy = false;
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> m_heldKeys;
};
