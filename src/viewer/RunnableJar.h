#pragma once

#include "AppletPage.h"

#include <QObject>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

class ManagedProcess;
struct AppletLaunch;

// The runner's jar (zarn-runner.jar): beside the executable, else in the
// installation's data folder.
QString appletRunnerJar();

// Where a runnable jar tells its runner what to run, and what it says there for
// the applet that launch gives, at size: lines of a word and its percent-encoded
// values ("class", "width", "height", "document", then the parameters as the
// applet's getParameter answers them).
inline constexpr char RunnerDescriptionPath[] = "META-INF/zarn-applet.txt";
QByteArray runnerDescription(const AppletLaunch &launch, const QSize &size, const QString &document);

// The JDK tool that makes jars, beside javac (its links resolved); empty when that
// JDK has none.
QString jarTool(const QString &javac);

// A runnable jar in the making: the runner's jar with, at its root (the applet's
// code base), the applet's class tree, the files it loads, its page and the
// runner's description, and Zarn's Applet API beside the runner. The files are gathered in a private
// temporary folder; the jar is made there by the JDK's jar tool, a process, and only a whole jar takes the
// place of the target. One use per object.
class RunnableJar : public QObject
{
    Q_OBJECT

public:
    explicit RunnableJar(const QString &target, QObject *parent = nullptr);
    ~RunnableJar() override;

    // Empty when the temporary folder could be made, else why not.
    QString problem() const;
    // The jar's root, where the classes are compiled and the loaded files copied to.
    QString root() const;
    // Writes the page (named after the class) and the runner's description for the
    // applet element tag, sized in area as the viewer would size it. Empty on
    // success, else why not.
    QString describe(const QString &className, const AppletTag &tag, const QSize &area);
    // Makes the jar with the jar tool at tool; finished says how it went.
    void pack(const QString &tool);
    // Ends the jar tool; finished follows, and the target stays as it was.
    void cancel();
    bool cancelled() const { return m_cancelled; }
    // The jar tool runs.
    bool packing() const;

Q_SIGNALS:
    // problem is empty when the jar is in place.
    void finished(const QString &problem);

private:
    void packed(int exitCode, const QString &startError);

    QString m_target;
    QTemporaryDir m_folder;
    ManagedProcess *m_tool = nullptr;
    bool m_cancelled = false;
};
