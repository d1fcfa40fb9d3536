// Typing into a pane that holds a 20 MB document, and a 1 MB one that is
// highlighted: Zarn's main window against a bare QPlainTextEdit of the same size,
// with the same key events.
#include "BenchKeys.h"
#include "BenchTable.h"
#include "MonotonicClock.h"
#include "Suites.h"
#include "Zarn.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>

namespace {

constexpr int Keys = 2000;
constexpr int Runs = 3;

// A document of that many lines of about 80 characters of Java.
QString document(int lines)
{
    QString text;
    text.reserve(lines * 82);
    for (int i = 0; i < lines; ++i)
        text += QStringLiteral("        g.drawString(\"Hello from line %1\", x + 10, y + 20); /* text */\n")
                    .arg(i);
    return text;
}

// Milliseconds per key, each key followed by the repaint a user would see.
double typeInto(QPlainTextEdit &pane, const std::vector<BenchKey> &keys)
{
    QTextCursor middle(pane.document()->findBlockByNumber(pane.document()->blockCount() / 2));
    pane.setTextCursor(middle);
    pane.setFocus();
    QApplication::processEvents();
    const qint64 start = monotonicNs();
    for (const BenchKey &key : keys)
        sendBenchKey(pane, key);
    return double(monotonicNs() - start) / 1e6 / double(keys.size());
}

// Typing into Zarn's main window holding text, against a bare pane with the same font.
void typingFigure(BenchTable &table, const char *figure, const QString &text, double target)
{
    const std::vector<BenchKey> keys = benchKeyPresses(Keys);
    QTemporaryDir appFolder;
    std::vector<double> zarnMs, bareMs;
    for (int run = 0; run < Runs; ++run) {
        QFont font;
        {
            auto *window = new Zarn(appFolder.path());
            window->show();
            auto *pane = window->findChild<QPlainTextEdit *>(QStringLiteral("Richtextbox1"));
            font = pane->font();
            pane->setPlainText(text);
            zarnMs.push_back(typeInto(*pane, keys));
            pane->document()->setModified(false);
            delete window;
        }
        {
            QPlainTextEdit pane;
            pane.setFont(font);
            pane.resize(497, 357);
            pane.setLineWrapMode(QPlainTextEdit::NoWrap);
            pane.show();
            pane.setPlainText(text);
            bareMs.push_back(typeInto(pane, keys));
        }
    }
    table.add({figure, median(zarnMs), median(bareMs), target});
}

} // namespace

void benchTyping(BenchTable &table)
{
    // Large documents are not highlighted; a 1 MB one is, on every key, against the
    // same document in a pane without highlighting.
    typingFigure(table, "typing into a 20 MB document (ms per key)", document(250000), 1.1);
    typingFigure(table, "typing into a 1 MB highlighted document (ms/key)", document(12500), 1.5);
}
