#include "WordTracker.h"

std::optional<QString> WordTracker::type(QChar code)
{
    switch (code.unicode()) {
    case Backspace:
        m_word.chop(1); // nothing to remove from an empty word
        return std::nullopt;
    case Space:
    case Tab:
    case Enter:
        m_word.clear();
        return std::nullopt;
    case Dot: {
        const QString lookUp = m_word;
        m_word += code;
        return lookUp;
    }
    default:
        // Every other character, punctuation, control characters and line feed
        // included, belongs to the word.
        m_word += code;
        return std::nullopt;
    }
}
