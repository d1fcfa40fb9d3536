#include "QtUserMessages.h"

#include <QMessageBox>

void QtUserMessages::warning(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox::warning(parent, title, text);
}
