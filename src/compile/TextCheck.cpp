#include "TextCheck.h"

#include "AppletApi.h"
#include "CompilerDiagnostics.h"
#include "Jdk.h"
#include "WarmQuestion.h"

#include <QFileInfo>

QStringList textCheckOptions(const Jdk &jdk, const QString &sourcePath, const QString &encoding)
{
    QStringList options = {QStringLiteral("-sourcepath"), sourcePath};
    if (!encoding.isEmpty())
        options << QStringLiteral("-encoding") << encoding;
    return options + appletApiOptions(jdk);
}

TextCheck::TextCheck(const QString &socket, const QString &appFolder, QObject *parent)
    : QObject(parent)
    , m_question(new WarmQuestion(socket, appFolder, this))
{
    connect(m_question, &WarmQuestion::finished, this, [this](const WarmAnswer &answer) {
        CompileResult result;
        if (answer.answered && answer.exitCode <= 1) {
            result.outcome = CompileResult::Outcome::Ran;
            result.output = answer.out + answer.err;
            result.diagnostics = parseCompilerOutput(result.output);
        } else {
            result.problem = answer.answered ? answer.err.trimmed() : answer.problem;
        }
        Q_EMIT finished(result);
    });
}

TextCheck::~TextCheck() = default;

void TextCheck::start(const QString &javac, const QStringList &options, const QString &path,
                      const QString &text)
{
    m_question->ask(javac, QStringList{QStringLiteral("--zarn-check")} + options
                               + QStringList{QFileInfo(path).absoluteFilePath(), text});
}
