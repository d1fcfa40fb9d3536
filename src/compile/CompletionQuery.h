#pragma once

#include "CompletionEntry.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class WarmQuestion;

// The warm compiler's answer, a line each: the text to insert, a tab, the label.
QList<CompletionEntry> parseCompletionEntries(const QString &answer);

// What javac's symbols say may stand at the caret of a source's text as the pane
// holds it (after "expr." the members of its type, after "new " the classes, else
// the names in scope), asked of the warm compiler behind socket (see WarmQuestion).
// Every entry of the place comes: the list filters by the name typed.
class CompletionQuery : public QObject
{
    Q_OBJECT

public:
    CompletionQuery(const QString &socket, const QString &appFolder, QObject *parent = nullptr);
    ~CompletionQuery() override;

    // Asks for the entries at caret (an offset in text), the source at path; once
    // per object.
    void start(const QString &javac, const QStringList &options, const QString &path, const QString &text,
               int caret);

Q_SIGNALS:
    void answered(const QList<CompletionEntry> &entries);
    void failed(const QString &problem);

private:
    WarmQuestion *m_question;
};
