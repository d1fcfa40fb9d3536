#pragma once

// Ordinary typing for the typing figures: the keys, and one key sent to a pane.

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>

#include <vector>

struct BenchKey
{
    Qt::Key key;
    QString text;
};

// Words, spaces, dots behind names that are no package, Backspace and Return now
// and then.
inline std::vector<BenchKey> benchKeyPresses(std::size_t count)
{
    const QString line = QStringLiteral("int total = counter.value + offset; ");
    std::vector<BenchKey> keys;
    for (int i = 0; keys.size() < count; ++i) {
        const QChar c = line.at(i % line.size());
        if (i % 50 == 49)
            keys.push_back({Qt::Key_Return, QStringLiteral("\r")});
        else if (i % 17 == 16)
            keys.push_back({Qt::Key_Backspace, QStringLiteral("\b")});
        else
            keys.push_back({c == QLatin1Char(' ') ? Qt::Key_Space : Qt::Key_A, QString(c)});
    }
    return keys;
}

// The key pressed, followed by the repaint a user would see.
inline void sendBenchKey(QPlainTextEdit &pane, const BenchKey &key)
{
    QKeyEvent press(QEvent::KeyPress, key.key, Qt::NoModifier, key.text);
    QApplication::sendEvent(&pane, &press);
    QApplication::processEvents();
}
