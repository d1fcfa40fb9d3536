#include "QtFileDialog.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QRegularExpression>

namespace {

// The extension of a name filter's first pattern: "java" for "Java File (*.java)".
QString extensionOf(const QString &nameFilter)
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    return pattern.match(nameFilter).captured(1);
}

} // namespace

QStringList qtNameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters.append(parts.at(i) + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return filters;
}

void configureFileDialog(QFileDialog &dialog, FileDialog::Mode mode, const QString &filter,
                         const QString &fileName)
{
    // The descriptions already show their patterns; Qt need not add them again.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    const bool open = mode == FileDialog::Mode::Open;
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    const QStringList filters = qtNameFilters(filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    if (!open) {
        // A name typed without an extension gets the chosen filter's, so that
        // "Hello" under the Java filter is saved as Hello.java.
        dialog.setDefaultSuffix(extensionOf(dialog.selectedNameFilter()));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog](const QString &chosen) { dialog.setDefaultSuffix(extensionOf(chosen)); });
    }
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
}

std::optional<QString> QtFileDialog::ask(QWidget *parent, Mode mode, const QString &offered)
{
    // An empty caption gives Qt's default title for opening or saving.
    QFileDialog dialog(parent, DialogTitle());
    configureFileDialog(dialog, mode, Filter(), offered);
    const bool accepted = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    // What the answer starts (reading a large file, say) may hold the event loop for
    // a while: the window system learns now that the keyboard is the parent's again,
    // so that keys typed meanwhile wait there rather than at a dialog that is gone.
    // This never waits: it is one more turn of the dialog's own modal loop, which
    // handles what is pending and returns, and leaves the keys for afterwards.
    dialog.hide();
    if (parent)
        parent->activateWindow();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (!accepted)
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}
