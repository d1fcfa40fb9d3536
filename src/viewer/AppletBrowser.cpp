#include "AppletBrowser.h"

#include "AppletApi.h"
#include "AppletLaunch.h"
#include "AppletOutput.h"
#include "ChildProcesses.h"
#include "ConsoleChannel.h"
#include "LogCategories.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QScrollArea>
#include <QStyle>

#include <algorithm>

AppletBrowser::AppletBrowser(QWidget *parent)
    : QWidget(parent)
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);

    // The page the applet stands on, as large as the area or the applet.
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_page = new QWidget;
    m_page->setAutoFillBackground(true);
    m_page->setBackgroundRole(QPalette::Base);
    m_scroll->setWidget(m_page);

    m_surface = new QWidget(m_page);
    m_surface->setObjectName(QStringLiteral("AppletSurface"));
    m_surface->hide();

    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("AppletMessage"));
    m_message->setWordWrap(true);
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_message->hide();
}

AppletBrowser::~AppletBrowser()
{
    stopHost();
    dropSpare();
}

QString AppletBrowser::message() const
{
    return m_message->isHidden() ? QString() : m_message->text();
}

qint64 AppletBrowser::hostProcessId() const
{
    return m_host ? m_host->processId() : 0;
}

std::optional<AppletTag> AppletBrowser::readPage(const QString &path)
{
    m_pagePath = path;
    stopHost();
    m_reportedError = false;
    m_message->hide();

    QFile page(path);
    if (!page.open(QIODevice::ReadOnly)) {
        showMessage(
            tr("The page %1 cannot be read: %2").arg(QDir::toNativeSeparators(path), page.errorString()));
        return std::nullopt;
    }
    std::optional<AppletTag> tag = findApplet(QString::fromUtf8(page.readAll()));
    if (!tag)
        showMessage(tr("The page %1 holds no applet.").arg(QDir::toNativeSeparators(path)));
    return tag;
}

void AppletBrowser::Navigate(const QString &path)
{
    if (const std::optional<AppletTag> tag = readPage(path)) {
        m_launch = resolveApplet(*tag, path);
        startHost();
    }
}

void AppletBrowser::prepare(const QString &path, const AppletPlaces &places)
{
    if (const std::optional<AppletTag> tag = readPage(path)) {
        m_launch = resolveCompiledApplet(*tag, path, places);
        startHost();
    }
}

void AppletBrowser::load()
{
    if (m_host && m_host->state() != QProcess::NotRunning) {
        m_host->write("load\n");
        sendSize(); // once more after the load: the embedded frame may have missed the first
    }
}

void AppletBrowser::showCompileFailure(const QString &reason)
{
    stopHost();
    showMessage(tr("The compile failed.") + QLatin1Char('\n') + reason);
}

void AppletBrowser::startHost()
{
    if (m_launch.className.isEmpty()) {
        showMessage(tr("The page %1 names no applet class.").arg(QDir::toNativeSeparators(m_pagePath)));
        return;
    }
    if (m_java.isEmpty()) {
        showMessage(
            tr("Java was not found: there is no java beside the compiler, in JAVA_HOME or on the PATH."));
        return;
    }

    // On X11 the applet's window goes inside the area; elsewhere it opens its own.
    const bool embed = QGuiApplication::platformName() == QLatin1String("xcb");
    placeSurface();
    quint64 window = 0;
    if (embed) {
        m_surface->setAttribute(Qt::WA_NativeWindow);
        m_surface->show();
        window = m_surface->winId();
    } else {
        qCInfo(logViewer) << "not on X11 but on" << QGuiApplication::platformName()
                          << ": the applet gets a window of its own";
        showMessage(tr("The applet runs in a window of its own."));
    }

    const QString folder = m_launch.workingFolder();
    const QStringList launch = appletLaunchArguments(m_launch, appletPixels(), window);
    if (m_spare && m_spare->java == m_java && m_spare->program == hostProgram() && m_spare->folder == folder
        && m_spare->process->state() == QProcess::Running) {
        adoptSpare(launch);
    } else {
        dropSpare();
        startNewHost(folder, launch);
    }
    m_host->write(appletHostParameters(m_launch));
}

void AppletBrowser::startNewHost(const QString &folder, const QStringList &launch)
{
    m_host = new QProcess(this);
    m_hostPid = 0;
    connect(m_host, &QProcess::started, this, [this] {
        m_hostPid = m_host->processId();
        ChildProcesses::add(m_hostPid, false);
        qCInfo(logViewer) << "the applet host runs as process" << m_hostPid;
    });
    connectHost();
    // Relative file names are the page's neighbours, as a browser's applet sees them.
    if (QFileInfo(folder).isDir())
        m_host->setWorkingDirectory(folder);
    const QStringList arguments = hostProgram() + openOutput(*m_host, m_output, m_channel) + launch;
    m_output->begin(m_launch.className, sourceRoot());
    Q_EMIT outputBegun();
    qCInfo(logViewer) << "starting the applet host:" << m_java << arguments;
    m_host->start(m_java, arguments);
    if (m_channel)
        m_channel->hostStarted();
}

void AppletBrowser::connectHost()
{
    connect(m_host, &QProcess::readyReadStandardOutput, this, &AppletBrowser::readHost);
    connect(m_host, &QProcess::finished, this, &AppletBrowser::hostEnded);
    connect(m_host, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            showMessage(tr("Java cannot be started: %1").arg(m_host->errorString()));
    });
}

// The host started ahead takes this applet: it only has to load its classes.
void AppletBrowser::adoptSpare(const QStringList &launch)
{
    qCInfo(logViewer) << "the applet host" << m_spare->pid << "started ahead runs" << m_launch.className;
    m_spare->process->disconnect(this);
    m_host = m_spare->process;
    m_hostPid = m_spare->pid;
    m_output = m_spare->output;
    m_channel = std::move(m_spare->channel);
    m_spare.reset();
    m_output->begin(m_launch.className, sourceRoot());
    Q_EMIT outputBegun();
    connectHost();
    QByteArray line = "launch";
    for (const QString &argument : launch)
        line += ' ' + argument.toUtf8().toPercentEncoding();
    m_host->write(line + '\n');
    readHost(); // what it may have said while it waited
}

// After a View > Applet, the next host starts in the background, in the same
// folder with the same JDK, and waits for its applet.
void AppletBrowser::startSpare()
{
    if (m_spare || m_java.isEmpty() || qEnvironmentVariable("ZARN_PLAIN_JVM") == QLatin1String("1"))
        return;
    auto spare = std::make_unique<Spare>();
    spare->java = m_java;
    spare->program = hostProgram();
    spare->folder = m_launch.workingFolder();
    spare->process = new QProcess(this);
    QProcess *process = spare->process;
    connect(process, &QProcess::started, this, [this, process] {
        if (m_spare && m_spare->process == process) {
            m_spare->pid = process->processId();
            ChildProcesses::add(m_spare->pid, false);
        }
    });
    // Until it is adopted, only its word that it waits counts.
    connect(process, &QProcess::readyReadStandardOutput, this, [this, process] {
        if (m_spare && m_spare->process == process && process->peek(64).startsWith("waiting"))
            m_spare->waiting = true;
    });
    connect(process, &QProcess::finished, this, [this, process] {
        qCInfo(logViewer) << "the applet host started ahead ended before its applet came";
        if (m_spare && m_spare->process == process) {
            ChildProcesses::remove(m_spare->pid);
            m_spare.reset();
        }
        process->deleteLater();
    });
    if (QFileInfo(spare->folder).isDir())
        process->setWorkingDirectory(spare->folder);
    const QStringList arguments = spare->program + openOutput(*process, spare->output, spare->channel)
                                  + QStringList{QStringLiteral("--pending")};
    m_spare = std::move(spare);
    qCInfo(logViewer) << "starting an applet host ahead:" << m_java << arguments;
    process->start(m_java, arguments);
    if (m_spare->channel)
        m_spare->channel->hostStarted();
}

void AppletBrowser::dropSpare()
{
    if (!m_spare)
        return;
    QProcess *process = m_spare->process;
    process->disconnect(this);
    endProcess(process, m_spare->pid);
    m_spare.reset();
}

QStringList AppletBrowser::hostProgram() const
{
    // On a JDK without the Applet API, Zarn's is patched in, and no archive can be
    // mapped. Else from the host's archive once one has been made; the first applet
    // that paints has it made, in a run of its own.
    const QStringList api = appletApiOptions(m_java, m_archiveFolder);
    const JvmArchive archive = appletHostArchive(m_java, m_archiveFolder);
    QStringList arguments = appletHostProgram(appletHostJar(), !api.isEmpty()      ? api
                                                               : archive.isWhole() ? archive.options()
                                                                                   : QStringList());
    if (!api.isEmpty())
        arguments << QStringLiteral("--applet-api") << appletApiJar();
    return arguments;
}

QString AppletBrowser::sourceRoot() const
{
    return m_launch.sourceFolder.isEmpty() ? m_launch.codeBase.toLocalFile() : m_launch.sourceFolder;
}

// The applet's output comes through a pipe of its own, read in the background:
// made for host, which gets it between fork and exec; the host's arguments for it.
QStringList AppletBrowser::openOutput(QProcess &host, std::shared_ptr<AppletOutput> &output,
                                      std::unique_ptr<ConsoleChannel> &channel)
{
    output = std::make_shared<AppletOutput>(QString(), QString());
    channel = std::make_unique<ConsoleChannel>(output);
    if (!channel->isOpen())
        return {};
    host.setChildProcessModifier([channel = channel.get()] { channel->giveToHost(); });
    return {QStringLiteral("--console"), ConsoleChannel::hostPath()};
}

void AppletBrowser::readHost()
{
    while (m_host && m_host->canReadLine()) {
        const QString line = QString::fromUtf8(m_host->readLine()).trimmed();
        const QString word = line.section(QLatin1Char(' '), 0, 0);
        const QString text = line.section(QLatin1Char(' '), 1);
        if (word == QLatin1String("loads")) {
            Q_EMIT appletLoaded(text);
        } else if (word == QLatin1String("started")) {
            Q_EMIT appletStarted();
        } else if (word == QLatin1String("painted")) {
            Q_EMIT appletPainted();
            makeAppletHostArchive(m_java, m_archiveFolder);
            startSpare();
        } else if (word == QLatin1String("status")) {
            Q_EMIT appletStatus(text);
        } else if (word == QLatin1String("exception")) {
            heardException(text);
        } else if (word == QLatin1String("error")) {
            m_reportedError = true;
            showMessage(text);
        } else if (line.contains(QLatin1String("A fatal error has been detected"))) {
            // The JVM's own crash report: a damaged archive goes, the next start is plain.
            appletHostArchive(m_java, m_archiveFolder).failedIn(line);
        }
    }
}

void AppletBrowser::heardException(const QString &report)
{
    const QString name = report.section(QLatin1Char(' '), 0, 0);
    const QString where = report.section(QLatin1Char(' '), 1);
    const QString note = tr("Exception in %1: %2, see the console").arg(where, name);
    // A failed paint leaves nothing to see: the note stands where the applet would.
    if (where.startsWith(QLatin1String("paint")) || where == QLatin1String("update"))
        showMessage(note);
    Q_EMIT appletException(note);
}

void AppletBrowser::hostEnded()
{
    ChildProcesses::remove(m_hostPid);
    qCInfo(logViewer) << "the applet host" << m_hostPid << "ended:"
                      << (m_host->exitStatus() == QProcess::CrashExit ? QStringLiteral("crashed")
                                                                      : QString::number(m_host->exitCode()));
    readHost();
    if (!m_reportedError && (m_host->exitStatus() == QProcess::CrashExit || m_host->exitCode() != 0)) {
        const QStringList errors = QString::fromLocal8Bit(m_host->readAllStandardError())
                                       .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        showMessage(errors.isEmpty() ? tr("The applet host ended unexpectedly.")
                                     : errors.constFirst().trimmed());
    }
    m_surface->hide();
}

void AppletBrowser::stopHost()
{
    if (!m_host)
        return;
    QProcess *host = m_host;
    m_host = nullptr;
    host->disconnect(this);
    endProcess(host, m_hostPid);
}

void AppletBrowser::endProcess(QProcess *host, qint64 pid)
{
    if (host->state() != QProcess::NotRunning) {
        // A destroyed parent window does not end the JVM: ask it to quit, then insist.
        host->write("quit\n");
        host->closeWriteChannel();
        if (!host->waitForFinished(QuitGraceMs)) {
            qCInfo(logViewer) << "the applet host" << pid << "did not quit when asked: killed";
            host->kill();
            host->waitForFinished();
        } else {
            qCInfo(logViewer) << "the applet host" << pid << "quit when asked";
        }
    }
    ChildProcesses::remove(pid);
    delete host;
}

void AppletBrowser::showMessage(const QString &text)
{
    m_surface->hide();
    m_message->setText(text);
    m_message->setGeometry(rect().adjusted(8, 8, -8, -8));
    m_message->show();
    m_message->raise();
}

void AppletBrowser::sendSize()
{
    if (m_host && m_host->state() != QProcess::NotRunning) {
        const QSize pixels = appletPixels();
        m_host->write(QStringLiteral("size %1 %2\n").arg(pixels.width()).arg(pixels.height()).toUtf8());
    }
}

QSize AppletBrowser::appletPixels() const
{
    return m_surface->size() * m_surface->devicePixelRatioF();
}

void AppletBrowser::placeSurface()
{
    // An applet smaller than the area stands centred at its top, as the page's
    // centred div puts it; a larger one makes the page larger, to be scrolled.
    const QSize size = appletSize(m_launch, this->size());
    const bool wide = size.width() > width();
    const bool tall = size.height() > height();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_scroll);
    const QSize visible(width() - (tall ? bar : 0), height() - (wide ? bar : 0));
    m_page->resize(size.expandedTo(visible));
    m_surface->setGeometry((m_page->width() - size.width()) / 2, 0, size.width(), size.height());
}

void AppletBrowser::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_scroll->setGeometry(rect());
    if (!m_message->isHidden())
        m_message->setGeometry(rect().adjusted(8, 8, -8, -8));
    placeSurface();
    sendSize();
}
