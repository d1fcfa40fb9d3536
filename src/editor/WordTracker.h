#pragma once

#include <QString>

#include <optional>

// CurrentWord: a running copy of the word being typed, built from the typed
// characters alone and never read back from the text.
class WordTracker
{
public:
    static constexpr char16_t Backspace = 8;
    static constexpr char16_t Tab = 9;
    static constexpr char16_t LineFeed = 10;
    static constexpr char16_t Enter = 13;
    static constexpr char16_t Space = 32;
    static constexpr char16_t Dot = 46;

    const QString &word() const { return m_word; }

    // Applies the key rule to one typed character code. For a dot it returns the
    // word in front of the dot, to be looked up as a package name; the dot is
    // appended to the word whatever the look-up finds.
    std::optional<QString> type(QChar code);

    // A pick in the completion list replaces the last typed characters of the
    // word with the picked name.
    void complete(qsizetype typed, const QString &name)
    {
        m_word.chop(typed);
        m_word += name;
    }

private:
    QString m_word;
};
