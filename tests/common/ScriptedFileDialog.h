#pragma once

#include "FileDialog.h"

#include <deque>
#include <optional>
#include <vector>

// The shared file dialog with a script in place of the user: each show takes the
// next answer (a path, or nothing for Cancel) and records what the dialog offered.
class ScriptedFileDialog : public FileDialog
{
public:
    struct Shown
    {
        Mode mode;
        QString filter;
        QString title;
        QString offeredName;
    };

    void answer(const QString &path) { answers.push_back(path); }
    void cancel() { answers.push_back(std::nullopt); }
    // As if the user had confirmed fileName in an earlier use.
    void confirmedEarlier(const QString &fileName) { confirm(fileName); }

    std::deque<std::optional<QString>> answers;
    std::vector<Shown> shown;

protected:
    std::optional<QString> ask(QWidget *, Mode mode, const QString &offered) override
    {
        shown.push_back({mode, Filter(), DialogTitle(), offered});
        if (answers.empty())
            return std::nullopt;
        const std::optional<QString> next = answers.front();
        answers.pop_front();
        return next;
    }
};
