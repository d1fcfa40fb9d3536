#include "TextRecovery.h"

#include "AtomicFile.h"
#include "Document.h"
#include "LogCategories.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

namespace {

const QByteArray Heading = "zarn recovery\n";

QString recoveryFolder(const QString &appFolder)
{
    return QDir(appFolder).filePath(QStringLiteral("recovery"));
}

// The Zarn that kept the file (named after its process) still runs.
bool keeperRuns(const QString &recoveryFile)
{
    QFile commandLine(QStringLiteral("/proc/%1/cmdline").arg(QFileInfo(recoveryFile).baseName()));
    if (!QFileInfo::exists(QStringLiteral("/proc/self")))
        return false; // no way to tell: offer it
    return commandLine.open(QIODevice::ReadOnly) && commandLine.readAll().contains("zarn");
}

} // namespace

TextRecovery::TextRecovery(const Document &document, const QString &appFolder, QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_path(QDir(recoveryFolder(appFolder))
                 .filePath(QString::number(QCoreApplication::applicationPid()) + QStringLiteral(".txt")))
{
    m_pause.setSingleShot(true);
    m_pause.setInterval(PauseMs);
    connect(&m_pause, &QTimer::timeout, this, &TextRecovery::keepNow);
    connect(&document.text(), &QTextDocument::contentsChanged, this, [this] {
        if (m_document.isModified())
            m_pause.start(); // again from the last key
    });
    connect(&document.text(), &QTextDocument::modificationChanged, this, [this](bool changed) {
        if (!changed)
            forget();
    });
}

void TextRecovery::keepNow()
{
    m_pause.stop();
    if (!m_document.isModified())
        return;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    const QString problem = replaceFileAtomically(m_path, Heading + m_document.FileName().toUtf8() + '\n'
                                                              + m_document.text().toPlainText().toUtf8());
    if (!problem.isEmpty())
        qCInfo(logDocuments) << "unsaved text could not be kept in" << m_path << ":" << problem;
}

void TextRecovery::forget()
{
    m_pause.stop();
    QFile::remove(m_path);
}

std::optional<TextRecovery::Left> TextRecovery::leftBehind(const QString &appFolder)
{
    const QFileInfoList kept = QDir(recoveryFolder(appFolder))
                                   .entryInfoList({QStringLiteral("*.txt")}, QDir::Files, QDir::Time);
    for (const QFileInfo &file : kept) {
        if (keeperRuns(file.filePath())) {
            qCInfo(logDocuments) << "the Zarn that keeps" << file.filePath() << "still runs";
            continue;
        }
        QFile recovery(file.filePath());
        if (!recovery.open(QIODevice::ReadOnly) || recovery.readLine() != Heading)
            continue;
        const QString document = QString::fromUtf8(recovery.readLine()).chopped(1);
        return Left{file.filePath(), document, QString::fromUtf8(recovery.readAll())};
    }
    return std::nullopt;
}
