#pragma once

#include <QDialog>
#include <QPointer>

#include <array>
#include <memory>

class FileDialog;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;
class SettingsOwner;
class UserMessages;

// "Options": the editor face and size on the "IDE" page, the compiler path on the
// "Compiler" page. Modeless; Apply and OK hand the values to the main window, apply
// the font and store them; Cancel closes without storing, as Esc and the title
// bar's close button do (the dialog's own reject).
class OptionsWindow : public QDialog
{
    Q_OBJECT

public:
    // owner is the main window, as a SettingsOwner and as the object whose end this
    // window watches; optionsPath is where the settings are stored when the main
    // window has closed before Apply or OK. fileDialog is this window's own.
    OptionsWindow(SettingsOwner &owner, QObject &ownerObject, const QString &optionsPath,
                  std::shared_ptr<UserMessages> messages, std::unique_ptr<FileDialog> fileDialog);
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
    std::array<QWidget *, 2> Picture1{};
    QGroupBox *Frame1 = nullptr;
    QLabel *Label1 = nullptr;
    QComboBox *Combo1 = nullptr;
    QLabel *Label2 = nullptr;
    QComboBox *Combo2 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *Text1 = nullptr;
    QPushButton *Command1 = nullptr;

private:
    void createControls();
    void Form_Load();
    void fitControlsToText();
    void showCompilerLocation(const QString &location);
    bool apply();

    // Holds the two pages and shows the selected tab's.
    QStackedWidget *m_pages = nullptr;
    SettingsOwner *m_owner;
    QPointer<QObject> m_ownerAlive;
    QString m_optionsPath;
    QString m_shownLocation; // the compiler path as stored, with all its bytes
    std::shared_ptr<UserMessages> m_messages;
    std::unique_ptr<FileDialog> CommonDialog1;
};
