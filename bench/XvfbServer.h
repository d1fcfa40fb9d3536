#pragma once

#include <QProcess>
#include <QString>

// A private X server for the programs a benchmark starts; ended with the object.
class XvfbServer
{
public:
    XvfbServer()
    {
        // -displayfd 1: Xvfb picks a free display and writes its number to stdout.
        m_process.start(QStringLiteral("Xvfb"),
                        {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                         QStringLiteral("0"), QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                         QStringLiteral("tcp")});
        if (!m_process.waitForReadyRead(10000))
            qFatal("Xvfb did not start");
        m_display = QLatin1Char(':') + QString::fromLatin1(m_process.readLine().trimmed());
    }

    ~XvfbServer()
    {
        m_process.terminate();
        m_process.waitForFinished(5000);
    }

    XvfbServer(const XvfbServer &) = delete;
    XvfbServer &operator=(const XvfbServer &) = delete;

    QString display() const { return m_display; }

private:
    QProcess m_process;
    QString m_display;
};
