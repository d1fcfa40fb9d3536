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

    SaveAnswer askToSave(QWidget *, const QString &title, const QString &text) override
    {
        titles.append(title);
        questions.append(text);
        if (saveAnswers.empty())
            return SaveAnswer::Cancel; // an unexpected question must not lose anything
        const SaveAnswer answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }

    bool askToOverwrite(QWidget *, const QString &title, const QString &text) override
    {
        titles.append(title);
        questions.append(text);
        if (overwriteAnswers.empty())
            return false; // an unexpected question must not lose anything
        const bool answer = overwriteAnswers.front();
        overwriteAnswers.pop_front();
        return answer;
    }

    bool askToRecover(QWidget *, const QString &title, const QString &text) override
    {
        titles.append(title);
        questions.append(text);
        return recoverAnswer;
    }

    QStringList titles;
    QStringList texts;
    QStringList questions;
    std::deque<SaveAnswer> saveAnswers;
    std::deque<bool> overwriteAnswers;
    bool recoverAnswer = true; // an unexpected question must not lose anything
};
