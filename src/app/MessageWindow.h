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

    QLabel *Label1 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;

    // Sets the label's text, in a smaller face when it would not fit whole.
    void setMessage(const QString &text);

Q_SIGNALS:
    // The window's close button was pressed: the compile is to end. The window
    // itself stays until it has.
    void closeAsked();

protected:
    void closeEvent(QCloseEvent *event) override;
};
