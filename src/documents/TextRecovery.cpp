#include "TextRecovery.h"

#include "AppPaths.h"
#include "AtomicFile.h"
#include "Document.h"
#include "LogCategories.h"
#include "PathBytes.h"
#include "ProcessStart.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

namespace {

const QByteArray Heading = "zarn recovery 2\n";
// What Zarns before the writer's proof wrote: the heading, the path, the text.
const QByteArray OlderHeading = "zarn recovery\n";
// Longest line before the text: a path of 4096 bytes, each written as %XX.
constexpr qint64 LongestLine = 16 * 1024;

// The folder, made if need be, that only the user may enter (an older Zarn made it
// open to all).
bool makePrivateFolder(const QString &folder)
{
    const QFileDevice::Permissions owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                           | QFileDevice::ExeOwner;
    return (QFileInfo(folder).isDir() || QDir().mkdir(folder, owner)) && QFile::setPermissions(folder, owner);
}

QString thisZarnsName()
{
    const qint64 pid = QCoreApplication::applicationPid();
    return QStringLiteral("%1-%2.txt").arg(pid).arg(processStartTicks(pid).value_or(0));
}

// The writer named in the line "writer PID TICKS" still runs: a process of that
// number that started at that very tick.
bool writerRuns(const QByteArray &line)
{
    const QList<QByteArray> words = line.trimmed().split(' ');
    if (words.size() != 3 || words[0] != "writer")
        return false;
    const std::optional<quint64> started = processStartTicks(words[1].toLongLong());
    return started && QByteArray::number(*started) == words[2];
}

// For a file of an older Zarn, named after its number only: a zarn of that number
// runs that started before the file was last written (a number given again goes to
// a later start).
bool olderWriterRuns(const QFileInfo &file)
{
    const qint64 pid = file.completeBaseName().toLongLong();
    const std::optional<qint64> started = processStartMSecs(pid);
    return started
           && QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid))
                  .symLinkTarget()
                  .endsWith(QLatin1String("/zarn"))
           && *started <= file.lastModified().toMSecsSinceEpoch();
}

} // namespace

TextRecovery::TextRecovery(const Document &document, const QString &appFolder, QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_path(QDir(AppPaths(appFolder).recovery()).filePath(thisZarnsName()))
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
    if (!makePrivateFolder(QFileInfo(m_path).absolutePath())) {
        qCInfo(logDocuments) << "no private folder for unsaved text at" << QFileInfo(m_path).absolutePath();
        return;
    }
    // Every character as the pane holds it (toPlainText would turn a no-break space
    // into a space and a line separator into a line end); blocks end in LF.
    QString text = m_document.text().toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    const qint64 pid = QCoreApplication::applicationPid();
    // A document without a name of its own is kept without one.
    const QString path = m_document.hasOwnName() ? m_document.FileName() : QString();
    const QByteArray heading = Heading + "writer " + QByteArray::number(pid) + ' '
                               + QByteArray::number(processStartTicks(pid).value_or(0)) + '\n' + "path "
                               + pathToBytes(path).toPercentEncoding("/") + '\n';
    const QString problem = replaceFileAtomically(m_path, heading + text.toUtf8());
    if (!problem.isEmpty())
        qCInfo(logDocuments) << "unsaved text could not be kept in" << m_path << ":" << problem;
    QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void TextRecovery::forget()
{
    m_pause.stop();
    QFile::remove(m_path);
}

QString TextRecovery::Left::text() const
{
    QFile recovery(recoveryFile);
    if (!recovery.open(QIODevice::ReadOnly) || !recovery.seek(textStart))
        return {};
    return QString::fromUtf8(recovery.readAll());
}

std::optional<TextRecovery::Left> TextRecovery::leftBehind(const QString &appFolder)
{
    const QFileInfoList kept = QDir(AppPaths(appFolder).recovery())
                                   .entryInfoList({QStringLiteral("*.txt")}, QDir::Files, QDir::Time);
    for (const QFileInfo &file : kept) {
        QFile recovery(file.filePath());
        if (!recovery.open(QIODevice::ReadOnly))
            continue;
        const QByteArray heading = recovery.readLine(LongestLine);
        Left left{file.filePath(), {}, file.size(), 0};
        if (heading == Heading) {
            if (writerRuns(recovery.readLine(LongestLine))) {
                qCInfo(logDocuments) << "the Zarn that keeps" << file.filePath() << "still runs";
                continue;
            }
            const QByteArray path = recovery.readLine(LongestLine);
            if (!path.startsWith("path ") || !path.endsWith('\n'))
                continue;
            left.document = pathFromBytes(QByteArray::fromPercentEncoding(path.mid(5).chopped(1)));
        } else if (heading == OlderHeading) {
            if (olderWriterRuns(file)) {
                qCInfo(logDocuments) << "the Zarn that keeps" << file.filePath() << "still runs";
                continue;
            }
            left.document = QString::fromUtf8(recovery.readLine(LongestLine)).chopped(1);
        } else {
            continue;
        }
        left.textStart = recovery.pos();
        return left;
    }
    return std::nullopt;
}
