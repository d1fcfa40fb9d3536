#include "QtUserMessages.h"

#include <QMessageBox>
#include <QPushButton>

void QtUserMessages::warning(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox::warning(parent, title, text);
}

UserMessages::SaveAnswer QtUserMessages::askToSave(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    // Access keys, so that S, N or C answers from the keyboard; Esc cancels.
    box.button(QMessageBox::Save)->setText(QMessageBox::tr("&Save"));
    box.button(QMessageBox::Discard)->setText(QMessageBox::tr("Do&n't Save"));
    box.button(QMessageBox::Cancel)->setText(QMessageBox::tr("&Cancel"));
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Save:
        return SaveAnswer::Save;
    case QMessageBox::Discard:
        return SaveAnswer::Discard;
    default:
        return SaveAnswer::Cancel;
    }
}

bool QtUserMessages::askToOverwrite(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Cancel, parent);
    QPushButton *overwrite = box.addButton(QMessageBox::tr("&Overwrite"), QMessageBox::DestructiveRole);
    box.setDefaultButton(QMessageBox::Cancel);
    box.exec();
    return box.clickedButton() == overwrite;
}

bool QtUserMessages::askToRecover(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Discard, parent);
    QPushButton *recover = box.addButton(QMessageBox::tr("&Recover"), QMessageBox::AcceptRole);
    box.button(QMessageBox::Discard)->setText(QMessageBox::tr("&Discard"));
    box.setDefaultButton(recover);
    box.exec();
    return box.clickedButton() == recover;
}
