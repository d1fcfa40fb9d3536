#pragma once

#include "Jdk.h"

#include <QObject>

#include <functional>
#include <memory>

class ManagedProcess;

// Finds the JDK of a command: the compiler as chooseCompiler chooses it, what its
// files tell (describeJdk), and whether it has the Applet API, which the JDK
// answered in an earlier run (kept in cacheFolder) or answers now, in the
// background: the window never waits on the probe.
class JdkFinder : public QObject
{
    Q_OBJECT

public:
    explicit JdkFinder(const QString &appFolder, const QString &cacheFolder, QObject *parent = nullptr);
    ~JdkFinder() override;

    // Calls found with the JDK of the configured compiler, from the event loop, once
    // it is known; a find asked while another waits replaces it.
    void find(const QString &configured, std::function<void(const Jdk &)> found);
    // Lets go of the find that waits: found is never called.
    void forget();

    // A probe that does not answer within this counts as a JDK with the Applet API.
    static constexpr int ProbeTimeLimitMs = 30000;

private:
    void deliver(const Jdk &jdk);

    QString m_appFolder;
    QString m_cacheFolder;
    std::function<void(const Jdk &)> m_found;
    int m_find = 0; // counts the finds, so that an answer reaches only its own
    std::unique_ptr<ManagedProcess> m_probe;
};
