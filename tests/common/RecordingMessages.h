#pragma once

#include "UserMessages.h"

#include <QStringList>

#include <deque>

// Answers in place of the user: records every message and question instead of
// showing it, and answers questions from a queue set up by the test.
class RecordingMessages : public UserMessages
{
public:
    void warning(QWidget *, const QString &title, const QString &text) override
    {
        titles.append(title);
        texts.append(text);
    }

    // An unexpected question gets the answer that loses nothing: Cancel.
    SaveAnswer askToSave(QWidget *, const QString &title, const QString &text) override
    {
        return answer(title, text, saveAnswers, SaveAnswer::Cancel);
    }

    bool askToOverwrite(QWidget *, const QString &title, const QString &text) override
    {
        return answer(title, text, overwriteAnswers, false);
    }

    bool askToDropMark(QWidget *, const QString &title, const QString &text) override
    {
        return answer(title, text, dropMarkAnswers, false);
    }

    bool askToOpenBinary(QWidget *, const QString &title, const QString &text) override
    {
        return answer(title, text, openBinaryAnswers, false);
    }

    bool askToRecover(QWidget *, const QString &title, const QString &text) override
    {
        titles.append(title);
        questions.append(text);
        return recoverAnswer;
    }

    std::optional<int> askLineNumber(QWidget *, const QString &title, int, int lines) override
    {
        titles.append(title);
        questions.append(QStringLiteral("line of %1").arg(lines));
        if (lineAnswers.empty())
            return std::nullopt;
        const int line = lineAnswers.front();
        lineAnswers.pop_front();
        return line;
    }

    QStringList titles;
    QStringList texts;
    QStringList questions;
    std::deque<SaveAnswer> saveAnswers;
    std::deque<bool> overwriteAnswers;
    std::deque<bool> dropMarkAnswers;
    std::deque<bool> openBinaryAnswers;
    bool recoverAnswer = true; // an unexpected question must not lose anything
    std::deque<int> lineAnswers;

private:
    // Records the question and takes the next queued answer, or unexpected when none is left.
    template <typename Answer>
    Answer answer(const QString &title, const QString &text, std::deque<Answer> &answers, Answer unexpected)
    {
        titles.append(title);
        questions.append(text);
        if (answers.empty())
            return unexpected;
        const Answer next = answers.front();
        answers.pop_front();
        return next;
    }
};
