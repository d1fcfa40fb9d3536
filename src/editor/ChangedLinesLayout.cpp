#include "ChangedLinesLayout.h"

#include <QTextBlock>
#include <QTextLayout>

void ChangedLinesLayout::documentChanged(int from, int charsRemoved, int charsAdded)
{
    Q_UNUSED(charsRemoved);
    // The line being edited keeps its shaped glyphs, which its layout, its painting
    // and the caret's place would otherwise each shape anew; the last such line
    // lets go of them.
    const QTextBlock edited = document()->findBlock(from);
    if (edited.isValid() && (m_edited.isNull() || m_edited.block() != edited)) {
        if (!m_edited.isNull())
            m_edited.block().layout()->setCacheEnabled(false);
        edited.layout()->setCacheEnabled(true);
        m_edited = QTextCursor(edited);
    }
    QPlainTextDocumentLayout::documentChanged(from, 0, charsAdded);
}
