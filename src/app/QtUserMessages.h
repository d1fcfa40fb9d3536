#pragma once

#include "UserMessages.h"

// Shows the messages and questions in Qt's message boxes.
class QtUserMessages : public UserMessages
{
public:
    void warning(QWidget *parent, const QString &title, const QString &text) override;
    SaveAnswer askToSave(QWidget *parent, const QString &title, const QString &text) override;
    bool askToOverwrite(QWidget *parent, const QString &title, const QString &text) override;
    bool askToDropMark(QWidget *parent, const QString &title, const QString &text) override;
    bool askToOpenBinary(QWidget *parent, const QString &title, const QString &text) override;
    bool askToRecover(QWidget *parent, const QString &title, const QString &text) override;
    std::optional<int> askLineNumber(QWidget *parent, const QString &title, int current, int lines) override;
};
