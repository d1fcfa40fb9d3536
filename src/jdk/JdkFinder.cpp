#include "JdkFinder.h"

#include "AppletApi.h"
#include "LogCategories.h"
#include "ManagedProcess.h"

#include <QDir>
#include <QTimer>

JdkFinder::JdkFinder(const QString &appFolder, const QString &cacheFolder, QObject *parent)
    : QObject(parent)
    , m_appFolder(appFolder)
    , m_cacheFolder(cacheFolder)
{
}

JdkFinder::~JdkFinder() = default;

void JdkFinder::forget()
{
    ++m_find; // an answer on its way is no longer awaited
    m_found = nullptr;
    m_probe.reset(); // stopped in the background
}

void JdkFinder::find(const QString &configured, std::function<void(const Jdk &)> found)
{
    forget();
    m_found = std::move(found);
    Jdk jdk = describeJdk(configured, m_appFolder);
    const std::optional<bool> known = jdk.problem.isEmpty() ? knownAppletApi(jdk.home, m_cacheFolder)
                                                            : std::optional<bool>(true);
    if (known) {
        jdk.hasAppletApi = *known;
        QTimer::singleShot(0, this, [this, jdk, find = m_find] {
            if (find == m_find)
                deliver(jdk);
        });
        return;
    }
    m_probe = std::make_unique<ManagedProcess>(QStringLiteral("the Applet API probe"));
    ManagedProcess *probe = m_probe.get();
    auto *timeLimit = new QTimer(probe);
    timeLimit->setSingleShot(true);
    connect(timeLimit, &QTimer::timeout, probe, &ManagedProcess::kill);
    connect(probe, &ManagedProcess::ended, this, [this, jdk, timeLimit](const ManagedProcess::Exit &exit) {
        Jdk answered = jdk;
        // One that could not say (it did not start, crashed or hung) counts as having it.
        answered.hasAppletApi = !(exit.startError.isEmpty() && !exit.crashed && exit.code == 1);
        if (timeLimit->isActive() && exit.startError.isEmpty() && !exit.crashed)
            keepAppletApiAnswer(jdk.home, m_cacheFolder, answered.hasAppletApi);
        else
            qCInfo(logJdk) << "the Applet API probe of" << jdk.home << "did not end well";
        m_probe.release()->deleteLater();
        deliver(answered);
    });
    ManagedProcess::Setup setup;
    setup.output = ManagedProcess::Output::Discarded;
    probe->start(QDir(jdk.home).filePath(QStringLiteral("bin/java")), appletApiProbeArguments(), setup);
    timeLimit->start(ProbeTimeLimitMs);
}

void JdkFinder::deliver(const Jdk &jdk)
{
    if (const std::function<void(const Jdk &)> found = std::exchange(m_found, nullptr))
        found(jdk);
}
