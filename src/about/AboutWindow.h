#pragma once

#include <QDialog>

#include <memory>

class QLabel;
class QPushButton;
class SystemInfoStore;
class UserMessages;

// "About Zarn": the program's name, version and purpose, and a button that starts
// the system-information tool. OK, Enter and Esc close it.
class AboutWindow : public QDialog
{
    Q_OBJECT

public:
    // appFolder is where Zarn keeps its settings and compiler files; the window names it.
    AboutWindow(const QString &appFolder, std::shared_ptr<UserMessages> messages,
                std::unique_ptr<SystemInfoStore> store, QWidget *parent = nullptr);
    ~AboutWindow() override;

    void cmdOK_Click();
    void cmdSysInfo_Click();
    // Finds and starts the system-information tool, or says it is unavailable.
    void StartSysInfo();

    QLabel *picIcon = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdSysInfo = nullptr;
    QLabel *lblDescription = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblDisclaimer = nullptr;
    QLabel *lblFolder = nullptr;

protected:
    // The etched rule across the window.
    void paintEvent(QPaintEvent *event) override;

private:
    std::shared_ptr<UserMessages> m_messages;
    std::unique_ptr<SystemInfoStore> m_store;
};
