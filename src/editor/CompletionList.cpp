#include "CompletionList.h"

#include <algorithm>

CompletionList::CompletionList(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFocusPolicy(Qt::NoFocus);
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

void CompletionList::highlightFirstStartingWith(const QString &prefix)
{
    for (int entry = 0; !prefix.isEmpty() && entry < count(); ++entry) {
        if (item(entry)->text().startsWith(prefix, Qt::CaseInsensitive)) {
            setCurrentRow(entry);
            return;
        }
    }
    clearHighlight();
}

void CompletionList::moveHighlight(int step)
{
    if (count() == 0)
        return;
    const int from = highlightedRow();
    setCurrentRow(std::clamp(from < 0 ? 0 : from + step, 0, count() - 1));
}

void CompletionList::mouseDoubleClickEvent(QMouseEvent *event)
{
    QListWidget::mouseDoubleClickEvent(event);
    Q_EMIT listDoubleClicked();
}
