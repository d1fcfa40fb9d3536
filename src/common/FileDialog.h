#pragma once

#include <QString>

#include <optional>

class QWidget;

// The main window's shared file dialog. It keeps its filter, title and last
// confirmed file name from one use to the next, so each command sets what it needs
// before showing it, and the next dialog offers the name confirmed last.
class FileDialog
{
public:
    enum class Mode { Open, Save };

    virtual ~FileDialog() = default;

    // Pairs of description and patterns separated by "|", e.g. "Java File (*.java)|*.java".
    QString Filter;
    // Empty for the default title of opening or saving.
    QString DialogTitle;
    // The name last confirmed; offered again the next time the dialog is shown.
    QString FileName;

    // Show the dialog; true when the user confirmed a name, which is then in
    // FileName. A cancel returns false and leaves FileName as it was.
    bool ShowOpen(QWidget *parent) { return show(parent, Mode::Open); }
    bool ShowSave(QWidget *parent) { return show(parent, Mode::Save); }
    // Offers suggestion instead of the name confirmed last; a cancel leaves FileName
    // at the name confirmed last, never at a suggestion the user did not take.
    bool ShowSave(QWidget *parent, const QString &suggestion)
    {
        const QString confirmed = FileName;
        FileName = suggestion;
        if (show(parent, Mode::Save))
            return true;
        FileName = confirmed;
        return false;
    }

protected:
    // Asks the user with the current Filter, DialogTitle and FileName; the
    // confirmed path, or nothing when the dialog was cancelled.
    virtual std::optional<QString> ask(QWidget *parent, Mode mode) = 0;

private:
    bool show(QWidget *parent, Mode mode)
    {
        const std::optional<QString> chosen = ask(parent, mode);
        if (!chosen || chosen->isEmpty())
            return false;
        FileName = *chosen;
        return true;
    }
};
