#pragma once

#include <QObject>
#include <QTimer>

#include <memory>

class AppletCommands;
class QTextDocument;
class SettingsStore;
class TextCheck;
struct CompileResult;

// Errors marked while typing: DelayMs after the last change of the text, the warm
// compiler checks it as it stands in the pane (see TextCheck), and checked gives
// the result, to be shown as a compile's. A result for a text that has changed
// since is dropped, and so is a check that a newer change overtakes. Off while the
// Workspace page's checkWhileTyping is, and whenever the document's compile could
// not use the warm compiler (see AppletCommands::textCheckRequest). A check due
// while a command runs, or before the warm compiler is ready, waits for it: the
// first one starts the warm compiler.
class LiveChecks : public QObject
{
    Q_OBJECT

public:
    static constexpr int DelayMs = 400;
    // The largest text checked, in UTF-8 bytes: the warm compiler takes no more.
    static constexpr int LargestText = 1 << 20;

    LiveChecks(QTextDocument &text, AppletCommands &applets, const SettingsStore &settings,
               const QString &appFolder, QObject *parent = nullptr);
    ~LiveChecks() override;

Q_SIGNALS:
    void checked(const CompileResult &result);

private:
    void changed();
    void check();
    // A check that waited for a command or the warm compiler, if it is still due.
    void checkWaiting();

    QTextDocument &m_text;
    AppletCommands &m_applets;
    const SettingsStore &m_settings;
    QString m_appFolder;
    QTimer m_delay;
    int m_revision = -1;        // of the text last seen changed
    int m_checkedRevision = -1; // of the text the running check has
    bool m_waiting = false;     // a check is due once the warm compiler can take it
    std::unique_ptr<TextCheck> m_check;
};
