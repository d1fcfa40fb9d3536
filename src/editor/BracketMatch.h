#pragma once

#include <optional>

class QTextDocument;

// The position of the bracket that matches the one at position, counting nesting;
// nothing when there is no bracket there or no match within reach.
std::optional<int> matchingBracket(const QTextDocument &document, int position);
