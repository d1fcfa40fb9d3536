#pragma once

#include <QWidget>

class EditorPane;

// The line numbers at the left of the pane, painted by the pane itself.
class LineNumberGutter : public QWidget
{
public:
    explicit LineNumberGutter(EditorPane &pane);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    EditorPane &m_pane;
};
