#include "AppletWindow.h"

#include "AppletBrowser.h"
#include "AppPaths.h"
#include "Twips.h"

#include <QPushButton>
#include <QStatusBar>

AppletWindow::AppletWindow(const QString &appFolder, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint)
    , m_appFolder(appFolder)
{
    setObjectName(QStringLiteral("AppletWindow"));
    setWindowTitle(QStringLiteral("View Applet"));
    setAttribute(Qt::WA_DeleteOnClose);

    WebBrowser1 = new AppletBrowser(this);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->setGeometry(twipsRect(120, 120, 5775, 3735));
    WebBrowser1->setArchiveFolder(AppPaths(appFolder).archives());

    Command1 = new QPushButton(tr("&Close"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsRect(2400, 3960, 1095, 375));
    connect(Command1, &QPushButton::clicked, this, &AppletWindow::Command1_Click);

    // Below the client area, which keeps its size and its controls' places.
    const QSize client = twipsSize(5970, 4410);
    StatusLine = new QStatusBar(this);
    StatusLine->setObjectName(QStringLiteral("StatusLine"));
    StatusLine->setSizeGripEnabled(false);
    StatusLine->setGeometry(0, client.height(), client.width(), StatusLine->sizeHint().height());
    setFixedSize(client.width(), client.height() + StatusLine->height());
    connect(WebBrowser1, &AppletBrowser::appletStatus, StatusLine,
            [this](const QString &text) { StatusLine->showMessage(text); });
    connect(WebBrowser1, &AppletBrowser::outputBegun, StatusLine, &QStatusBar::clearMessage);
    // Unless the note stands in the area already.
    connect(WebBrowser1, &AppletBrowser::appletException, StatusLine, [this](const QString &note) {
        if (WebBrowser1->message().isEmpty())
            StatusLine->showMessage(note);
    });
}

QString AppletWindow::pagePath() const
{
    return AppPaths(m_appFolder).hostPage();
}

void AppletWindow::Command1_Click()
{
    close();
}
