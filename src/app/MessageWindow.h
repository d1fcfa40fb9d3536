#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

// The progress window of Publish > Applet: a label that says the bar measures
// nothing, and the bar that keeps moving while the compiler runs.
class MessageWindow : public QWidget
{
    Q_OBJECT

public:
    explicit MessageWindow(QWidget *parent = nullptr);

    // Sets the label's text, in a smaller face when it would not fit whole.
    void setMessage(const QString &text);

    QLabel *Label1 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
};
