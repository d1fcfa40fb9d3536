// Open and save of a 20 MB, 250,000-line Java file with CR LF line ends, through the
// real document commands and Zarn's own pane, beside what Qt alone needs for the
// same work. Before the save a line is typed at the top and one in the middle.
#include "BenchFiles.h"
#include "BenchTable.h"
#include "Document.h"
#include "DocumentCommands.h"
#include "EditorPane.h"
#include "FileDialog.h"
#include "MonotonicClock.h"
#include "Suites.h"
#include "UserMessages.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>

#include <memory>

namespace {

constexpr int Lines = 250000;
constexpr int Runs = 5;

// Lines of a plausible Java source, about 84 bytes each with the line end.
QByteArray javaSource()
{
    QByteArray source;
    source.reserve(Lines * 86);
    for (int i = 0; i < Lines; ++i) {
        switch (i % 4) {
        case 0:
            source += "    public void method" + QByteArray::number(i) + "(Graphics g) { // paints part "
                      + QByteArray::number(i) + " of the applet\r\n";
            break;
        case 1:
            source += "        g.drawString(\"Hello from line " + QByteArray::number(i)
                      + "\", x + 10, y + 20); /* text */\r\n";
            break;
        case 2:
            source += "        int value" + QByteArray::number(i)
                      + " = (width * height) / 2 + offset - 42;;;;\r\n";
            break;
        default:
            source +=
                "    }                                                                             \r\n";
        }
    }
    return source;
}

class FixedDialog : public FileDialog
{
public:
    explicit FixedDialog(const QString &path)
        : m_path(path)
    {
    }

protected:
    std::optional<QString> ask(QWidget *, Mode, const QString &) override { return m_path; }

private:
    QString m_path;
};

class SilentMessages : public UserMessages
{
public:
    void warning(QWidget *, const QString &, const QString &text) override
    {
        qFatal("unexpected message: %s", qPrintable(text));
    }
    SaveAnswer askToSave(QWidget *, const QString &, const QString &) override { return SaveAnswer::Discard; }
    bool askToOverwrite(QWidget *, const QString &, const QString &text) override
    {
        qFatal("unexpected question: %s", qPrintable(text));
    }
    bool askToDropMark(QWidget *, const QString &, const QString &text) override
    {
        qFatal("unexpected question: %s", qPrintable(text));
    }
    bool askToOpenBinary(QWidget *, const QString &, const QString &text) override
    {
        qFatal("unexpected question: %s", qPrintable(text));
    }
    bool askToRecover(QWidget *, const QString &, const QString &text) override
    {
        qFatal("unexpected question: %s", qPrintable(text));
    }
    std::optional<int> askLineNumber(QWidget *, const QString &, int, int) override { return std::nullopt; }
};

// A line typed at the start of a block, as a user would.
void typeLineAt(QTextDocument &document, int blockNumber)
{
    QTextCursor cursor(document.findBlockByNumber(blockNumber));
    cursor.insertText(QStringLiteral("        repaint(); // typed before the save\n"));
}

double elapsedMs(qint64 since)
{
    return double(monotonicNs() - since) / 1e6;
}

} // namespace

void benchDocuments(BenchTable &table)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Big.java"));
    const QByteArray bytes = javaSource();
    QString text = QString::fromLatin1(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));

    std::vector<double> openMs, setTextMs, saveMs, writeMs;
    QByteArray saved;
    for (int run = 0; run < Runs; ++run) {
        writeBenchFile(path, bytes);
        {
            EditorPane pane; // Zarn's pane, with its highlighting, gutter and marks
            pane.show();
            Document document(*pane.document());
            FixedDialog dialog(path);
            SilentMessages messages;
            DocumentCommands commands(pane, document, dialog, messages, AppPaths(dir.path()));
            const qint64 opening = monotonicNs();
            commands.Open();
            QApplication::processEvents();
            openMs.push_back(elapsedMs(opening));

            typeLineAt(*pane.document(), 10);
            typeLineAt(*pane.document(), Lines / 2);
            const qint64 saving = monotonicNs();
            if (!commands.Save())
                qFatal("save failed");
            saveMs.push_back(elapsedMs(saving));
        }
        saved = readBenchFile(path);
        if (saved.count("typed before the save\r\n") != 2 || saved.size() <= bytes.size())
            qFatal("the save did not write the typed lines");
        {
            QPlainTextEdit pane;
            pane.show();
            const qint64 setting = monotonicNs();
            pane.setPlainText(text);
            QApplication::processEvents();
            setTextMs.push_back(elapsedMs(setting));
        }
        {
            // A safe save of the bytes Zarn saved, which syncs them to disk as Zarn's does.
            const qint64 writing = monotonicNs();
            QSaveFile plain(dir.filePath(QStringLiteral("Plain.java")));
            if (!plain.open(QIODevice::WriteOnly) || plain.write(saved) != saved.size() || !plain.commit())
                qFatal("plain write failed");
            writeMs.push_back(elapsedMs(writing));
        }
    }
    table.add({"open 20 MB Java file (ms)", median(openMs), median(setTextMs), 1.2});
    table.add({"save 20 MB Java file (ms)", median(saveMs), median(writeMs), 1.3});
}
