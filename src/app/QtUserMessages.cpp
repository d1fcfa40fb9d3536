#include "QtUserMessages.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

// Over the middle of parent's window, wherever the window manager would put it.
int execCentred(QDialog &dialog, QWidget *parent)
{
    if (parent) {
        dialog.adjustSize();
        const QRect over = parent->window()->frameGeometry();
        dialog.move(over.center() - QPoint(dialog.width() / 2, dialog.height() / 2));
    }
    return dialog.exec();
}

// A question with Cancel and one button that goes ahead: true when it was pressed.
bool askToGoAhead(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
                  const QString &ahead, QMessageBox::ButtonRole role, bool aheadIsDefault)
{
    QMessageBox box(icon, title, text, QMessageBox::Cancel, parent);
    QPushButton *button = box.addButton(ahead, role);
    if (aheadIsDefault)
        box.setDefaultButton(button);
    else
        box.setDefaultButton(QMessageBox::Cancel);
    execCentred(box, parent);
    return box.clickedButton() == button;
}

} // namespace

void QtUserMessages::warning(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    execCentred(box, parent);
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
    execCentred(box, parent);
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
    return askToGoAhead(parent, QMessageBox::Warning, title, text, QMessageBox::tr("&Overwrite"),
                        QMessageBox::DestructiveRole, false);
}

bool QtUserMessages::askToDropMark(QWidget *parent, const QString &title, const QString &text)
{
    return askToGoAhead(parent, QMessageBox::Question, title, text, QMessageBox::tr("Save &Without Mark"),
                        QMessageBox::AcceptRole, true);
}

bool QtUserMessages::askToOpenBinary(QWidget *parent, const QString &title, const QString &text)
{
    return askToGoAhead(parent, QMessageBox::Question, title, text, QMessageBox::tr("&Open"),
                        QMessageBox::AcceptRole, false);
}

bool QtUserMessages::askToRecover(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Discard, parent);
    QPushButton *recover = box.addButton(QMessageBox::tr("&Recover"), QMessageBox::AcceptRole);
    box.button(QMessageBox::Discard)->setText(QMessageBox::tr("&Discard"));
    box.setDefaultButton(recover);
    execCentred(box, parent);
    return box.clickedButton() == recover;
}

std::optional<int> QtUserMessages::askLineNumber(QWidget *parent, const QString &title, int current,
                                                 int lines)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setLabelText(QInputDialog::tr("Line number (1 to %1):").arg(lines));
    dialog.setIntRange(1, std::max(1, lines));
    dialog.setIntValue(current);
    if (execCentred(dialog, parent) != QDialog::Accepted)
        return std::nullopt;
    return dialog.intValue();
}
