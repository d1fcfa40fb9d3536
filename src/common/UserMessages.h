#pragma once

#include <QString>

class QWidget;

// Messages that need the user's attention. The windows talk to this interface,
// never to QMessageBox directly, so that tests can answer in place of a user.
class UserMessages
{
public:
    virtual ~UserMessages() = default;

    // A modal message with only an OK button.
    virtual void warning(QWidget *parent, const QString &title, const QString &text) = 0;
};
