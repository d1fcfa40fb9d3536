#include "AboutWindow.h"

#include "FitText.h"
#include "LogCategories.h"
#include "SystemInfo.h"
#include "Twips.h"
#include "UserMessages.h"
#include "Version.h"

#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>

#include "zarn32.xpm"

namespace {

QLabel *label(const QString &text, QWidget *parent, const QRect &place)
{
    auto *created = new QLabel(text, parent);
    created->setGeometry(place);
    created->setWordWrap(true);
    created->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return created;
}

} // namespace

AboutWindow::AboutWindow(const QString &appFolder, std::shared_ptr<UserMessages> messages,
                         std::unique_ptr<SystemInfoStore> store, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
    , m_messages(std::move(messages))
    , m_store(std::move(store))
{
    setObjectName(QStringLiteral("AboutWindow"));
    setWindowTitle(QStringLiteral("About Zarn"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    // Opens at a fixed place on the screen: its client area's corner at 2340, 1935 twips.
    setGeometry(QRect(QPoint(twips(2340), twips(1935)), twipsSize(5730, 3555)));
    setFixedSize(twipsSize(5730, 3555));

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setGeometry(twipsRect(4245, 2625, 1260, 345));
    cmdOK->setDefault(true); // Enter; Esc closes the dialog as well
    connect(cmdOK, &QPushButton::clicked, this, &AboutWindow::cmdOK_Click);

    picIcon = new QLabel(this);
    picIcon->setGeometry(twipsRect(240, 240, 540, 540));
    picIcon->setPixmap(QPixmap(zarn32));
    picIcon->setAlignment(Qt::AlignCenter);

    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setGeometry(twipsRect(4260, 3075, 1245, 345));
    cmdSysInfo->setAutoDefault(false);
    fitButtonCaption(*cmdSysInfo);
    connect(cmdSysInfo, &QPushButton::clicked, this, &AboutWindow::cmdSysInfo_Click);

    lblDescription = label(
        QStringLiteral("This program is to help users of the Java Development Kit (JDK) create "
                       "their applets. Zarn is written and owned by the Zarn developers."),
        this, twipsRect(1050, 1125, 3885, 1170));
    lblTitle = label(QStringLiteral("Zarn - Java IDE"), this, twipsRect(1050, 240, 3885, 480));
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    lblTitle->setFont(titleFont);
    lblVersion = label(zarnVersion(), this, twipsRect(1050, 780, 3885, 225));
    lblDisclaimer = label(QString(), this, twipsRect(255, 2625, 3870, 825));
    // Below the rule, where the empty label leaves room: the folder Zarn keeps its
    // settings and compiler files in.
    lblFolder = label(tr("Settings and compiler files: %1").arg(QDir::toNativeSeparators(appFolder)), this,
                      twipsRect(255, 2625, 3870, 825));
    lblFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);

    const char *names[] = {"cmdOK",    "picIcon",    "cmdSysInfo",   "lblDescription",
                           "lblTitle", "lblVersion", "lblDisclaimer"};
    QWidget *widgets[] = {cmdOK, picIcon, cmdSysInfo, lblDescription, lblTitle, lblVersion, lblDisclaimer};
    for (std::size_t i = 0; i < std::size(widgets); ++i)
        widgets[i]->setObjectName(QString::fromLatin1(names[i]));
    setTabOrder(cmdOK, cmdSysInfo);
    cmdOK->setFocus();
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::cmdOK_Click()
{
    close();
}

void AboutWindow::cmdSysInfo_Click()
{
    StartSysInfo();
}

void AboutWindow::StartSysInfo()
{
    const std::optional<QString> tool = findSystemInfoTool(*m_store, systemInfoToolName());
    if (tool && !tool->isEmpty() && QProcess::startDetached(*tool, {})) {
        qCInfo(logAbout) << "started the system-information tool" << *tool;
        return;
    }
    qCInfo(logAbout) << "no system-information tool could be started:"
                     << (tool ? *tool : QStringLiteral("none is registered"));
    m_messages->warning(this, QStringLiteral("Zarn"),
                        QStringLiteral("System Information Is Unavailable At This Time"));
}

void AboutWindow::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(QColor(128, 128, 128), 1));
    painter.drawLine(twips(90), twips(2445), twips(5654), twips(2445));
    painter.setPen(QPen(QColor(255, 255, 255), 2));
    painter.drawLine(twips(105), twips(2460), twips(5654), twips(2460));
}
