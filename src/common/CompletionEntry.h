#pragma once

#include <QString>

// One name that may stand at the caret: what goes into the text (a method's name
// with its opening parenthesis) and what the completion list shows
// ("drawLine(int, int, int, int)").
struct CompletionEntry
{
    QString insert;
    QString label;
};
