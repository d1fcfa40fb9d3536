#include "CompletionRequests.h"

#include "AppletCommands.h"
#include "CodeCompletion.h"
#include "CompletionQuery.h"

#include <QStatusBar>
#include <QTextDocument>

#include <utility>

CompletionRequests::CompletionRequests(CodeCompletion &completion, QTextDocument &text,
                                       AppletCommands &applets, QStatusBar &statusBar,
                                       const QString &appFolder, QObject *parent)
    : QObject(parent)
    , m_completion(completion)
    , m_text(text)
    , m_applets(applets)
    , m_statusBar(statusBar)
    , m_appFolder(appFolder)
{
    connect(&m_applets, &AppletCommands::textHelpReady, this, &CompletionRequests::askWaiting);
    connect(&m_applets, &AppletCommands::busyChanged, this, [this](bool busy) {
        if (!busy)
            askWaiting();
    });
    connect(&m_applets, &AppletCommands::textHelpUnavailable, this, [this] {
        if (std::exchange(m_waiting, false))
            m_statusBar.showMessage(
                tr("Completion needs Zarn's warm compiler, which cannot run for this file"));
    });
}

CompletionRequests::~CompletionRequests() = default;

void CompletionRequests::ask()
{
    m_query.reset();
    m_waiting = m_completion.begin().has_value();
    askWaiting();
}

void CompletionRequests::askWaiting()
{
    const std::optional<int> caret = m_completion.begunCaret();
    if (!std::exchange(m_waiting, false) || !caret)
        return;
    const QString text = m_text.toPlainText();
    const std::optional<AppletCommands::TextCheckRequest> request = m_applets.textCheckRequest(text);
    if (!request) {
        m_waiting = true;
        if (!m_applets.isRunning()) {
            m_statusBar.showMessage(tr("Starting the compiler for completion..."));
            m_applets.warmUpTextHelp();
        }
        return;
    }
    m_query = std::make_unique<CompletionQuery>(request->socket, m_appFolder);
    connect(m_query.get(), &CompletionQuery::answered, this, [this](const QList<CompletionEntry> &entries) {
        m_statusBar.clearMessage();
        const bool stillAsked = m_completion.begunCaret().has_value();
        m_completion.show(entries);
        if (stillAsked && !m_completion.isOpen())
            m_statusBar.showMessage(tr("Nothing to complete here"));
    });
    connect(m_query.get(), &CompletionQuery::failed, this, [this](const QString &problem) {
        m_completion.close();
        m_statusBar.showMessage(tr("No completion: %1").arg(problem));
    });
    m_query->start(request->javac, request->options, request->path, text, *caret);
}
