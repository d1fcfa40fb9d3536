#pragma once

#include "NavigationHistory.h"

#include <functional>

class Document;
class EditorPane;
class QStatusBar;

// Go to Class, Back and Forward on the editing pane: from a name to the source of
// its class, and through the places left so. Opening another file is the main
// window's business (it asks to save changes first); what cannot be done is said in
// the status bar.
class ClassNavigation
{
public:
    // Opens the file at path unless it is the document (an empty path is the
    // document); false when it was not opened.
    using OpenUnlessOpen = std::function<bool(const QString &path)>;

    ClassNavigation(EditorPane &pane, const Document &document, QStatusBar &statusBar, OpenUnlessOpen open);

    // Goes to the class named at position of the text; false when it has no source here.
    bool goToClassAt(int position);
    void back();
    void forward();

private:
    NavigationHistory::Place currentPlace() const;
    bool show(const NavigationHistory::Place &place);

    EditorPane &m_pane;
    const Document &m_document;
    QStatusBar &m_statusBar;
    OpenUnlessOpen m_open;
    NavigationHistory m_history;
};
