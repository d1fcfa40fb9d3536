#pragma once

#include "CompileResult.h"

#include <QObject>
#include <QStringList>

class WarmQuestion;
struct Jdk;

// The options a compile of a source gives javac, for a check of its text: the
// source path (the package root, or else the source's folder), the encoding the
// editor read it in, and Zarn's Applet API where the JDK has none.
QStringList textCheckOptions(const Jdk &jdk, const QString &sourcePath, const QString &encoding);

// A check of a source's text as the pane holds it, by the warm compiler behind
// socket (see WarmQuestion): javac's messages about it as a compile gives them,
// with nothing written anywhere. The result comes once, from the event loop.
class TextCheck : public QObject
{
    Q_OBJECT

public:
    TextCheck(const QString &socket, const QString &appFolder, QObject *parent = nullptr);
    ~TextCheck() override;

    // Checks text, the source at path, with javac's options; once per object.
    void start(const QString &javac, const QStringList &options, const QString &path, const QString &text);

Q_SIGNALS:
    // result ran when the warm compiler checked the text; else failed, with the
    // problem (refused, gone, silent).
    void finished(const CompileResult &result);

private:
    WarmQuestion *m_question;
};
