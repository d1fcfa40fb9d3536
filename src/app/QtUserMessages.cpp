#include "QtUserMessages.h"

#include <QMessageBox>

void QtUserMessages::warning(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox::warning(parent, title, text);
}

UserMessages::SaveAnswer QtUserMessages::askToSave(QWidget *parent, const QString &title, const QString &text)
{
    switch (QMessageBox::question(parent, title, text,
                                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                  QMessageBox::Save)) {
    case QMessageBox::Save:
        return SaveAnswer::Save;
    case QMessageBox::Discard:
        return SaveAnswer::Discard;
    default:
        return SaveAnswer::Cancel;
    }
}
