#pragma once

#include "FileDialog.h"

#include <QStringList>

class QFileDialog;

// The file dialog shown with Qt's own (non-native) dialog, the same on every desktop.
class QtFileDialog : public FileDialog
{
protected:
    std::optional<QString> ask(QWidget *parent, Mode mode, const QString &offered) override;
};

// Qt name filters for a "description|patterns|..." filter text: each description
// followed by its patterns in parentheses, ";" between patterns becoming a blank.
QStringList qtNameFilters(const QString &filter);

// Sets up dialog as the shared dialog's state asks for.
void configureFileDialog(QFileDialog &dialog, FileDialog::Mode mode, const QString &filter,
                         const QString &fileName);
