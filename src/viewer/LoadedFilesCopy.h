#pragma once

#include "AppletFiles.h"

#include <QObject>
#include <QStringList>

#include <atomic>
#include <functional>
#include <vector>

class QThread;

// What a copy of the loaded files did.
struct CopiedFiles
{
    int carried = 0;      // copied, or already there as they are
    QStringList problems; // one line for each file not copied, but kept
};

// Copies the files an applet loaded (see AppletFiles) into destination, keeping
// their relative paths. Only a regular file that lies in the applet's folders is
// copied: a FIFO or a device is never opened to wait on, and a link leading out of
// the folders is not followed. A different file of the same name is written over
// only when overwrite (given the target's path) says yes. New files are renamed
// into place, and the destination's file system is synced once at the end.
//
// The files are read, compared and written on a thread of their own: the window
// goes on, the questions about files that differ are asked on its thread between
// the two, and a cancelled copy ends after the file it is at.
class LoadedFilesCopy : public QObject
{
    Q_OBJECT

public:
    using Overwrite = std::function<bool(const QString &target)>;

    LoadedFilesCopy(const AppletFiles &files, const QStringList &relativePaths, const QString &destination,
                    Overwrite overwrite, QObject *parent = nullptr);
    // Cancels, and waits for the file being copied.
    ~LoadedFilesCopy() override;

    void start();
    void cancel();

Q_SIGNALS:
    // done of total files checked, then written.
    void progressed(int done, int total);
    void finished(const CopiedFiles &copied, bool cancelled);

private:
    struct File;

    void check();
    void ask();
    void write();
    void onThread(void (LoadedFilesCopy::*work)(), void (LoadedFilesCopy::*then)());
    void end();

    const AppletFiles m_appletFiles; // as it was: the applet may go on loading meanwhile
    std::vector<File> m_files;
    QString m_destination;
    Overwrite m_overwrite;
    CopiedFiles m_copied;
    std::atomic<bool> m_cancelled = false;
    QThread *m_thread = nullptr;
};
