#pragma once

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

// The baseline of the start-up figures: a bare Qt editor window, as a plain Qt
// editor would start: Zarn's menus and their shortcuts, a toolbar of eight
// pictures, a status bar and a plain text edit in the face and size Zarn's own
// settings give its pane. Zarn is what it adds to that.
inline QMainWindow *bareEditorWindow()
{
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar); // as Zarn: the menus in the window
    auto *window = new QMainWindow;
    window->setWindowTitle(QStringLiteral("Zarn V0.01"));
    const struct
    {
        const char *title;
        std::initializer_list<std::pair<const char *, const char *>> items; // caption, shortcut
    } menus[] = {
        {"&File",
         {{"&New", "Ctrl+N"},
          {"&Open", "Ctrl+O"},
          {"&Save", "Ctrl+S"},
          {"Save &As", "Ctrl+Shift+S"},
          {"&Exit", "Ctrl+Q"}}},
        {"&Edit",
         {{"&Undo", "Ctrl+Z"},
          {"&Redo", "Ctrl+Y"},
          {"Cu&t", "Ctrl+X"},
          {"&Copy", "Ctrl+C"},
          {"&Paste", "Ctrl+V"},
          {"&Delete", ""},
          {"&Find...", "Ctrl+F"},
          {"Find &Next", "F3"},
          {"Find Pre&vious", "Shift+F3"},
          {"&Replace...", "Ctrl+H"},
          {"&Go to Line...", "Ctrl+G"}}},
        {"&View",
         {{"&Applet", "F9"},
          {"Applet &Console", "Ctrl+Shift+J"},
          {"&Options", ""},
          {"&Next Message", "F8"},
          {"&Previous Message", "Shift+F8"}}},
        {"&Publish", {{"&Applet", "F5"}, {"Applet With &Html", ""}}},
        {"&Help", {{"&About", ""}}},
    };
    for (const auto &menu : menus) {
        QMenu *added = window->menuBar()->addMenu(QString::fromLatin1(menu.title));
        for (const auto &[caption, shortcut] : menu.items)
            added->addAction(QString::fromLatin1(caption))
                ->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
    }
    QToolBar *tools = window->addToolBar(QStringLiteral("Tools"));
    for (const QStyle::StandardPixmap picture :
         {QStyle::SP_FileIcon, QStyle::SP_DirOpenIcon, QStyle::SP_DialogSaveButton, QStyle::SP_DriveFDIcon,
          QStyle::SP_DialogDiscardButton, QStyle::SP_FileDialogDetailedView, QStyle::SP_FileDialogListView,
          QStyle::SP_ComputerIcon})
        tools->addAction(window->style()->standardIcon(picture), QString());
    window->statusBar()->showMessage(QString());
    auto *pane = new QPlainTextEdit;
    pane->setFont(QFont(QStringLiteral("Courier New"), 12));
    window->setCentralWidget(pane);
    window->resize(496, 442);
    return window;
}
