#include "ToolbarPictures.h"

#include <QPixmap>

#include <array>

// The drawings are XPM, which is C: compiled in, they need no image plugin at start-up.
#include "clipboard.xpm"
#include "floppy.xpm"
#include "folder.xpm"
#include "page.xpm"
#include "pagepen.xpm"
#include "scissors.xpm"
#include "twopages.xpm"

namespace {

struct Picture
{
    const char *themeName;
    const char *const *drawing;
};

const std::array<Picture, ToolbarPictureCount> Pictures = {{
    {"document-save", floppy},
    {"edit-cut", scissors},
    {"document-new", page},
    {"document-open", folder},
    {"edit-paste", clipboard},
    {"document-properties", pagepen},
    {"edit-copy", twopages},
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
    return QIcon(QPixmap(picture(image).drawing));
}

QIcon toolbarPicture(int image)
{
    static const bool useTheme = desktopHasIconTheme();
    if (!useTheme)
        return ownToolbarPicture(image);
    return QIcon::fromTheme(QString::fromLatin1(picture(image).themeName), ownToolbarPicture(image));
}
