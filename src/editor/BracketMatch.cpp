#include "BracketMatch.h"

#include <QTextDocument>

namespace {

// How far the search goes, so that a bracket in a huge file costs nothing noticeable.
constexpr int Reach = 200000;

} // namespace

std::optional<int> matchingBracket(const QTextDocument &document, int position)
{
    static const QString opening = QStringLiteral("([{");
    static const QString closing = QStringLiteral(")]}");
    const QChar bracket = document.characterAt(position);
    const qsizetype open = opening.indexOf(bracket);
    const qsizetype close = closing.indexOf(bracket);
    if (open < 0 && close < 0)
        return std::nullopt;
    const bool forward = open >= 0;
    const QChar match = forward ? closing.at(open) : opening.at(close);
    const int step = forward ? 1 : -1;
    const int end = forward ? std::min(document.characterCount(), position + Reach)
                            : std::max(-1, position - Reach);
    int depth = 0;
    for (int i = position; i != end; i += step) {
        const QChar c = document.characterAt(i);
        if (c == bracket)
            ++depth;
        else if (c == match && --depth == 0)
            return i;
    }
    return std::nullopt;
}
