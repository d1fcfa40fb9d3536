#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <deque>

// One line the applet wrote.
struct ConsoleLine
{
    enum class Stream : char { Out, Err };
    Stream stream = Stream::Out;
    QString text;
};

// What one run of an applet wrote to System.out and System.err, in order: the last
// KeptLines lines and the number of all of them, so that a flood costs neither
// memory nor time. Lines arrive from the thread that reads the host; grew() tells
// the main thread, at most every IntervalMs.
class AppletOutput : public QObject
{
    Q_OBJECT

public:
    static constexpr int KeptLines = 10000;
    // Characters kept of one line; a longer one ends in an ellipsis.
    static constexpr int LongestLine = 4000;
    static constexpr int IntervalMs = 200;

    // The run of the applet className, whose sources lie under sourceRoot.
    AppletOutput(const QString &className, const QString &sourceRoot);

    // The run of another applet begins: a host started ahead of its applet has
    // its output before it knows the applet.
    void begin(const QString &className, const QString &sourceRoot);

    QString className() const { return m_className; }
    QString sourceRoot() const { return m_sourceRoot; }
    QDateTime started() const { return m_started; }

    // Lines are numbered from 0 in the order written.
    struct Lines
    {
        qint64 first = 0; // the number of lines.first()
        QList<ConsoleLine> lines;
    };
    // The lines from number first on that are still kept.
    Lines linesFrom(qint64 first) const;
    // How many lines were written in all.
    qint64 count() const;

    // From any thread.
    void append(const QList<ConsoleLine> &lines);
    // Bytes written past the applet's System.out and System.err (to the JVM's own
    // descriptors), as they come: whole lines go on as Err lines. From one thread.
    void appendUnframed(const QByteArray &bytes);

Q_SIGNALS:
    void grew();

private:
    void wake();

    QString m_className;
    QString m_sourceRoot;
    QDateTime m_started;
    mutable QMutex m_mutex;
    std::deque<ConsoleLine> m_kept;
    QByteArray m_unframed; // the start of an unframed line
    qint64 m_count = 0;
    std::atomic<bool> m_wakePosted{false};
    QTimer m_throttle;
    QElapsedTimer m_sinceGrew;
};
