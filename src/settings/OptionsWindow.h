#pragma once

#include <QDialog>

#include <array>
#include <memory>

class FileDialog;
class QComboBox;
class QGroupBox;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;
class SettingsStore;
class UserMessages;

// "Options": the editor face and size on the "IDE" page, the compiler path on the
// "Compiler" page, the comforts a user may switch on on the "Workspace" page. Modeless; Apply and OK change
// the settings (the main window applies the font) and store them; Cancel closes without storing, as Esc and
// the title bar's close button do (the dialog's own reject).
class OptionsWindow : public QDialog
{
    Q_OBJECT

public:
    // settings outlive the main window: Apply and OK still store them once it has
    // closed. fileDialog is this window's own.
    OptionsWindow(std::shared_ptr<SettingsStore> settings, std::shared_ptr<UserMessages> messages,
                  std::unique_ptr<FileDialog> fileDialog);
    ~OptionsWindow() override;

    void TabStrip1_Click();
    void Command1_Click();
    void cmdApply_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    // The filter of the compiler browse: its caption names .exe files, but executables
    // here have no extension, so every file is offered.
    static QString compilerFilter();

    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdApply = nullptr;
    QTabBar *TabStrip1 = nullptr;
    std::array<QWidget *, 3> Picture1{};
    QGroupBox *Frame1 = nullptr;
    QLabel *Label1 = nullptr;
    QComboBox *Combo1 = nullptr;
    QLabel *Label2 = nullptr;
    QComboBox *Combo2 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *Text1 = nullptr;
    QPushButton *Command1 = nullptr;
    QGroupBox *WorkspaceFrame = nullptr;
    QCheckBox *ResizableCheck = nullptr;
    QCheckBox *CaptionCheck = nullptr;
    QCheckBox *ViewerFitsCheck = nullptr;
    QCheckBox *SaveBeforeCompileCheck = nullptr;
    QCheckBox *CheckWhileTypingCheck = nullptr;

private:
    void createControls();
    void createWorkspacePage();
    // Moves a frame's controls below its title where the style draws it taller than
    // the room the layout left, growing the frame by as much.
    static void clearFrameTitle(QGroupBox *frame);
    void Form_Load();
    void fitControlsToText();
    void showCompilerLocation(const QString &location);
    bool apply();

    // Holds the two pages and shows the selected tab's.
    QStackedWidget *m_pages = nullptr;
    std::shared_ptr<SettingsStore> m_settings;
    QString m_shownLocation; // the compiler path as stored, with all its bytes
    std::shared_ptr<UserMessages> m_messages;
    std::unique_ptr<FileDialog> CommonDialog1;
};
