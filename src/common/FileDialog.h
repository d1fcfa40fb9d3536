#pragma once

#include <QString>

#include <optional>

class QWidget;

// The main window's shared file dialog. It keeps its filter, title and last
// confirmed file name from one use to the next: each command shows it with the
// filter and title it needs, and the next dialog offers the name confirmed last.
class FileDialog
{
public:
    enum class Mode { Open, Save };

    virtual ~FileDialog() = default;

    // Pairs of description and patterns separated by "|", e.g. "Java File (*.java)|*.java".
    const QString &Filter() const { return m_filter; }
    // Empty for the default title of opening or saving.
    const QString &DialogTitle() const { return m_title; }
    // The name last confirmed; offered again the next time the dialog is shown.
    const QString &FileName() const { return m_fileName; }

    // Show the dialog with filter and title; true when the user confirmed a name,
    // which is then FileName(). A cancel returns false and leaves FileName() as it was.
    bool ShowOpen(QWidget *parent, const QString &filter, const QString &title)
    {
        return show(parent, Mode::Open, filter, title, m_fileName);
    }
    // Offers suggestion, when given, instead of the name confirmed last; a cancel
    // leaves FileName() at the name confirmed last, never at a suggestion the user
    // did not take.
    bool ShowSave(QWidget *parent, const QString &filter, const QString &title,
                  const QString &suggestion = {})
    {
        return show(parent, Mode::Save, filter, title, suggestion.isEmpty() ? m_fileName : suggestion);
    }

protected:
    // Asks the user with the dialog's Filter() and DialogTitle(), offering offered;
    // the confirmed path, or nothing when the dialog was cancelled.
    virtual std::optional<QString> ask(QWidget *parent, Mode mode, const QString &offered) = 0;
    // For a dialog whose user confirmed a name elsewhere.
    void confirm(const QString &fileName) { m_fileName = fileName; }

private:
    bool show(QWidget *parent, Mode mode, const QString &filter, const QString &title, const QString &offered)
    {
        m_filter = filter;
        m_title = title;
        const std::optional<QString> chosen = ask(parent, mode, offered);
        if (!chosen || chosen->isEmpty())
            return false;
        m_fileName = *chosen;
        return true;
    }

    QString m_filter;
    QString m_title;
    QString m_fileName;
};
