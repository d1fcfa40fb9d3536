#include "ToolbarPictures.h"

#include <array>

namespace {

struct Picture
{
    const char *themeName;
    const char *resource;
};

const std::array<Picture, ToolbarPictureCount> Pictures = {{
    {"document-save", ":/pictures/floppy.xpm"},
    {"edit-cut", ":/pictures/scissors.xpm"},
    {"document-new", ":/pictures/page.xpm"},
    {"document-open", ":/pictures/folder.xpm"},
    {"edit-paste", ":/pictures/clipboard.xpm"},
    {"document-properties", ":/pictures/pagepen.xpm"},
    {"edit-copy", ":/pictures/twopages.xpm"},
}};

// hicolor is only the fallback every desktop installs, holding application icons,
// not action pictures; searching it costs start-up time and finds nothing.
bool desktopHasIconTheme()
{
    const QString theme = QIcon::themeName();
    return !theme.isEmpty() && theme != QLatin1String("hicolor");
}

const Picture &picture(int image)
{
    return Pictures.at(static_cast<std::size_t>(image - 1));
}

} // namespace

QIcon ownToolbarPicture(int image)
{
    return QIcon(QString::fromLatin1(picture(image).resource));
}

QIcon toolbarPicture(int image)
{
    static const bool useTheme = desktopHasIconTheme();
    if (!useTheme)
        return ownToolbarPicture(image);
    return QIcon::fromTheme(QString::fromLatin1(picture(image).themeName), ownToolbarPicture(image));
}
