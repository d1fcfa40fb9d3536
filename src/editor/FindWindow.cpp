#include "FindWindow.h"

#include "WindowPlacement.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

FindWindow::FindWindow(QPlainTextEdit &pane, QWidget *parent)
    : QDialog(parent)
    , m_pane(pane)
{
    setObjectName(QStringLiteral("FindWindow"));
    setModal(false);

    m_find = new QLineEdit(this);
    m_find->setObjectName(QStringLiteral("FindWhat"));
    m_replace = new QLineEdit(this);
    m_replace->setObjectName(QStringLiteral("ReplaceWith"));
    auto *findLabel = new QLabel(tr("Fi&nd what:"), this);
    findLabel->setBuddy(m_find);
    auto *replaceLabel = new QLabel(tr("Re&place with:"), this);
    replaceLabel->setBuddy(m_replace);
    m_replaceLabel = replaceLabel;
    m_matchCase = new QCheckBox(tr("Match &case"), this);
    m_matchCase->setObjectName(QStringLiteral("MatchCase"));
    m_wholeWords = new QCheckBox(tr("&Whole words"), this);
    m_wholeWords->setObjectName(QStringLiteral("WholeWords"));

    auto *next = new QPushButton(tr("Find &Next"), this);
    next->setDefault(true);
    auto *previous = new QPushButton(tr("Find Pre&vious"), this);
    m_replaceOne = new QPushButton(tr("&Replace"), this);
    m_replaceAll = new QPushButton(tr("Replace &All"), this);
    auto *close = new QPushButton(tr("Close"), this);
    connect(next, &QPushButton::clicked, this, [this] { find(false); });
    connect(previous, &QPushButton::clicked, this, [this] { find(true); });
    connect(m_replaceOne, &QPushButton::clicked, this, &FindWindow::replace);
    connect(m_replaceAll, &QPushButton::clicked, this, &FindWindow::replaceEverywhere);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto *fields = new QGridLayout;
    fields->addWidget(findLabel, 0, 0);
    fields->addWidget(m_find, 0, 1);
    fields->addWidget(replaceLabel, 1, 0);
    fields->addWidget(m_replace, 1, 1);
    fields->addWidget(m_matchCase, 2, 1);
    fields->addWidget(m_wholeWords, 3, 1);
    auto *buttons = new QVBoxLayout;
    for (QPushButton *button : {next, previous, m_replaceOne, m_replaceAll, close})
        buttons->addWidget(button);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);
}

void FindWindow::showFind()
{
    showFor(false);
}

void FindWindow::showReplace()
{
    showFor(true);
}

void FindWindow::showFor(bool replacing)
{
    setWindowTitle(replacing ? tr("Replace") : tr("Find"));
    const QList<QWidget *> replaceParts{m_replaceLabel, m_replace, m_replaceOne, m_replaceAll};
    for (QWidget *part : replaceParts)
        part->setVisible(replacing);
    const QString selected = m_pane.textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
        m_find->setText(selected);
    m_find->selectAll();
    show();
    raise();
    activateWindow();
    m_find->setFocus();
}

SearchOptions FindWindow::options() const
{
    return {m_find->text(), m_matchCase->isChecked(), m_wholeWords->isChecked()};
}

bool FindWindow::findAgain(bool backward)
{
    if (m_find->text().isEmpty())
        return false;
    find(backward);
    return true;
}

bool FindWindow::find(bool backward)
{
    const std::optional<SearchMatch> match = findText(*m_pane.document(), m_pane.textCursor(), options(),
                                                      backward);
    if (!match) {
        Q_EMIT reported(tr("Cannot find \"%1\"").arg(m_find->text()));
        return false;
    }
    m_pane.setTextCursor(match->cursor);
    m_pane.ensureCursorVisible();
    moveOffMatch();
    Q_EMIT reported(!match->wrapped ? QString()
                    : backward      ? tr("Search went on from the bottom")
                                    : tr("Search went on from the top"));
    return true;
}

void FindWindow::moveOffMatch()
{
    const QScreen *shown = screen();
    if (!isVisible() || !shown)
        return;
    QTextCursor start = m_pane.textCursor();
    start.setPosition(start.selectionStart());
    const QRect first = m_pane.cursorRect(start);
    const QRect last = m_pane.cursorRect(m_pane.textCursor());
    // The match's lines across the pane's width: the whole line stays readable.
    const QRect lines(m_pane.viewport()->mapToGlobal(QPoint(0, first.top())),
                      m_pane.viewport()->mapToGlobal(QPoint(m_pane.viewport()->width() - 1, last.bottom())));
    move(placeOff(frameGeometry(), lines, shown->availableGeometry()));
}

void FindWindow::replace()
{
    QTextCursor cursor = m_pane.textCursor();
    if (isMatch(cursor, options())) {
        cursor.insertText(m_replace->text());
        m_pane.setTextCursor(cursor);
    }
    find(false);
}

void FindWindow::replaceEverywhere()
{
    const int replaced = replaceAll(*m_pane.document(), options(), m_replace->text());
    Q_EMIT reported(replaced == 0 ? tr("Cannot find \"%1\"").arg(m_find->text())
                                  : tr("Replaced %1 of \"%2\"").arg(replaced).arg(m_find->text()));
}
