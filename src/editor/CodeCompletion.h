#pragma once

#include "CompletionEntry.h"

#include <QList>
#include <QObject>

#include <optional>

class CompletionList;
class EditorPane;
class PackageCompletion;

// The list at the caret of what may stand there (see CompletionQuery), for Ctrl+Space.
// begin marks where the name at the caret starts; show fills the list with the
// entries the name typed so far begins, and typing on keeps filtering. Up and Down
// move, Enter or Tab put in the highlighted entry, Esc closes; any other key goes
// to the pane as usual (through the package completion's word rule). The package
// list keeps its own rules: while it is shown, there is no code completion.
class CodeCompletion : public QObject
{
    Q_OBJECT

public:
    // The list is made, hidden, in listParent when first needed.
    CodeCompletion(EditorPane &pane, PackageCompletion &packages, QWidget &listParent,
                   QObject *parent = nullptr);

    bool isOpen() const;
    // Starts a completion of the name that ends at the caret, and gives the caret's
    // position; nothing while the package list is shown or text is selected.
    std::optional<int> begin();
    // The caret while it is still in the name of the completion begun.
    std::optional<int> begunCaret() const;
    // The answer to the completion begun: shown while the caret is still in its
    // name and some entry fits; dropped otherwise.
    void show(const QList<CompletionEntry> &entries);
    void close();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    CompletionList &list();
    std::optional<QString> typedName() const;
    void follow();
    void filter(const QString &name);
    void place();
    void pick();
    bool takeKey(int key, Qt::KeyboardModifiers modifiers);

    EditorPane &m_pane;
    PackageCompletion &m_packages;
    QWidget &m_listParent;
    QWidget *const m_viewport;
    CompletionList *m_list = nullptr;
    QList<CompletionEntry> m_entries;
    // Where the name being completed starts; -1 when no completion is begun.
    int m_nameStart = -1;
};
