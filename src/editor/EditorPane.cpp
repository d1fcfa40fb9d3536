#include "EditorPane.h"

#include "BracketMatch.h"
#include "ChangedLinesLayout.h"
#include "Indentation.h"
#include "JavaHighlighter.h"
#include "LineNumberGutter.h"
#include "TypedCharacters.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QTextBlock>
#include <QToolTip>

EditorPane::EditorPane(QWidget *parent)
    : QPlainTextEdit(parent)
    , m_gutter(new LineNumberGutter(*this))
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    auto *text = new QTextDocument(this);
    text->setDocumentLayout(new ChangedLinesLayout(text));
    setDocument(text);

    // Connected before the highlighter, so that a document grown too large is
    // taken from it before it would go through every line.
    connect(document(), &QTextDocument::contentsChange, this, &EditorPane::documentChanged);
    m_highlighter = new JavaHighlighter(this);
    m_highlighter->setColours(highlightColours(palette()));
    m_highlighter->setDocument(document());

    connect(this, &QPlainTextEdit::blockCountChanged, this, &EditorPane::updateGutterWidth);
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect &rect, int dy) {
        if (dy)
            m_gutter->scroll(0, dy);
        else
            m_gutter->update(0, rect.y(), m_gutter->width(), rect.height());
    });
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &EditorPane::updateExtraSelections);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &EditorPane::updateCaretMessage);
    updateGutterWidth();
    updateTabWidth();
}

EditorPane::~EditorPane() = default;

bool EditorPane::event(QEvent *event)
{
    // The text control claims Ctrl+X, Ctrl+C and Ctrl+V for itself; left unclaimed,
    // they reach the Edit menu's commands.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (m_menuShortcuts.contains(QKeySequence(key->keyCombination()))) {
            event->ignore();
            return true;
        }
    }
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QString message = m_marks.messageAt(
            cursorForPosition(viewport()->mapFrom(this, help->pos())).position());
        if (message.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), message, this);
        return true;
    }
    return QPlainTextEdit::event(event);
}

void EditorPane::mouseReleaseEvent(QMouseEvent *event)
{
    QPlainTextEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && event->modifiers() == Qt::ControlModifier
        && !textCursor().hasSelection())
        Q_EMIT nameClicked(cursorForPosition(event->position().toPoint()).position());
}

void EditorPane::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !isReadOnly()
        && (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier
            || isModifiedLineBreak(*event))) {
        // Shift+Return would insert U+2028, which looks like a line break but is
        // none in the saved file, and Ctrl+Return nothing: all three break the line.
        breakLine();
        event->accept();
        return;
    }
    // Tab on several lines indents them, Shift+Tab unindents the selected lines or
    // the caret's; a closing brace first in a line takes one level back.
    if (!isReadOnly() && key == Qt::Key_Tab && event->modifiers() == Qt::NoModifier
        && selectsSeveralLines(textCursor())) {
        QTextCursor cursor = textCursor();
        indentLines(cursor, indentUnit(*document()));
        setTextCursor(cursor);
        event->accept();
        return;
    }
    if (!isReadOnly() && key == Qt::Key_Backtab) {
        QTextCursor cursor = textCursor();
        unindentLines(cursor, indentUnit(*document()));
        setTextCursor(cursor);
        event->accept();
        return;
    }
    if (!isReadOnly() && event->text() == QLatin1String("}") && !textCursor().hasSelection()
        && !overwriteMode()) {
        QTextCursor cursor = textCursor();
        typeClosingBrace(cursor, indentUnit(*document()));
        setTextCursor(cursor);
        event->accept();
        return;
    }
    if (event->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y)
        || event->keyCombination() == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z)) {
        redo();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

// A new line indented as the one the caret was on, one level more after an opening
// brace, as one step of the undo history.
void EditorPane::breakLine()
{
    QTextCursor cursor = textCursor();
    const QString indent = indentForNewLine(cursor.block().text().left(cursor.positionInBlock()),
                                            indentUnit(*document()));
    cursor.beginEditBlock();
    cursor.insertBlock();
    cursor.insertText(indent);
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

namespace {

// The local file a drop brings, if it brings one.
QString droppedFile(const QMimeData *source)
{
    if (!source->hasUrls() || source->urls().isEmpty() || !source->urls().constFirst().isLocalFile())
        return {};
    return source->urls().constFirst().toLocalFile();
}

} // namespace

bool EditorPane::canInsertFromMimeData(const QMimeData *source) const
{
    return !droppedFile(source).isEmpty() || QPlainTextEdit::canInsertFromMimeData(source);
}

void EditorPane::dropEvent(QDropEvent *event)
{
    if (const QString file = droppedFile(event->mimeData()); !file.isEmpty()) {
        event->acceptProposedAction();
        Q_EMIT fileDropped(file);
        return;
    }
    QPlainTextEdit::dropEvent(event);
}

QMimeData *EditorPane::createMimeDataFromSelection() const
{
    QString text = textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    auto *data = new QMimeData;
    data->setText(text);
    return data;
}

void EditorPane::setDiagnostics(const QList<PaneDiagnostic> &diagnostics)
{
    m_marks.set(*document(), diagnostics);
    updateExtraSelections();
    // Marks appearing under a caret at rest leave the status bar to the compile's
    // own words; moving onto a mark, or F8, shows its message.
    m_caretMessage = m_marks.messageAt(textCursor().position());
}

void EditorPane::updateCaretMessage()
{
    const QString message = m_marks.messageAt(textCursor().position());
    if (message == m_caretMessage)
        return;
    m_caretMessage = message;
    Q_EMIT caretMessageChanged(message);
}

void EditorPane::moveCaretTo(std::optional<int> position)
{
    if (!position)
        return;
    QTextCursor cursor = textCursor();
    cursor.setPosition(*position);
    setTextCursor(cursor);
    ensureCursorVisible();
    m_caretMessage = m_marks.messageAt(*position);
    Q_EMIT caretMessageChanged(m_caretMessage); // even when the caret was there already
}

void EditorPane::goToNextDiagnostic()
{
    moveCaretTo(m_marks.next(textCursor().position()));
}

void EditorPane::goToPreviousDiagnostic()
{
    moveCaretTo(m_marks.previous(textCursor().position()));
}

void EditorPane::goToFirstError()
{
    moveCaretTo(m_marks.firstError());
    setFocus();
}

void EditorPane::goToLine(int line)
{
    const QTextBlock block = document()->findBlockByNumber(line - 1);
    if (block.isValid())
        moveCaretTo(block.position());
    setFocus();
}

bool EditorPane::isHighlighting() const
{
    return m_highlighter->document() != nullptr;
}

void EditorPane::documentChanged(int position, int removed, int added)
{
    Q_UNUSED(removed);
    const bool large = document()->characterCount() > HighlightLimit;
    if (large && isHighlighting())
        m_highlighter->setDocument(nullptr);
    else if (!large && !isHighlighting())
        m_highlighter->setDocument(document());
    if (m_marks.clearChanged(*document(), position, added)) {
        updateExtraSelections();
        updateCaretMessage();
    }
}

void EditorPane::updateExtraSelections()
{
    QList<QTextEdit::ExtraSelection> selections = m_marks.selections(errorColour(), warningColour());
    const int position = textCursor().position();
    // The bracket after the caret, else the one before it, and its match.
    for (const int at : {position, position - 1}) {
        if (const std::optional<int> match = matchingBracket(*document(), at)) {
            for (const int bracket : {at, *match}) {
                QTextEdit::ExtraSelection selection;
                selection.cursor = QTextCursor(document());
                selection.cursor.setPosition(bracket);
                selection.cursor.setPosition(bracket + 1, QTextCursor::KeepAnchor);
                selection.format.setBackground(palette().color(QPalette::Highlight).lighter(160));
                selections.append(selection);
            }
            break;
        }
    }
    setExtraSelections(selections);
}

int EditorPane::gutterWidth() const
{
    const int digits = int(QString::number(std::max(1, blockCount())).size());
    return 8 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(2, digits);
}

void EditorPane::updateGutterWidth()
{
    setViewportMargins(gutterWidth(), 0, 0, 0);
    const QRect area = contentsRect();
    m_gutter->setGeometry(area.left(), area.top(), gutterWidth(), area.height());
}

void EditorPane::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    updateGutterWidth();
}

void EditorPane::changeEvent(QEvent *event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        updateGutterWidth();
        updateTabWidth();
    }
    if (event->type() == QEvent::PaletteChange && isHighlighting())
        m_highlighter->setColours(highlightColours(palette()));
}

void EditorPane::updateTabWidth()
{
    // A tab as wide as four spaces, as Java sources are usually indented.
    setTabStopDistance(4 * QFontMetricsF(font()).horizontalAdvance(QLatin1Char(' ')));
}

void EditorPane::paintGutter(QPaintEvent *event)
{
    QPainter painter(m_gutter);
    painter.fillRect(event->rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.setFont(font());
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    while (block.isValid() && top <= event->rect().bottom()) {
        const int height = qRound(blockBoundingRect(block).height());
        if (block.isVisible() && top + height >= event->rect().top())
            painter.drawText(0, top, m_gutter->width() - 4, height, Qt::AlignRight | Qt::AlignVCenter,
                             QString::number(block.blockNumber() + 1));
        block = block.next();
        top += height;
    }
}
