#pragma once

#include <QRect>
#include <QSize>

// Window layouts are given in twips (1/1440 inch); at 96 dpi 15 twips make one pixel.
// Qt scales these device-independent pixels on high-DPI screens.
constexpr int twips(int value)
{
    return value / 15;
}

constexpr QSize twipsSize(int width, int height)
{
    return {twips(width), twips(height)};
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return {twips(left), twips(top), twips(width), twips(height)};
}
