#include "OptionsWindow.h"

#include "FileDialog.h"
#include "FontTables.h"
#include "PathBytes.h"
#include "SettingsStore.h"
#include "Twips.h"
#include "UserMessages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStyleOptionComboBox>
#include <QTabBar>

namespace {

// The position of the entry whose text is the combo's text; -1 for typed text
// that matches no entry.
int listIndex(const QComboBox *combo)
{
    return combo->findText(combo->currentText(), Qt::MatchExactly);
}

QPushButton *button(const QString &caption, QWidget *parent, const QRect &place)
{
    auto *created = new QPushButton(caption, parent);
    created->setGeometry(place);
    created->setAutoDefault(false); // Enter in the fields presses nothing
    return created;
}

} // namespace

OptionsWindow::OptionsWindow(std::shared_ptr<SettingsStore> settings, std::shared_ptr<UserMessages> messages,
                             std::unique_ptr<FileDialog> fileDialog)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
    , m_settings(std::move(settings))
    , m_messages(std::move(messages))
    , CommonDialog1(std::move(fileDialog))
{
    setObjectName(QStringLiteral("OptionsWindow"));
    setWindowTitle(QStringLiteral("Options"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setFixedSize(twipsSize(6150, 4920));
    createControls();
    Form_Load();
}

OptionsWindow::~OptionsWindow() = default;

void OptionsWindow::createControls()
{
    cmdOK = button(QStringLiteral("OK"), this, twipsRect(2490, 4455, 1095, 375));
    cmdCancel = button(QStringLiteral("Cancel"), this, twipsRect(3720, 4455, 1095, 375));
    cmdApply = button(QStringLiteral("Apply"), this, twipsRect(4920, 4455, 1095, 375));
    connect(cmdOK, &QPushButton::clicked, this, &OptionsWindow::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &OptionsWindow::cmdCancel_Click);
    connect(cmdApply, &QPushButton::clicked, this, &OptionsWindow::cmdApply_Click);

    TabStrip1 = new QTabBar(this);
    TabStrip1->setGeometry(twipsRect(0, 120, 6135, 4215));
    TabStrip1->setExpanding(false);
    TabStrip1->addTab(QStringLiteral("IDE"));
    TabStrip1->addTab(QStringLiteral("Compiler"));
    TabStrip1->addTab(QStringLiteral("Workspace"));
    connect(TabStrip1, &QTabBar::currentChanged, this, &OptionsWindow::TabStrip1_Click);

    // One page shows at a time; the hidden one's fields cannot take the keyboard.
    m_pages = new QStackedWidget(this);
    m_pages->setGeometry(twipsRect(120, 480, 5895, 3735));
    for (std::size_t page = 0; page < Picture1.size(); ++page) {
        Picture1[page] = new QWidget(m_pages);
        Picture1[page]->setObjectName(QStringLiteral("Picture1_%1").arg(page));
        m_pages->addWidget(Picture1[page]);
    }

    Frame1 = new QGroupBox(QStringLiteral("IDE Font:"), Picture1[0]);
    Frame1->setGeometry(twipsRect(0, 0, 5895, 1575));
    Label1 = new QLabel(QStringLiteral("Font Type:"), Frame1);
    Label1->setGeometry(twipsRect(120, 240, 855, 255));
    Combo1 = new QComboBox(Frame1);
    Combo1->setGeometry(twipsRect(120, 480, 1575, 315));
    Label2 = new QLabel(QStringLiteral("Font Size:"), Frame1);
    Label2->setGeometry(twipsRect(120, 840, 1215, 375));
    Combo2 = new QComboBox(Frame1);
    Combo2->setGeometry(twipsRect(120, 1080, 1575, 315));
    for (QComboBox *combo : {Combo1, Combo2}) {
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert); // typed text never becomes an entry
    }

    Frame2 = new QGroupBox(QStringLiteral("Compiler Options"), Picture1[1]);
    Frame2->setGeometry(twipsRect(0, 0, 5895, 2055));
    Label3 = new QLabel(QStringLiteral("Compiler Location:"), Frame2);
    Label3->setGeometry(twipsRect(120, 240, 1335, 255));
    Text1 = new QLineEdit(Frame2);
    Text1->setGeometry(twipsRect(1440, 240, 3855, 285));
    Command1 = button(QStringLiteral("..."), Frame2, twipsRect(5400, 200, 375, 375));
    connect(Command1, &QPushButton::clicked, this, &OptionsWindow::Command1_Click);
    createWorkspacePage();

    const char *names[] = {"cmdOK",  "cmdCancel", "cmdApply", "TabStrip1", "Frame1", "Label1",  "Combo1",
                           "Label2", "Combo2",    "Frame2",   "Label3",    "Text1",  "Command1"};
    QWidget *widgets[] = {cmdOK,  cmdCancel, cmdApply, TabStrip1, Frame1, Label1,  Combo1,
                          Label2, Combo2,    Frame2,   Label3,    Text1,  Command1};
    for (std::size_t i = 0; i < std::size(widgets); ++i)
        widgets[i]->setObjectName(QString::fromLatin1(names[i]));
    QWidget *const tabOrder[] = {cmdOK,
                                 cmdCancel,
                                 cmdApply,
                                 TabStrip1,
                                 Combo1,
                                 Combo2,
                                 Text1,
                                 Command1,
                                 ResizableCheck,
                                 CaptionCheck,
                                 ViewerFitsCheck,
                                 SaveBeforeCompileCheck,
                                 CheckWhileTypingCheck};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

// Each comfort is off unless the user switches it on here; the windows as designed
// stay the default. The checks while typing, below a line, are on unless switched off.
void OptionsWindow::createWorkspacePage()
{
    WorkspaceFrame = new QGroupBox(QStringLiteral("Workspace (off: the windows as designed)"), Picture1[2]);
    WorkspaceFrame->setObjectName(QStringLiteral("WorkspaceFrame"));
    WorkspaceFrame->setGeometry(twipsRect(0, 0, 5895, 2175));
    const auto check = [this](const char *name, const QString &text, int top) {
        auto *box = new QCheckBox(text, WorkspaceFrame);
        box->setObjectName(QString::fromLatin1(name));
        box->setGeometry(twipsRect(120, top, 5655, 285));
        return box;
    };
    ResizableCheck = check("ResizableCheck", QStringLiteral("&Resizable main window and viewer"), 240);
    CaptionCheck = check("CaptionCheck", QStringLiteral("Caption names the &file"), 600);
    ViewerFitsCheck = check("ViewerFitsCheck", QStringLiteral("&Viewer takes the applet's own size"), 960);
    SaveBeforeCompileCheck = check("SaveBeforeCompileCheck",
                                   QStringLiteral("&Save changes before compiling without asking"), 1320);
    auto *line = new QFrame(WorkspaceFrame);
    line->setObjectName(QStringLiteral("WorkspaceLine"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(twipsRect(120, 1635, 5655, 45));
    CheckWhileTypingCheck = check("CheckWhileTypingCheck", QStringLiteral("&Mark errors while typing"), 1740);
}

void OptionsWindow::Form_Load()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move((screen->geometry().width() - frameGeometry().width()) / 2,
             (screen->geometry().height() - frameGeometry().height()) / 2);
    for (int i = 0; i < FontTableLength; ++i) {
        Combo1->addItem(fontName(i));
        Combo2->addItem(QString::number(fontSize(i)));
    }
    const Settings &settings = m_settings->current();
    showCompilerLocation(settings.CompilerLocation);
    Combo1->setCurrentIndex(isFontTableIndex(settings.MainFontType) ? settings.MainFontType : 0);
    Combo2->setCurrentIndex(isFontTableIndex(settings.MainFontSize) ? settings.MainFontSize : 0);
    const WorkspaceSettings &workspace = m_settings->workspace();
    ResizableCheck->setChecked(workspace.resizable);
    CaptionCheck->setChecked(workspace.captionShowsFile);
    ViewerFitsCheck->setChecked(workspace.viewerFitsApplet);
    SaveBeforeCompileCheck->setChecked(workspace.saveBeforeCompile);
    CheckWhileTypingCheck->setChecked(workspace.checkWhileTyping);
    fitControlsToText();
}

// The labels and lists keep their places but show their whole text in the fonts at
// hand: "Font Type:" and the lists grow to the right, where the frame has room;
// "Compiler Location:", with the path field beside it, wraps onto a second line;
// no frame's title lies over its controls.
void OptionsWindow::fitControlsToText()
{
    Label1->resize(std::max(Label1->width(), Label1->sizeHint().width()), Label1->height());
    Label3->setWordWrap(true);
    Label3->resize(Label3->width(), std::max(Label3->height(), Label3->heightForWidth(Label3->width())));
    for (QComboBox *combo : {Combo1, Combo2}) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxEditField, combo);
        int widest = 0;
        for (int item = 0; item < combo->count(); ++item)
            widest = std::max(widest, combo->fontMetrics().horizontalAdvance(combo->itemText(item)));
        // The line edit inside keeps a few pixels of margin around its text.
        const int needed = widest + 6 + combo->width() - field.width();
        combo->resize(std::max(combo->width(), needed), combo->height());
    }
    for (QGroupBox *frame : {Frame1, Frame2, WorkspaceFrame})
        clearFrameTitle(frame);
}

void OptionsWindow::clearFrameTitle(QGroupBox *frame)
{
    // The style keeps its title out of the contents rectangle.
    const QList<QWidget *> controls = frame->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    int top = frame->height();
    for (const QWidget *control : controls)
        top = std::min(top, control->y());
    const int shift = frame->contentsRect().top() - top;
    if (shift <= 0)
        return;
    for (QWidget *control : controls)
        control->move(control->x(), control->y() + shift);
    frame->resize(frame->width(), frame->height() + shift);
}

void OptionsWindow::TabStrip1_Click()
{
    m_pages->setCurrentIndex(std::max(0, TabStrip1->currentIndex()));
}

QString OptionsWindow::compilerFilter()
{
    return QStringLiteral("Executable File (*.exe)|*");
}

void OptionsWindow::Command1_Click()
{
    // A cancelled browse changes nothing: the path in the box is the user's.
    if (!CommonDialog1->ShowOpen(this, compilerFilter(), QStringLiteral("Locate Compliler")))
        return;
    // The compiler from now on, stored or not.
    Settings settings = m_settings->current();
    settings.CompilerLocation = CommonDialog1->FileName();
    m_settings->change(settings);
    showCompilerLocation(CommonDialog1->FileName());
}

// A path with bytes that are not UTF-8 shows them as U+FFFD; left as shown, it is
// stored with its own bytes.
void OptionsWindow::showCompilerLocation(const QString &location)
{
    m_shownLocation = location;
    Text1->setText(readablePath(location));
}

// Changes the settings (the main window applies the font) and stores them. False
// when they could not be stored (the user has been told).
bool OptionsWindow::apply()
{
    Settings settings = m_settings->current();
    // Typed text that matches no entry is no index: the stored one stays.
    if (const int face = listIndex(Combo1); isFontTableIndex(face))
        settings.MainFontType = static_cast<qint16>(face);
    if (const int size = listIndex(Combo2); isFontTableIndex(size))
        settings.MainFontSize = static_cast<qint16>(size);
    settings.CompilerLocation = Text1->text() == readablePath(m_shownLocation) ? m_shownLocation
                                                                               : Text1->text();

    m_settings->change(settings);
    const WorkspaceSettings workspace{ResizableCheck->isChecked(), CaptionCheck->isChecked(),
                                      ViewerFitsCheck->isChecked(), SaveBeforeCompileCheck->isChecked(),
                                      CheckWhileTypingCheck->isChecked()};
    if (!(workspace == m_settings->workspace()))
        m_settings->changeWorkspace(workspace);
    // Also when the main window has closed: for the next start.
    const QString problem = m_settings->StoreSettings();
    if (!problem.isEmpty())
        m_messages->warning(this, windowTitle(), problem);
    return problem.isEmpty();
}

void OptionsWindow::cmdApply_Click()
{
    apply();
}

void OptionsWindow::cmdOK_Click()
{
    // When the store fails the window stays open, so the path can be mended.
    if (apply())
        close();
}

void OptionsWindow::cmdCancel_Click()
{
    close();
}
