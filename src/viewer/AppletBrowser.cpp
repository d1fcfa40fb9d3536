#include "AppletBrowser.h"

#include "AppletApi.h"
#include "AppletOutput.h"
#include "ConsoleChannel.h"
#include "LogCategories.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QScrollArea>
#include <QStyle>

#include <algorithm>

#include <unistd.h>

namespace {

const QByteArray QuitLine = "quit\n";
// Where the host finds the channel of its reports (beside the console's).
constexpr int ReportDescriptor = ConsoleChannel::HostDescriptor + 1;

} // namespace

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
    if (m_spare)
        m_spare->process->stop(QuitLine);
}

QString AppletBrowser::message() const
{
    return m_message->isHidden() ? QString() : m_message->text();
}

qint64 AppletBrowser::hostProcessId() const
{
    return m_host ? m_host->process->pid() : 0;
}

void AppletBrowser::clearArea(const QString &pagePath)
{
    m_pagePath = pagePath;
    stopHost();
    m_reportedError = false;
    m_message->hide();
}

std::optional<AppletTag> AppletBrowser::readPage(const QString &path)
{
    clearArea(path);
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

void AppletBrowser::prepare(const AppletTag &tag, const QString &pagePath, const AppletPlaces &places)
{
    clearArea(pagePath);
    m_launch = resolveCompiledApplet(tag, pagePath, places);
    startHost();
}

void AppletBrowser::load()
{
    if (m_host && m_host->process->isRunning()) {
        m_host->process->write("load\n");
        sendSize(); // once more after the load: the embedded frame may have missed the first
    }
}

void AppletBrowser::showCompileFailure(const QString &reason)
{
    stopHost();
    showMessage(tr("The compile failed.") + QLatin1Char('\n') + reason);
}

void AppletBrowser::showCancelled()
{
    stopHost();
    showMessage(tr("The compile was cancelled."));
}

void AppletBrowser::startHost()
{
    if (m_launch.className.isEmpty()) {
        showMessage(tr("The page %1 names no applet class.").arg(QDir::toNativeSeparators(m_pagePath)));
        return;
    }
    if (m_jdk.java.isEmpty()) {
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
    if (m_spare && m_spare->jdk == m_jdk && m_spare->program == hostProgram() && m_spare->folder == folder
        && m_spare->process->isRunning()) {
        adoptSpare(launch);
    } else {
        if (m_spare)
            m_spare->process->stop(QuitLine);
        m_spare.reset();
        startNewHost(folder, launch);
    }
    m_host->process->write(appletHostParameters(m_launch, appletPixels()));
}

std::unique_ptr<AppletBrowser::Host> AppletBrowser::makeHost(const QString &name)
{
    auto host = std::make_unique<Host>();
    host->process = std::make_unique<ManagedProcess>(name);
    // The applet's output comes through a pipe of its own, read in the background.
    host->output = std::make_shared<AppletOutput>(QString(), QString());
    host->channel = std::make_unique<ConsoleChannel>(host->output);
    // What reaches the JVM's own descriptors (FileDescriptor.out and .err, the JVM's
    // warnings) is the applet's too: it goes to the console, unframed.
    connect(host->process.get(), &ManagedProcess::errorRead, host->process.get(),
            [output = host->output](const QByteArray &bytes) { output->appendUnframed(bytes); });
    return host;
}

void AppletBrowser::runHost(Host &host, const QString &folder, const QStringList &tail)
{
    ManagedProcess::Setup setup;
    // Relative file names are the page's neighbours, as a browser's applet sees them.
    if (QFileInfo(folder).isDir())
        setup.workingFolder = folder;
    // The host's reports come on what Zarn reads as its standard output, which the
    // host finds at ReportDescriptor; the JVM's own standard output, which any code
    // in it may write to, goes with its standard error to the console.
    QStringList arguments = QStringList{QStringLiteral("-Dzarn.reports=/dev/fd/%1").arg(ReportDescriptor)}
                            + hostProgram();
    const ConsoleChannel *channel = host.channel->isOpen() ? host.channel.get() : nullptr;
    if (channel)
        arguments << QStringLiteral("--console") << ConsoleChannel::hostPath();
    // Between fork and exec: async-signal-safe calls only. The console's end is put
    // in its place first, since it may lie where the reports go.
    setup.inChild = [channel] {
        if (channel)
            channel->giveToHost();
        ::dup2(STDOUT_FILENO, ReportDescriptor);
        ::dup2(STDERR_FILENO, STDOUT_FILENO);
    };
    host.process->start(m_jdk.java, arguments + tail, setup);
    host.channel->hostStarted();
}

void AppletBrowser::startNewHost(const QString &folder, const QStringList &launch)
{
    m_host = makeHost(QStringLiteral("the applet host"));
    m_output = m_host->output;
    m_output->begin(m_launch.className, sourceRoot());
    Q_EMIT outputBegun();
    connectHost();
    runHost(*m_host, folder, launch);
}

void AppletBrowser::connectHost()
{
    ManagedProcess *process = m_host->process.get();
    connect(process, &ManagedProcess::lineRead, this, &AppletBrowser::readHost);
    connect(process, &ManagedProcess::ended, this, &AppletBrowser::hostEnded);
}

// The host started ahead takes this applet: it only has to load its classes.
void AppletBrowser::adoptSpare(const QStringList &launch)
{
    qCInfo(logViewer) << "the applet host" << m_spare->process->pid() << "started ahead runs"
                      << m_launch.className;
    m_spare->process->disconnect(this);
    m_host = std::make_unique<Host>();
    m_host->process = std::move(m_spare->process);
    m_host->output = m_spare->output;
    m_host->channel = std::move(m_spare->channel);
    m_spare.reset();
    m_output = m_host->output;
    m_output->begin(m_launch.className, sourceRoot());
    Q_EMIT outputBegun();
    connectHost();
    QByteArray line = "launch";
    for (const QString &argument : launch)
        line += ' ' + argument.toUtf8().toPercentEncoding();
    m_host->process->write(line + '\n');
}

// After a View > Applet, the next host starts in the background, in the same
// folder with the same JDK, and waits for its applet.
void AppletBrowser::startSpare()
{
    if (m_spare || m_jdk.java.isEmpty() || qEnvironmentVariable("ZARN_PLAIN_JVM") == QLatin1String("1"))
        return;
    std::unique_ptr<Host> host = makeHost(QStringLiteral("the applet host started ahead"));
    m_spare = std::make_unique<Spare>();
    m_spare->process = std::move(host->process);
    m_spare->output = host->output;
    m_spare->channel = std::move(host->channel);
    m_spare->jdk = m_jdk;
    m_spare->program = hostProgram();
    m_spare->folder = m_launch.workingFolder();
    ManagedProcess *process = m_spare->process.get();
    // Until it is adopted, only its word that it waits counts.
    connect(process, &ManagedProcess::lineRead, this, [this](const QByteArray &line) {
        if (line.startsWith("waiting"))
            m_spare->waiting = true;
    });
    connect(process, &ManagedProcess::ended, this, [this] {
        qCInfo(logViewer) << "the applet host started ahead ended before its applet came";
        const std::unique_ptr<Spare> spare = std::move(m_spare);
        spare->process.release()->deleteLater(); // it is telling of its end
    });
    runHost(*m_spare, m_spare->folder, {QStringLiteral("--pending")});
}

QStringList AppletBrowser::hostProgram() const
{
    // On a JDK without the Applet API, Zarn's is patched in, and no archive can be
    // mapped. Else from the host's archive once one has been made; the first applet
    // that paints has it made, in a run of its own.
    const QStringList api = appletApiOptions(m_jdk);
    const JvmArchive archive = appletHostArchive(m_jdk, m_archiveFolder);
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

void AppletBrowser::readHost(const QByteArray &bytes)
{
    // A word, and its text with every character kept: a loaded file's name may end
    // in a space or hold a line break.
    const qsizetype space = bytes.indexOf(' ');
    const QByteArray word = space < 0 ? bytes : bytes.left(space);
    const QString text = space < 0 ? QString()
                                   : QString::fromUtf8(QByteArray::fromPercentEncoding(bytes.mid(space + 1)));
    if (word == "loads") {
        Q_EMIT appletLoaded(text);
    } else if (word == "started") {
        Q_EMIT appletStarted();
    } else if (word == "painted") {
        Q_EMIT appletPainted();
        makeAppletHostArchive(m_jdk, m_archiveFolder);
        startSpare();
    } else if (word == "status") {
        Q_EMIT appletStatus(QString(text)
                                .replace(QLatin1Char('\r'), QLatin1Char(' '))
                                .replace(QLatin1Char('\n'), QLatin1Char(' ')));
    } else if (word == "exception") {
        heardException(text);
    } else if (word == "document") {
        showDocument(text);
    } else if (word == "error") {
        m_reportedError = true;
        showMessage(text);
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

// The applet's showDocument: a page of the web or a file goes to the desktop's
// browser, as a browser's applet opened it in a window; the console says so.
void AppletBrowser::showDocument(const QString &report)
{
    // The address, then the target frame, which names no window here.
    const QString address = report.left(report.lastIndexOf(QLatin1Char(' ')));
    const QUrl url(address, QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    QString said;
    if (!url.isValid()
        || (scheme != QLatin1String("http") && scheme != QLatin1String("https")
            && scheme != QLatin1String("file"))) {
        said = tr("showDocument(%1): not opened, only http, https and file addresses are").arg(address);
    } else if (QDesktopServices::openUrl(url)
               || QProcess::startDetached(QStringLiteral("xdg-open"), {url.toString(QUrl::FullyEncoded)})) {
        said = tr("showDocument(%1): opened in the desktop's browser").arg(url.toString());
    } else {
        said = tr("showDocument(%1): not opened, no browser could be started").arg(url.toString());
    }
    qCInfo(logViewer) << said;
    if (m_output)
        m_output->append({{ConsoleLine::Stream::Out, said}});
}

void AppletBrowser::hostEnded(const ManagedProcess::Exit &exit)
{
    if (!exit.startError.isEmpty()) {
        showMessage(tr("Java cannot be started: %1").arg(exit.startError));
    } else if (!m_reportedError && (exit.crashed || exit.code != 0)) {
        const QString said = QString::fromLocal8Bit(m_host->process->errorOutput());
        // The JVM's own crash report: a damaged archive goes, the next start is plain.
        if (said.contains(QLatin1String("A fatal error has been detected")))
            appletHostArchive(m_jdk, m_archiveFolder).failedIn(said);
        const QStringList errors = said.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        showMessage(errors.isEmpty() ? tr("The applet host ended unexpectedly.")
                                     : errors.constFirst().trimmed());
    }
    m_surface->hide();
}

void AppletBrowser::stopHost()
{
    if (!m_host)
        return;
    // A destroyed parent window does not end the JVM: it is asked to quit, and ended
    // after the grace. What its applet writes meanwhile still reaches the console.
    m_host->process->disconnect(this);
    m_host->process->stop(QuitLine);
    m_lastChannel = std::move(m_host->channel);
    m_host.reset();
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
    if (m_host && m_host->process->isRunning()) {
        const QSize pixels = appletPixels();
        m_host->process->write(
            QStringLiteral("size %1 %2\n").arg(pixels.width()).arg(pixels.height()).toUtf8());
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
