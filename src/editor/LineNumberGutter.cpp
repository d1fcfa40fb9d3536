#include "LineNumberGutter.h"

#include "EditorPane.h"

LineNumberGutter::LineNumberGutter(EditorPane &pane)
    : QWidget(&pane)
    , m_pane(pane)
{
    setObjectName(QStringLiteral("LineNumberGutter"));
}

QSize LineNumberGutter::sizeHint() const
{
    return {m_pane.gutterWidth(), 0};
}

void LineNumberGutter::paintEvent(QPaintEvent *event)
{
    m_pane.paintGutter(event);
}
