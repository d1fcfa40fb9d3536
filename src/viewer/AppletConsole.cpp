#include "AppletConsole.h"

#include "AppletOutput.h"
#include "RealPath.h"
#include "StackFrame.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

namespace {

// A link's target: the line number, a colon, the file's path.
QString linkTo(const QString &path, int line)
{
    return QString::number(line) + QLatin1Char(':') + path;
}

} // namespace

AppletConsole::AppletConsole(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("AppletConsole"));
    setWindowTitle(tr("Applet Console"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(640, 360);

    m_header = new QLabel(this);
    m_header->setObjectName(QStringLiteral("ConsoleHeader"));
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("ConsoleText"));
    m_text->setReadOnly(true);
    m_text->setUndoRedoEnabled(false);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setMaximumBlockCount(AppletOutput::KeptLines);
    m_text->setFont(QFont(QStringLiteral("Monospace")));
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                    | Qt::LinksAccessibleByMouse);
    m_text->viewport()->installEventFilter(this);
    m_text->viewport()->setMouseTracking(true);

    m_clear = new QPushButton(tr("C&lear"), this);
    m_clear->setObjectName(QStringLiteral("ConsoleClear"));
    m_close = new QPushButton(tr("&Close"), this);
    m_close->setObjectName(QStringLiteral("ConsoleClose"));
    connect(m_clear, &QPushButton::clicked, this, &AppletConsole::clear);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_clear);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_header);
    layout->addWidget(m_text);
    layout->addLayout(buttons);
    showHeader();
}

void AppletConsole::follow(std::shared_ptr<AppletOutput> output)
{
    if (m_output)
        m_output->disconnect(this);
    m_output = std::move(output);
    m_sourceExists.clear();
    m_next = 0;
    clear();
    if (m_output) {
        connect(m_output.get(), &AppletOutput::grew, this, &AppletConsole::takeNewLines);
        takeNewLines();
    }
}

void AppletConsole::clear()
{
    m_text->clear();
    m_clearedAt = m_next;
    m_shown = 0;
    showHeader();
}

QString AppletConsole::header() const
{
    return m_header->text();
}

void AppletConsole::showHeader()
{
    if (!m_output) {
        m_header->setText(tr("No applet has run yet."));
        return;
    }
    QString text = tr("%1, started %2")
                       .arg(m_output->className(),
                            m_output->started().time().toString(QStringLiteral("HH:mm:ss")));
    if (const qint64 dropped = m_next - m_clearedAt - m_shown; dropped > 0)
        text += tr(" (%1 earlier lines dropped)").arg(QLocale().toString(dropped));
    m_header->setText(text);
}

// Takes what arrived since the last time in one edit: at most a screenful of work
// a few times a second, however fast the applet writes.
void AppletConsole::takeNewLines()
{
    AppletOutput::Lines arrived = m_output->linesFrom(m_next);
    if (arrived.lines.isEmpty())
        return;
    // When many new lines would push as many old ones out, writing the last ones
    // afresh costs less than dropping lines one by one from the top.
    constexpr int Kept = AppletOutput::KeptLines;
    if (m_shown + arrived.lines.size() > Kept && arrived.lines.size() > Kept / 4) {
        arrived = m_output->linesFrom(std::max(arrived.first + arrived.lines.size() - Kept, m_clearedAt));
        m_text->clear();
        m_shown = 0;
    }
    QTextCharFormat out;
    QTextCharFormat err;
    err.setForeground(QColor(176, 0, 32));
    QTextCharFormat link;
    link.setAnchor(true);
    link.setForeground(m_text->palette().link());
    link.setFontUnderline(true);

    QTextCursor cursor(m_text->document());
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    // Lines of one stream go in together, as far as the next link.
    QString run = m_text->document()->isEmpty() ? QString() : QStringLiteral("\n");
    const QTextCharFormat *runFormat = &out;
    for (const ConsoleLine &line : arrived.lines) {
        const QTextCharFormat *format = line.stream == ConsoleLine::Stream::Err ? &err : &out;
        if (format != runFormat && !run.isEmpty()) {
            cursor.insertText(run, *runFormat);
            run.clear();
        }
        runFormat = format;
        qsizetype start = 0;
        qsizetype length = 0;
        int number = 0;
        const QString source = appletSource(line.text, &start, &length, &number);
        if (source.isEmpty()) {
            run += line.text;
        } else {
            link.setAnchorHref(linkTo(source, number));
            cursor.insertText(run + line.text.left(start), *format);
            cursor.insertText(line.text.mid(start, length), link);
            run = line.text.mid(start + length);
        }
        run += QLatin1Char('\n');
    }
    run.chop(1);
    cursor.insertText(run, *runFormat);
    cursor.endEditBlock();
    m_shown = std::min<qint64>(m_shown + arrived.lines.size(), Kept);
    m_next = arrived.first + arrived.lines.size();
    showHeader();
}

QString AppletConsole::appletSource(const QString &line, qsizetype *start, qsizetype *length, int *number)
{
    if (!line.contains(QLatin1String("at ")))
        return {};
    const std::optional<StackFrame> frame = parseStackFrame(line);
    if (!frame)
        return {};
    const QString path = frame->sourceUnder(m_output->sourceRoot());
    if (path.isEmpty())
        return {};
    auto known = m_sourceExists.find(path);
    if (known == m_sourceExists.end()) // a link leading out of the root leads nowhere
        known = m_sourceExists.insert(path,
                                      QFileInfo(path).isFile() && liesInside(path, m_output->sourceRoot()));
    if (!*known)
        return {};
    *start = frame->placeStart;
    *length = frame->placeLength;
    *number = frame->line;
    return path;
}

bool AppletConsole::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text->viewport()) {
        if (event->type() == QEvent::MouseMove) {
            const auto *move = static_cast<QMouseEvent *>(event);
            m_text->viewport()->setCursor(m_text->anchorAt(move->position().toPoint()).isEmpty()
                                              ? Qt::IBeamCursor
                                              : Qt::PointingHandCursor);
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const auto *click = static_cast<QMouseEvent *>(event);
            const QString target = m_text->anchorAt(click->position().toPoint());
            if (click->button() == Qt::LeftButton && !target.isEmpty()
                && !m_text->textCursor().hasSelection())
                Q_EMIT sourceLineClicked(target.section(QLatin1Char(':'), 1),
                                         target.section(QLatin1Char(':'), 0, 0).toInt());
        }
    }
    return QWidget::eventFilter(watched, event);
}
