#include "MessageWindow.h"

#include "FitText.h"
#include "Twips.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>

MessageWindow::MessageWindow(QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("MessageWindow"));
    setWindowTitle(QStringLiteral("Message Window"));
    setFixedSize(twipsSize(4770, 1245));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsRect(240, 120, 4335, 735));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(twipsRect(720, 960, 3375, 255));
    // Stepped back and forth while a compile runs; it measures nothing, as its label says.
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);
}

void MessageWindow::setMessage(const QString &text)
{
    Label1->setText(text);
    fitWrappedLabel(*Label1);
}

void MessageWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
    Q_EMIT closeAsked();
}
