#include "FontTables.h"

#include <QFont>

const std::array<const char *, FontTableLength> FontNameTable = {
    "MS Sans Serif",  "Arial",           "System",  "Tahoma",   "Courier New",
    "Lucida Console", "Times New Roman", "Verdana", "MS Serif", "Courier",
};

const std::array<qint16, FontTableLength> FontSizeTable = {8, 10, 12, 14, 16, 18, 20, 22, 24, 26};

namespace {

// Metric-compatible or look-alike fonts from fonts-liberation, fonts-dejavu and
// fonts-freefont; one per face so that each choice looks different.
const std::array<const char *, FontTableLength> Substitutes = {
    "Liberation Sans Narrow", // MS Sans Serif: compact UI sans
    "Liberation Sans",        // Arial: metric-compatible
    "FreeSans",               // System
    "DejaVu Sans Condensed",  // Tahoma: the narrow sister of Verdana
    "Liberation Mono",        // Courier New: metric-compatible
    "DejaVu Sans Mono",       // Lucida Console
    "Liberation Serif",       // Times New Roman: metric-compatible
    "DejaVu Sans",            // Verdana: DejaVu Sans grew out of Verdana's metrics
    "DejaVu Serif",           // MS Serif
    "FreeMono",               // Courier: a Courier clone
};

} // namespace

QString fontName(int index)
{
    return QString::fromLatin1(FontNameTable.at(static_cast<std::size_t>(index)));
}

qint16 fontSize(int index)
{
    return FontSizeTable.at(static_cast<std::size_t>(index));
}

QString fontSubstitute(int index)
{
    return QString::fromLatin1(Substitutes.at(static_cast<std::size_t>(index)));
}

void installFontSubstitutes()
{
    static const bool installed = [] {
        for (int i = 0; i < FontTableLength; ++i)
            QFont::insertSubstitution(fontName(i), fontSubstitute(i));
        return true;
    }();
    Q_UNUSED(installed);
}
