#pragma once

#include <QHash>
#include <QWidget>

#include <memory>

class AppletOutput;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// "Applet Console": what the running applet writes to System.out and System.err,
// err in another colour, with the run it belongs to and how many earlier lines were
// dropped. A stack frame of a class whose source lies under the run's source root
// is a link to that line. Closing the console leaves the applet running.
class AppletConsole : public QWidget
{
    Q_OBJECT

public:
    explicit AppletConsole(QWidget *parent = nullptr);

    // Shows output from its start on, and what it writes from now on; none shows
    // that no applet has run.
    void follow(std::shared_ptr<AppletOutput> output);
    const AppletOutput *following() const { return m_output.get(); }

    QPlainTextEdit *text() const { return m_text; }
    QString header() const;
    // Removes what is shown; what the applet writes afterwards still comes.
    void clear();

Q_SIGNALS:
    // A frame's link was clicked: line (from 1) of the source file at path.
    void sourceLineClicked(const QString &path, int line);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void takeNewLines();
    void showHeader();
    // The place of the frame's source file, or empty when it is not the applet's.
    QString appletSource(const QString &line, qsizetype *start, qsizetype *length, int *number);

    std::shared_ptr<AppletOutput> m_output;
    QLabel *m_header = nullptr;
    QPlainTextEdit *m_text = nullptr;
    QPushButton *m_clear = nullptr;
    QPushButton *m_close = nullptr;
    // The number of the next line to take, and of the first line since the start or Clear.
    qint64 m_next = 0;
    qint64 m_clearedAt = 0;
    qint64 m_shown = 0;
    QHash<QString, bool> m_sourceExists; // and lies inside the source root
};
