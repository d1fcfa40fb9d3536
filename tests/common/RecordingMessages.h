#pragma once

#include "UserMessages.h"

#include <QStringList>

// Answers in place of the user: records every message instead of showing it.
class RecordingMessages : public UserMessages
{
public:
    void warning(QWidget *, const QString &title, const QString &text) override
    {
        titles.append(title);
        texts.append(text);
    }

    QStringList titles;
    QStringList texts;
};
