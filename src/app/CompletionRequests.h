#pragma once

#include <QObject>
#include <QString>

#include <memory>

class AppletCommands;
class CodeCompletion;
class CompletionQuery;
class QStatusBar;
class QTextDocument;

// Edit > Complete Name (Ctrl+Space): the warm compiler asked what may stand at the
// caret of the text as it stands in the pane (see CompletionQuery), and the answer
// shown by the code completion's list. Before the warm compiler is ready, or while a
// command runs, the request waits for it (the first one starts the warm compiler);
// moving the caret off the name drops it.
class CompletionRequests : public QObject
{
    Q_OBJECT

public:
    CompletionRequests(CodeCompletion &completion, QTextDocument &text, AppletCommands &applets,
                       QStatusBar &statusBar, const QString &appFolder, QObject *parent = nullptr);
    ~CompletionRequests() override;

    void ask();

private:
    void askWaiting();

    CodeCompletion &m_completion;
    QTextDocument &m_text;
    AppletCommands &m_applets;
    QStatusBar &m_statusBar;
    QString m_appFolder;
    bool m_waiting = false;
    std::unique_ptr<CompletionQuery> m_query;
};
