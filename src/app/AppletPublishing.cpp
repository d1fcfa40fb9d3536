// The Publish commands of AppletCommands: the class alone, the class with its
// page, and a runnable jar.
#include "AppletCommands.h"

#include "AppletFiles.h"
#include "AppletWindow.h"
#include "AuthorsApplet.h"
#include "Document.h"
#include "HostPage.h"
#include "LoadedFilesCopy.h"
#include "MessageWindow.h"
#include "PathParts.h"
#include "RunnableJar.h"
#include "UserMessages.h"

#include <QDir>
#include <QFileInfo>
#include <QProgressBar>
#include <QStatusBar>

#include <algorithm>

namespace {

const QString ClassFilter = QStringLiteral("Java Class File (*.class)|*.class");
const QString PageFilter = QStringLiteral("Html File (*.html,*.htm)|*.html;*.htm");
const QString JarFilter = QStringLiteral("Java Archive (*.jar)|*.jar");

// The folder part of a chosen path; a file in the root folder gives the root.
QString destinationOf(const QString &chosen)
{
    const QString folder = FolderPart(chosen).value_or(QString());
    return folder.isEmpty() ? QDir::rootPath() : folder;
}

} // namespace

void AppletCommands::Publish()
{
    if (m_running)
        return;
    const std::optional<SourceLayout> layout = checkedLayout();
    if (!layout)
        return;
    // A cancelled dialog ends the command: nothing is compiled.
    const std::optional<QString> chosen = askSavePath(ClassFilter, QStringLiteral("Publish Class In"));
    if (!chosen)
        return;
    m_publishedTo = destinationOf(*chosen);
    begin();
    findJdk([this, layout = *layout, chosen = *chosen](const Jdk &jdk) {
        // Only the folder counts; the compiler names the class file after the class,
        // in the folders of its package.
        compile(jdk, m_document.FileName(), layout, destinationOf(chosen),
                CompileFeedbackStyle::ProgressWindow, {}, [this](const CompileResult &) { end(); });
    });
}

void AppletCommands::PublishWithHtml()
{
    if (m_running)
        return;
    const std::optional<SourceLayout> layout = checkedLayout();
    if (!layout)
        return;
    const std::optional<QString> classPath = askSavePath(ClassFilter,
                                                         QStringLiteral("Publish Class File As"));
    if (!classPath)
        return;
    m_publishedTo = destinationOf(*classPath);
    begin();
    findJdk([this, layout = *layout, classPath = *classPath](const Jdk &jdk) {
        compile(jdk, m_document.FileName(), layout, destinationOf(classPath), CompileFeedbackStyle::StatusBar,
                {}, [this, layout, classPath](const CompileResult &result) {
                    publishPage(layout, classPath, result); // it ends the command
                });
    });
}

void AppletCommands::publishPage(const SourceLayout &layout, const QString &classPath,
                                 const CompileResult &result)
{
    const QString destination = destinationOf(classPath);
    const QString classFile = layout.classFileIn(destination);
    if (const QString failure = compileFailure(result, classFile); !failure.isEmpty()) {
        m_messages.warning(&m_window, m_window.windowTitle(),
                           tr("The compile failed, so no page was written.\n%1").arg(failure));
        end();
        return;
    }

    // The page dialog offers a page named after the class, beside it.
    const std::optional<QString> pagePath = askPublishPath(
        PageFilter, QStringLiteral("Publish Html File As"),
        QDir(destination).filePath(QFileInfo(classPath).completeBaseName() + QStringLiteral(".html")),
        {classPath, classFile}, tr("the page"));
    if (!pagePath) {
        end();
        return;
    }
    const QString source = m_document.FileName();
    const std::optional<AuthorsApplet> authors = authorsApplet(source, layout.className(), layout.root);
    if (const QString problem = WriteHostPage(codeValue(layout, NamePart(classPath)), *pagePath,
                                              authors ? &authors->tag : nullptr);
        !problem.isEmpty()) {
        warnOfPage(*pagePath, problem);
        end();
    } else {
        copyLoadedFiles(destination,
                        [this, classFile = layout.classFilePath(), page = QFileInfo(*pagePath).fileName()](
                            const LoadedCopy &copied) { filesPublished(classFile, page, copied); });
    }
}

std::optional<QString> AppletCommands::askPublishPath(const QString &filter, const QString &title,
                                                      QString suggestion, const QStringList &classFiles,
                                                      const QString &what)
{
    std::optional<QString> path;
    while ((path = askSavePath(filter, title, std::exchange(suggestion, QString())))) {
        const auto same = [&path](const QString &other) {
            return samePath(*path, other);
        };
        QString taken;
        if (same(m_document.FileName()))
            taken = tr("%1 is the source being published. Choose another name for %2.");
        else if (std::any_of(classFiles.begin(), classFiles.end(), same))
            taken = tr("%1 is the class file just published. Choose another name for %2.");
        if (taken.isEmpty())
            break;
        m_messages.warning(&m_window, m_window.windowTitle(),
                           taken.arg(QDir::toNativeSeparators(*path), what));
    }
    return path;
}

void AppletCommands::copyLoadedFiles(const QString &destination, std::function<void(const LoadedCopy &)> then)
{
    const std::optional<QStringList> loaded = m_appletFiles->relativePaths(m_document.FileName());
    if (!loaded) {
        then({});
        return;
    }
    m_copy = std::make_unique<LoadedFilesCopy>(
        *m_appletFiles, *loaded, destination, [this](const QString &to) {
            return m_messages.askToOverwrite(
                &m_window, m_window.windowTitle(),
                tr("%1 is there already and differs from the file the applet loads. Write over it?")
                    .arg(QDir::toNativeSeparators(to)));
        });
    // Thousands of files take a while: the progress window shows it, and closing it cancels.
    auto progress = std::make_shared<MessageWindow>(&m_window);
    progress->setMessage(loaded->size() == 1
                             ? tr("Publishing the file the applet loads.")
                             : tr("Publishing the %1 files the applet loads.").arg(loaded->size()));
    progress->ProgressBar1->setRange(0, int(loaded->size()));
    connect(progress.get(), &MessageWindow::closeAsked, m_copy.get(), &LoadedFilesCopy::cancel);
    connect(m_copy.get(), &LoadedFilesCopy::progressed, progress.get(),
            [bar = progress->ProgressBar1](int done) { bar->setValue(done); });
    connect(m_copy.get(), &LoadedFilesCopy::finished, this,
            [this, progress, then = std::move(then)](const CopiedFiles &copied, bool cancelled) {
                progress->hide();
                m_copy.release()->deleteLater();
                then({copied, cancelled});
            });
    progress->show();
    m_copy->start();
}

void AppletCommands::filesPublished(const QString &classFile, const QString &page, const LoadedCopy &copy)
{
    if (!copy.copied) {
        // Short enough for the status bar; the manual says to view the applet first.
        m_statusBar.showMessage(
            tr("Published %1 and %2; the files it loads are not known yet").arg(classFile, page));
        end();
        return;
    }
    const CopiedFiles &copied = *copy.copied;
    if (copy.cancelled)
        m_statusBar.showMessage(tr("Published %1 and %2; copying the files it loads was cancelled after %3")
                                    .arg(classFile, page)
                                    .arg(copied.carried));
    else if (copied.carried == 0)
        m_statusBar.showMessage(tr("Published %1 and %2").arg(classFile, page));
    else
        m_statusBar.showMessage(
            tr("Published %1, %2 and %3 it loads").arg(classFile, page, filesText(copied)));
    warnOfFilesNotPublished(copied);
    end();
}

QString AppletCommands::filesText(const CopiedFiles &copied)
{
    return copied.carried == 1 ? tr("1 file") : tr("%1 files").arg(copied.carried);
}

void AppletCommands::warnOfFilesNotPublished(const CopiedFiles &copied)
{
    if (!copied.problems.isEmpty())
        m_messages.warning(&m_window, m_window.windowTitle(),
                           tr("These files the applet loads were not published:\n%1")
                               .arg(copied.problems.join(QLatin1Char('\n'))));
}

void AppletCommands::PublishRunnableJar()
{
    if (m_running)
        return;
    const std::optional<SourceLayout> layout = checkedLayout();
    if (!layout)
        return;
    // Named after the class, in the folder last published to.
    const QString folder = m_publishedTo.isEmpty() ? layout->root : m_publishedTo;
    const std::optional<QString> target = askPublishPath(
        JarFilter, QStringLiteral("Publish Runnable Jar As"),
        QDir(folder).filePath(layout->simpleName + QStringLiteral(".jar")), {}, tr("the jar"));
    if (!target)
        return;
    m_publishedTo = destinationOf(*target);
    begin();
    findJdk([this, layout = *layout, target = *target](const Jdk &jdk) {
        const QString tool = jarTool(jdk.javac);
        m_jar = std::make_unique<RunnableJar>(target);
        QString problem = m_jar->problem();
        if (!jdk.javac.isEmpty() && tool.isEmpty())
            problem = tr("the JDK of %1 has no jar tool").arg(QDir::toNativeSeparators(jdk.javac));
        if (!problem.isEmpty()) {
            jarNotPublished(target, problem);
            return;
        }
        compile(jdk, m_document.FileName(), layout, m_jar->root(), CompileFeedbackStyle::StatusBar, {},
                [this, layout, target, tool](const CompileResult &result) {
                    packRunnableJar(layout, target, tool, result);
                });
    });
}

void AppletCommands::packRunnableJar(const SourceLayout &layout, const QString &target, const QString &tool,
                                     const CompileResult &result)
{
    if (result.outcome == CompileResult::Outcome::Cancelled) {
        jarCancelled(target);
        return;
    }
    if (const QString failure = compileFailure(result, layout.classFileIn(m_jar->root()));
        !failure.isEmpty()) {
        m_messages.warning(&m_window, m_window.windowTitle(),
                           tr("The compile failed, so no jar was written.\n%1").arg(failure));
        m_jar.reset();
        end();
        return;
    }
    // The author's element, or else the one the viewer would run the class with.
    const std::optional<AuthorsApplet> authors = authorsApplet(m_document.FileName(), layout.className(),
                                                               layout.root);
    const AppletTag tag = hostPageApplet(layout.className() + QStringLiteral(".class"),
                                         authors ? &authors->tag : nullptr);
    if (const QString problem = m_jar->describe(layout.className(), tag, AppletWindow::designedArea());
        !problem.isEmpty()) {
        jarNotPublished(target, problem);
        return;
    }
    copyLoadedFiles(m_jar->root(), [this, target, tool](const LoadedCopy &copied) {
        if (copied.cancelled) {
            jarCancelled(target);
            return;
        }
        connect(m_jar.get(), &RunnableJar::finished, this,
                [this, target, copied](const QString &problem) { jarPacked(target, copied, problem); });
        m_jar->pack(tool);
    });
}

void AppletCommands::jarPacked(const QString &target, const LoadedCopy &copied, const QString &problem)
{
    if (m_jar->cancelled()) {
        jarCancelled(target);
        return;
    }
    if (!problem.isEmpty()) {
        jarNotPublished(target, problem);
        return;
    }
    m_jar.release()->deleteLater(); // the sender
    const QString jar = QFileInfo(target).fileName();
    if (!copied.copied)
        m_statusBar.showMessage(tr("Published %1; the files it loads are not known yet").arg(jar));
    else if (copied.copied->carried == 0)
        m_statusBar.showMessage(tr("Published %1").arg(jar));
    else
        m_statusBar.showMessage(tr("Published %1 with %2 it loads").arg(jar, filesText(*copied.copied)));
    if (copied.copied)
        warnOfFilesNotPublished(*copied.copied);
    end();
}

void AppletCommands::jarCancelled(const QString &target)
{
    m_jar.release()->deleteLater(); // it may be the sender
    m_statusBar.showMessage(tr("Publishing %1 was cancelled").arg(QFileInfo(target).fileName()));
    end();
}

void AppletCommands::jarNotPublished(const QString &target, const QString &problem)
{
    if (m_jar)
        m_jar.release()->deleteLater(); // it may be the sender
    m_messages.warning(&m_window, m_window.windowTitle(),
                       tr("The jar %1 was not written: %2.").arg(QDir::toNativeSeparators(target), problem));
    end();
}
