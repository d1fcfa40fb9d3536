#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <mutex>

class QThread;

// What the warm compiler answered a question: javac's output and exit status when
// it answered, else the problem (refused, gone, silent).
struct WarmAnswer
{
    bool answered = false;
    QString out;
    QString err;
    int exitCode = 0;
    QString problem;
};

// One question to the warm compiler behind socket (see WarmCompiler) about a
// source's text, asked on a thread of its own so that the window never waits; the
// answer comes once, from the event loop. Destroyed while it runs, the question is
// dropped (the warm compiler ends its work, its client gone).
class WarmQuestion : public QObject
{
    Q_OBJECT

public:
    // appFolder is the warm compiler's working folder, which a request names.
    WarmQuestion(const QString &socket, const QString &appFolder, QObject *parent = nullptr);
    ~WarmQuestion() override;

    // Asks javac's warm compiler with the arguments; once per object.
    void ask(const QString &javac, const QStringList &arguments);

Q_SIGNALS:
    void finished(const WarmAnswer &answer);

private:
    QString m_socket;
    QString m_appFolder;
    QThread *m_thread = nullptr;
    // The conversation's socket while it is open, and whether the question was
    // dropped; the thread closes the socket, the window only shuts it down.
    std::mutex m_socketLock;
    int m_fd = -1;
    bool m_dropped = false;
};
