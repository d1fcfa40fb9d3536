#include "StackFrame.h"

#include <QDir>
#include <QRegularExpression>

std::optional<StackFrame> parseStackFrame(const QString &text)
{
    // A module or class loader may stand before the class, ending in a slash.
    static const QRegularExpression frame(
        QStringLiteral(R"(^\s*at (?:\S*/)?([\w$.]+)\.[\w$<>]+\((([\w$]+\.java):(\d+))\)\s*$)"));
    const QRegularExpressionMatch match = frame.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    StackFrame found;
    found.className = match.captured(1);
    found.fileName = match.captured(3);
    found.line = match.captured(4).toInt();
    found.placeStart = match.capturedStart(2);
    found.placeLength = match.capturedLength(2);
    if (found.line <= 0)
        return std::nullopt;
    return found;
}

QString StackFrame::sourceUnder(const QString &root) const
{
    // A binary name has no empty part; one made up (".etc.X") would name a folder
    // from the file system's root.
    if (className.split(QLatin1Char('.')).contains(QString()))
        return {};
    const qsizetype dot = className.lastIndexOf(QLatin1Char('.'));
    QString folder = dot < 0 ? QString() : className.left(dot);
    folder.replace(QLatin1Char('.'), QLatin1Char('/'));
    return QDir::cleanPath(
        QDir(root).filePath(folder.isEmpty() ? fileName : folder + QLatin1Char('/') + fileName));
}
