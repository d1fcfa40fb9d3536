#include "CompilerDiagnostics.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

bool isVerbose(const QString &line)
{
    return line.startsWith(QLatin1Char('['));
}

// A caret line: blanks, then "^".
int caretColumn(const QString &line)
{
    const qsizetype caret = line.indexOf(QLatin1Char('^'));
    if (caret < 0 || !line.left(caret).trimmed().isEmpty() || !line.mid(caret + 1).trimmed().isEmpty())
        return 0;
    return int(caret) + 1;
}

Diagnostic::Kind kindOf(const QString &word)
{
    if (word == QLatin1String("warning"))
        return Diagnostic::Kind::Warning;
    if (word == QLatin1String("note"))
        return Diagnostic::Kind::Note;
    return Diagnostic::Kind::Error;
}

} // namespace

QList<Diagnostic> parseCompilerOutput(const QString &output)
{
    static const QRegularExpression header(QStringLiteral("^(.+):(\\d+): (error|warning|note): (.*)$"));
    static const QRegularExpression note(QStringLiteral("^Note: (.*)$"));
    // A message about the compile as a whole, such as "error: file not found: X".
    static const QRegularExpression placeless(QStringLiteral("^(error|warning): (.*)$"));

    QStringList lines = output.split(QLatin1Char('\n'));
    for (QString &line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);

    QList<Diagnostic> found;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (isVerbose(line))
            continue;
        if (const QRegularExpressionMatch match = note.match(line); match.hasMatch()) {
            found.append({QString(), 0, 0, Diagnostic::Kind::Note, match.captured(1)});
            continue;
        }
        if (const QRegularExpressionMatch match = placeless.match(line); match.hasMatch()) {
            found.append({QString(), 0, 0, kindOf(match.captured(1)), match.captured(2)});
            continue;
        }
        const QRegularExpressionMatch match = header.match(line);
        if (!match.hasMatch())
            continue;
        Diagnostic diagnostic{match.captured(1), match.captured(2).toInt(), 0, kindOf(match.captured(3)),
                              match.captured(4)};
        // Message lines until the caret line; the line just before the caret is the source.
        QStringList message;
        qsizetype next = i + 1;
        for (; next < lines.size() && !header.match(lines.at(next)).hasMatch() && !isVerbose(lines.at(next));
             ++next) {
            if (const int column = caretColumn(lines.at(next))) {
                diagnostic.column = column;
                if (!message.isEmpty())
                    message.removeLast(); // the source line
                ++next;
                break;
            }
            message.append(lines.at(next));
        }
        // Indented details after the caret ("symbol: ...", "location: ...").
        for (; next < lines.size() && lines.at(next).startsWith(QLatin1Char(' ')); ++next)
            message.append(lines.at(next).trimmed());
        if (diagnostic.column == 0)
            next = i + 1; // no caret: the lines after belong to whatever comes next
        for (const QString &extra : std::as_const(message))
            if (!extra.trimmed().isEmpty())
                diagnostic.message += QLatin1Char('\n') + extra.trimmed();
        found.append(diagnostic);
        i = next - 1;
    }
    return found;
}

QString withoutVerboseLines(const QString &output)
{
    QStringList kept;
    for (const QString &line : output.split(QLatin1Char('\n')))
        if (!isVerbose(line))
            kept.append(line);
    return kept.join(QLatin1Char('\n')).trimmed();
}

bool isAppletApiRemovalNotice(const Diagnostic &diagnostic)
{
    static const QRegularExpression notice(
        QStringLiteral("^\\[removal\\] (?:(?:Applet|AppletStub|AppletContext|AudioClip) in java\\.applet|"
                       "JApplet in javax\\.swing) has been deprecated and marked for removal$"));
    return diagnostic.kind == Diagnostic::Kind::Warning && notice.match(diagnostic.message).hasMatch();
}

QString oneLineMessage(const QString &message)
{
    QStringList lines = message.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (lines.isEmpty())
        return {};
    QString line = lines.takeFirst().trimmed();
    QStringList others;
    for (const QString &detail : std::as_const(lines)) {
        // "symbol:   class Square" says what the first line is about.
        if (detail.startsWith(QLatin1String("symbol:")))
            line += QStringLiteral(": ") + detail.mid(7).simplified();
        else
            others.append(detail.simplified());
    }
    if (!others.isEmpty())
        line += QStringLiteral(" (") + others.join(QStringLiteral(", ")) + QLatin1Char(')');
    return line;
}
