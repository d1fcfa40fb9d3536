#include "ClassNavigation.h"

#include "ClassSources.h"
#include "Document.h"
#include "EditorPane.h"

#include <QCoreApplication>
#include <QStatusBar>
#include <QTextBlock>

#include <algorithm>
#include <utility>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ClassNavigation", text);
}

} // namespace

ClassNavigation::ClassNavigation(EditorPane &pane, const Document &document, QStatusBar &statusBar,
                                 OpenUnlessOpen open)
    : m_pane(pane)
    , m_document(document)
    , m_statusBar(statusBar)
    , m_open(std::move(open))
{
}

bool ClassNavigation::goToClassAt(int position)
{
    const QTextBlock block = m_pane.document()->findBlock(position);
    const QString name = dottedNameAt(block.text(), position - block.position());
    if (name.isEmpty()) {
        m_statusBar.showMessage(tr("No class name at the caret"));
        return false;
    }
    const QString document = m_document.hasOwnName() ? m_document.FileName() : QString();
    const QString text = m_pane.toPlainText();
    std::optional<ClassSource> found = findClassSource(name, document, text);
    if (!found && name.contains(u'.'))
        found = findClassSource(name.section(u'.', -1), document, text);
    if (!found) {
        m_statusBar.showMessage(tr("No source found for %1").arg(name));
        return false;
    }
    const NavigationHistory::Place from = currentPlace();
    if (!m_open(found->path))
        return false;
    m_history.left(from);
    m_pane.goToLine(found->line);
    return true;
}

void ClassNavigation::back()
{
    const NavigationHistory::Place current = currentPlace();
    if (const std::optional<NavigationHistory::Place> place = m_history.previous(); place && show(*place))
        m_history.wentBack(current);
}

void ClassNavigation::forward()
{
    const NavigationHistory::Place current = currentPlace();
    if (const std::optional<NavigationHistory::Place> place = m_history.next(); place && show(*place))
        m_history.wentForward(current);
}

NavigationHistory::Place ClassNavigation::currentPlace() const
{
    return {m_document.hasOwnName() ? m_document.FileName() : QString(), m_pane.textCursor().position()};
}

bool ClassNavigation::show(const NavigationHistory::Place &place)
{
    if (!m_open(place.path))
        return false;
    QTextCursor caret = m_pane.textCursor();
    caret.setPosition(std::clamp(place.position, 0, m_pane.document()->characterCount() - 1));
    m_pane.setTextCursor(caret);
    m_pane.centerCursor();
    return true;
}
