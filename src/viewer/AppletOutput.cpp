#include "AppletOutput.h"

#include <QMutexLocker>

#include <algorithm>

AppletOutput::AppletOutput(const QString &className, const QString &sourceRoot)
    : m_className(className)
    , m_sourceRoot(sourceRoot)
    , m_started(QDateTime::currentDateTime())
{
    m_throttle.setSingleShot(true);
    connect(&m_throttle, &QTimer::timeout, this, [this] {
        // Cleared first: a line that arrives while grew() is handled posts again.
        m_wakePosted = false;
        m_sinceGrew.start();
        Q_EMIT grew();
    });
}

void AppletOutput::begin(const QString &className, const QString &sourceRoot)
{
    m_className = className;
    m_sourceRoot = sourceRoot;
    m_started = QDateTime::currentDateTime();
}

AppletOutput::Lines AppletOutput::linesFrom(qint64 first) const
{
    const QMutexLocker lock(&m_mutex);
    const qint64 firstKept = m_count - qint64(m_kept.size());
    Lines result;
    result.first = std::max(first, firstKept);
    const auto from = m_kept.begin() + std::ptrdiff_t(std::min(result.first, m_count) - firstKept);
    result.lines.reserve(std::distance(from, m_kept.end()));
    std::copy(from, m_kept.end(), std::back_inserter(result.lines));
    return result;
}

qint64 AppletOutput::count() const
{
    const QMutexLocker lock(&m_mutex);
    return m_count;
}

void AppletOutput::append(const QList<ConsoleLine> &lines)
{
    if (lines.isEmpty())
        return;
    {
        const QMutexLocker lock(&m_mutex);
        for (const ConsoleLine &line : lines) {
            m_kept.push_back(line);
            if (line.text.size() > LongestLine) {
                QString &text = m_kept.back().text;
                text.truncate(LongestLine);
                text += QChar(0x2026);
            }
            if (m_kept.size() > std::size_t(KeptLines))
                m_kept.pop_front();
        }
        m_count += lines.size();
    }
    if (!m_wakePosted.exchange(true))
        QMetaObject::invokeMethod(this, &AppletOutput::wake, Qt::QueuedConnection);
}

void AppletOutput::appendUnframed(const QByteArray &bytes)
{
    m_unframed += bytes;
    QList<ConsoleLine> lines;
    qsizetype start = 0;
    for (qsizetype end = m_unframed.indexOf('\n'); end >= 0; end = m_unframed.indexOf('\n', start)) {
        const qsizetype length = end > start && m_unframed.at(end - 1) == '\r' ? end - start - 1
                                                                               : end - start;
        lines.append(
            {ConsoleLine::Stream::Err, QString::fromLocal8Bit(m_unframed.constData() + start, length)});
        start = end + 1;
    }
    m_unframed.remove(0, start);
    // A line without end is shown in pieces rather than kept growing.
    if (m_unframed.size() > LongestLine) {
        lines.append({ConsoleLine::Stream::Err, QString::fromLocal8Bit(m_unframed)});
        m_unframed.clear();
    }
    append(lines);
}

void AppletOutput::wake()
{
    if (m_throttle.isActive())
        return;
    const qint64 waited = m_sinceGrew.isValid() ? m_sinceGrew.elapsed() : IntervalMs;
    m_throttle.start(int(std::max<qint64>(0, IntervalMs - waited)));
}
