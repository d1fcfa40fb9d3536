#pragma once

#include <QString>
#include <QStringList>

#include <array>

// The ten editor faces and sizes. The settings file and the Options lists store
// positions in these tables, never the names or numbers themselves.
constexpr int FontTableLength = 10;

extern const std::array<const char *, FontTableLength> FontNameTable;
extern const std::array<qint16, FontTableLength> FontSizeTable;

// True when index is a position in the tables (0 to 9).
constexpr bool isFontTableIndex(int index)
{
    return index >= 0 && index < FontTableLength;
}

QString fontName(int index);
qint16 fontSize(int index);

// The installed font that stands in for a face of the table on this system.
QString fontSubstitute(int index);

// Registers the stand-ins with Qt's font substitution, once per process, so that
// every face of the table resolves to a distinct installed font.
void installFontSubstitutes();
