#include "CompletionList.h"

#include "TypedCharacters.h"

#include <QFocusEvent>
#include <QKeyEvent>

CompletionList::CompletionList(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

int CompletionList::highlightedRow() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.constFirst());
}

void CompletionList::clearHighlight()
{
    setCurrentRow(-1);
    clearSelection();
}

void CompletionList::mouseDoubleClickEvent(QMouseEvent *event)
{
    QListWidget::mouseDoubleClickEvent(event);
    Q_EMIT listDoubleClicked();
}

void CompletionList::keyPressEvent(QKeyEvent *event)
{
    for (const QChar code : typedCharacters(*event))
        Q_EMIT characterTyped(code);
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QListWidget::keyPressEvent(event);
    }
}

void CompletionList::focusOutEvent(QFocusEvent *event)
{
    QListWidget::focusOutEvent(event);
    // A menu popping up or another program taking over leaves the focus here.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        Q_EMIT focusLost();
}
