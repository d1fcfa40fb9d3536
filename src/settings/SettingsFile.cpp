#include "SettingsFile.h"

#include "AtomicFile.h"
#include "FontTables.h"
#include "LogCategories.h"
#include "PathBytes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace {

// More than any real settings line; the rest of a larger file is never read.
constexpr qint64 MaxSettingsBytes = 64 * 1024;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// Walks the fields of the settings line the way the file is meant to be read.
class FieldReader
{
public:
    explicit FieldReader(const QByteArray &data)
        : m_data(data)
    {
    }

    // The next field's text, or nothing when it is missing or unterminated.
    // A garbled field (junk after its closing quote) is skipped and gives nothing
    // too, but the reader stays in step with the fields after it.
    std::optional<QByteArray> next()
    {
        skipBlanks();
        if (atEnd())
            return std::nullopt;
        std::optional<QByteArray> field = m_data.at(m_pos) == '"' ? quoted() : unquoted();
        if (m_pos < 0)
            return std::nullopt;
        skipSeparator();
        return field;
    }

private:
    bool atEnd() const { return m_pos < 0 || m_pos >= m_data.size(); }

    void skipBlanks()
    {
        while (!atEnd() && isBlank(m_data.at(m_pos)))
            ++m_pos;
    }

    std::optional<QByteArray> quoted()
    {
        const qsizetype close = m_data.indexOf('"', m_pos + 1);
        if (close < 0) {
            m_pos = -1; // the rest of the file lies inside the quote
            return std::nullopt;
        }
        const QByteArray value = m_data.mid(m_pos + 1, close - m_pos - 1);
        m_pos = close + 1;
        skipBlanks();
        if (atEnd() || m_data.at(m_pos) == ',' || isLineEnd(m_data.at(m_pos)))
            return value;
        unquoted(); // junk after the closing quote
        return std::nullopt;
    }

    QByteArray unquoted()
    {
        const qsizetype start = m_pos;
        while (!atEnd() && m_data.at(m_pos) != ',' && !isLineEnd(m_data.at(m_pos)))
            ++m_pos;
        return m_data.mid(start, m_pos - start).trimmed();
    }

    void skipSeparator()
    {
        if (atEnd())
            return;
        const char c = m_data.at(m_pos++);
        if (c == '\r' && !atEnd() && m_data.at(m_pos) == '\n')
            ++m_pos;
    }

    const QByteArray &m_data;
    qsizetype m_pos = 0;
};

// A decimal index of the font tables: optional minus sign, digits only.
std::optional<qint16> fontIndex(const std::optional<QByteArray> &field)
{
    if (!field || field->isEmpty())
        return std::nullopt;
    const QByteArray digits = field->startsWith('-') ? field->mid(1) : *field;
    if (digits.isEmpty()
        || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    bool ok = false;
    const int value = field->toInt(&ok);
    if (!ok || !isFontTableIndex(value))
        return std::nullopt;
    return static_cast<qint16>(value);
}

QString tr(const char *text)
{
    return QCoreApplication::translate("Settings", text);
}

} // namespace

Settings parseSettings(const QByteArray &content)
{
    Settings settings;
    FieldReader reader(content);
    if (const auto type = fontIndex(reader.next()))
        settings.MainFontType = *type;
    if (const auto size = fontIndex(reader.next()))
        settings.MainFontSize = *size;
    if (const auto location = reader.next())
        settings.CompilerLocation = pathFromBytes(*location); // every byte kept
    return settings;
}

QByteArray formatSettings(const Settings &settings)
{
    return QByteArray::number(settings.MainFontType) + ',' + QByteArray::number(settings.MainFontSize) + ",\""
           + pathToBytes(settings.CompilerLocation) + "\"\r\n";
}

Settings readSettingsFile(const QString &path)
{
    // A FIFO or device would block the open or the read; a folder cannot be read.
    if (!QFileInfo(path).isFile()) {
        qCInfo(logSettings) << path << "is not a file: the settings are 0, 0 and no compiler";
        return {};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCInfo(logSettings) << path << "cannot be read:" << file.errorString();
        return {};
    }
    const QByteArray content = file.read(MaxSettingsBytes);
    const Settings settings = parseSettings(content);
    if (formatSettings(settings) != content)
        qCInfo(logSettings) << path << "is not in its usual form; read as" << formatSettings(settings);
    return settings;
}

QString settingsStoreProblem(const Settings &settings)
{
    if (settings.CompilerLocation.contains(QLatin1Char('"')))
        return tr("The compiler path cannot contain a double quote (\"). "
                  "The settings were not stored; please choose another path.");
    return {};
}

QString writeSettingsFile(const QString &path, const Settings &settings)
{
    if (const QString problem = settingsStoreProblem(settings); !problem.isEmpty())
        return problem;
    const QString reason = replaceFileAtomically(path, formatSettings(settings));
    if (reason.isEmpty())
        return {};
    return tr("The settings could not be stored in %1: %2.").arg(QDir::toNativeSeparators(path), reason);
}
