#pragma once

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>

class ManagedProcess;
struct Jdk;

// javac kept warm: one compiler JVM of the JDK whose javac compiles, started in the
// background at the first compile with that javac, ended with Zarn (or by itself
// after fifteen idle minutes). The compile script reaches it through the client
// zarn-javac and a Unix socket in a folder only the user may enter; the client runs
// plain javac whenever the warm compiler cannot serve. Never with ZARN_PLAIN_JVM=1,
// nor with a CLASSPATH set (javac's launcher would read it, wildcards expanded).
class WarmCompiler : public QObject
{
    Q_OBJECT

public:
    explicit WarmCompiler(const QString &appFolder, QObject *parent = nullptr);
    ~WarmCompiler() override;

    // Starts the warm compiler of the JDK's javac unless it runs already; one of
    // another javac ends first.
    void prepare(const Jdk &jdk);
    // What goes before javac on the compile line while the warm compiler of javac is
    // ready: the client and the socket; nothing otherwise.
    QStringList launcher(const QString &javac) const;
    bool isReady() const { return m_ready; }
    // Whether the warm compiler of javac runs, ready or still warming up.
    bool isRunning(const QString &javac) const { return m_process && javac == m_javac; }
    // The socket of the warm compiler of javac while it is ready; empty otherwise.
    QString socket(const QString &javac) const { return m_ready && javac == m_javac ? m_socket : QString(); }
    qint64 processId() const;

    // Where the sockets lie: $XDG_RUNTIME_DIR/zarn, else /tmp/zarn-UID, made if need
    // be; empty when that folder is not the user's alone.
    static QString socketFolder();
    // This Zarn's socket; removed by a Zarn ended by a signal, which kills the warm
    // compiler before it could remove it itself.
    static QString ownSocket();

Q_SIGNALS:
    void ready();
    // What the warm compiler says it does: "compiling N", "done N STATUS", "cancelled N",
    // "refused WHY", "failed WHAT".
    void said(const QString &line);

private:
    // Its input closed, it ends by itself; the window never waits for that.
    void stop();
    void readLine(const QByteArray &line);

    QString m_appFolder;
    QString m_javac;
    std::unique_ptr<ManagedProcess> m_process;
    QString m_socket;
    bool m_ready = false;
    QSet<QString> m_cannotServe; // javacs whose warm compiler failed to start
};
