#include "AppletWindow.h"

#include "AppletBrowser.h"
#include "AppPaths.h"
#include "Twips.h"
#include "WindowPlacement.h"

#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QStatusBar>

namespace {

// The client area as designed above the status line, and the browser area in it.
const QSize DesignedClient = twipsSize(5970, 4410);
const QRect DesignedArea = twipsRect(120, 120, 5775, 3735);

} // namespace

AppletWindow::AppletWindow(const QString &appFolder, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint)
    , m_appFolder(appFolder)
{
    setObjectName(QStringLiteral("AppletWindow"));
    setWindowTitle(QStringLiteral("View Applet"));
    setAttribute(Qt::WA_DeleteOnClose);

    WebBrowser1 = new AppletBrowser(this);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->setArchiveFolder(AppPaths(appFolder).archives());

    Command1 = new QPushButton(tr("&Close"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    connect(Command1, &QPushButton::clicked, this, &AppletWindow::Command1_Click);

    // Below the client area, which keeps its size and its controls' places.
    StatusLine = new QStatusBar(this);
    StatusLine->setObjectName(QStringLiteral("StatusLine"));
    StatusLine->setSizeGripEnabled(false);
    setWindowSize(sizeFor(DesignedArea.size()));
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

QSize AppletWindow::designedArea()
{
    return DesignedArea.size();
}

QSize AppletWindow::sizeFor(const QSize &area) const
{
    const QSize client = DesignedClient + (area - DesignedArea.size());
    return {client.width(), client.height() + StatusLine->sizeHint().height()};
}

void AppletWindow::setWindowSize(const QSize &size)
{
    if (m_resizable) {
        setMinimumSize(sizeFor(QSize(120, 60)));
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resize(size);
    } else {
        setFixedSize(size);
    }
    layOut(size);
}

void AppletWindow::layOut(const QSize &size)
{
    // What the window gained over its designed size goes to the browser area; the
    // Close button stays centred below it.
    const int status = StatusLine->sizeHint().height();
    const QSize grown = QSize(size.width(), size.height() - status) - DesignedClient;
    WebBrowser1->setGeometry(DesignedArea.adjusted(0, 0, grown.width(), grown.height()));
    Command1->setGeometry(twipsRect(2400, 3960, 1095, 375).translated(grown.width() / 2, grown.height()));
    StatusLine->setGeometry(0, size.height() - status, size.width(), status);
}

void AppletWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layOut(event->size());
}

void AppletWindow::setResizable(bool resizable)
{
    m_resizable = resizable;
    setWindowSize(size());
}

void AppletWindow::setCaptionClass(const QString &className)
{
    setWindowTitle(className.isEmpty() ? QStringLiteral("View Applet")
                                       : QStringLiteral("%1 - View Applet").arg(className));
}

void AppletWindow::fitApplet(const QSize &applet)
{
    QSize wanted = sizeFor(applet.expandedTo(QSize(1, 1)));
    if (const QScreen *shown = screen()) {
        // The frame's border comes on top; a window that fills the screen keeps it on it.
        const QSize border = isVisible() ? frameGeometry().size() - geometry().size() : QSize(8, 32);
        wanted = wanted.boundedTo(shown->availableGeometry().size() - border);
        setWindowSize(wanted);
        // Grown where it stands, it stays on the screen.
        if (isVisible())
            move(keptOnScreen(pos(), frameGeometry().size(), shown->availableGeometry()));
        return;
    }
    setWindowSize(wanted);
}
