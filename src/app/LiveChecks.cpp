#include "LiveChecks.h"

#include "AppletCommands.h"
#include "SettingsStore.h"
#include "TextCheck.h"

#include <QTextDocument>

#include <utility>

LiveChecks::LiveChecks(QTextDocument &text, AppletCommands &applets, const SettingsStore &settings,
                       const QString &appFolder, QObject *parent)
    : QObject(parent)
    , m_text(text)
    , m_applets(applets)
    , m_settings(settings)
    , m_appFolder(appFolder)
{
    m_delay.setSingleShot(true);
    m_delay.setInterval(DelayMs);
    connect(&m_delay, &QTimer::timeout, this, &LiveChecks::check);
    // The highlighter's formats change the contents too, but not the revision.
    connect(&m_text, &QTextDocument::contentsChanged, this, &LiveChecks::changed);
    connect(&m_applets, &AppletCommands::textHelpReady, this, &LiveChecks::checkWaiting);
    connect(&m_applets, &AppletCommands::textHelpUnavailable, this, [this] { m_waiting = false; });
    connect(&m_applets, &AppletCommands::busyChanged, this, [this](bool busy) {
        if (!busy)
            checkWaiting();
    });
}

LiveChecks::~LiveChecks() = default;

void LiveChecks::changed()
{
    if (m_text.revision() == m_revision)
        return;
    m_revision = m_text.revision();
    m_waiting = false;
    m_check.reset(); // its text is gone
    if (m_settings.workspace().checkWhileTyping)
        m_delay.start();
}

void LiveChecks::check()
{
    const QString text = m_text.toPlainText();
    if (text.size() > LargestText || text.toUtf8().size() > LargestText)
        return;
    const std::optional<AppletCommands::TextCheckRequest> request = m_applets.textCheckRequest(text);
    if (!request) {
        m_waiting = true;
        if (!m_applets.isRunning())
            m_applets.warmUpTextHelp();
        return;
    }
    m_check = std::make_unique<TextCheck>(request->socket, m_appFolder);
    m_checkedRevision = m_revision;
    connect(m_check.get(), &TextCheck::finished, this, [this](const CompileResult &result) {
        if (result.ran() && m_checkedRevision == m_text.revision())
            Q_EMIT checked(result);
    });
    m_check->start(request->javac, request->options, request->path, text);
}

void LiveChecks::checkWaiting()
{
    if (std::exchange(m_waiting, false) && m_settings.workspace().checkWhileTyping && !m_delay.isActive())
        check();
}
