#pragma once

#include <QIcon>

// The pictures of the toolbar's image list, numbered 1 to 7: floppy disk, scissors,
// blank page, open folder, clipboard with a page, page with a pen, two overlapping
// pages. Each is the desktop theme's icon of the same meaning when the theme has
// one, otherwise Zarn's own 16 x 16 drawing.
constexpr int ToolbarPictureCount = 7;

QIcon toolbarPicture(int image);

// Zarn's own drawing of a picture, whatever the desktop theme offers.
QIcon ownToolbarPicture(int image);
