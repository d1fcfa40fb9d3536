#include "CompletionQuery.h"

#include "WarmQuestion.h"

#include <QFileInfo>

QList<CompletionEntry> parseCompletionEntries(const QString &answer)
{
    QList<CompletionEntry> entries;
    for (const QStringView line : QStringView(answer).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab > 0 && tab + 1 < line.size())
            entries.append({line.left(tab).toString(), line.mid(tab + 1).toString()});
    }
    return entries;
}

CompletionQuery::CompletionQuery(const QString &socket, const QString &appFolder, QObject *parent)
    : QObject(parent)
    , m_question(new WarmQuestion(socket, appFolder, this))
{
    connect(m_question, &WarmQuestion::finished, this, [this](const WarmAnswer &answer) {
        if (answer.answered && answer.exitCode == 0)
            Q_EMIT answered(parseCompletionEntries(answer.out));
        else
            Q_EMIT failed(answer.answered ? answer.err.trimmed() : answer.problem);
    });
}

CompletionQuery::~CompletionQuery() = default;

void CompletionQuery::start(const QString &javac, const QStringList &options, const QString &path,
                            const QString &text, int caret)
{
    m_question->ask(javac,
                    QStringList{QStringLiteral("--zarn-complete")} + options
                        + QStringList{QFileInfo(path).absoluteFilePath(), text, QString::number(caret)});
}
