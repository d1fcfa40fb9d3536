#include "WindowPlacement.h"

#include <algorithm>

namespace {

bool onScreen(const QRect &window, const QRect &screen)
{
    return screen.contains(window);
}

bool overAny(const QRect &window, const QList<QRect> &taken)
{
    return std::any_of(taken.cbegin(), taken.cend(), [&window](const QRect &rect) {
        return rect.isValid() && window.intersects(rect);
    });
}

} // namespace

QPoint keptOnScreen(QPoint at, const QSize &frame, const QRect &screen)
{
    at.setX(std::max(screen.left(), std::min(at.x(), screen.right() + 1 - frame.width())));
    at.setY(std::max(screen.top(), std::min(at.y(), screen.bottom() + 1 - frame.height())));
    return at;
}

QPoint placeBeside(const QRect &main, const QSize &frame, const QRect &screen, const QList<QRect> &taken)
{
    constexpr int Gap = 4;
    // Beside at the main window's top or left edge, slid along that edge to stay on screen.
    const auto along = [&](QPoint at, bool vertical) {
        const QPoint kept = keptOnScreen(at, frame, screen);
        return vertical ? QPoint(at.x(), kept.y()) : QPoint(kept.x(), at.y());
    };
    const QList<QPoint> beside{
        along({main.right() + 1 + Gap, main.top()}, true),
        along({main.left() - Gap - frame.width(), main.top()}, true),
        along({main.left(), main.bottom() + 1 + Gap}, false),
        along({main.left(), main.top() - Gap - frame.height()}, false),
    };
    QList<QRect> all = taken;
    all.append(main);
    for (const QPoint &at : beside)
        if (const QRect window(at, frame); onScreen(window, screen) && !overAny(window, all))
            return at;
    const QList<QRect> keep = taken.isEmpty() ? QList<QRect>{} : QList<QRect>{taken.constFirst()};
    for (const QPoint &at : beside)
        if (const QRect window(at, frame); onScreen(window, screen) && !overAny(window, keep))
            return at;
    // On screen at least, clear of what must stay in sight where the screen allows.
    QPoint at = keptOnScreen(beside.constFirst(), frame, screen);
    if (!keep.isEmpty() && QRect(at, frame).intersects(keep.constFirst())) {
        const QPoint above = keptOnScreen({at.x(), keep.constFirst().top() - frame.height()}, frame, screen);
        if (!QRect(above, frame).intersects(keep.constFirst()))
            at = above;
    }
    return at;
}

QPoint placeOff(const QRect &frame, const QRect &target, const QRect &screen)
{
    if (!frame.intersects(target))
        return frame.topLeft();
    constexpr int Gap = 8;
    const QList<QPoint> places{
        {frame.x(), target.bottom() + 1 + Gap},
        {frame.x(), target.top() - Gap - frame.height()},
        {target.right() + 1 + Gap, frame.y()},
        {target.left() - Gap - frame.width(), frame.y()},
    };
    for (const QPoint &wanted : places) {
        const QPoint at = keptOnScreen(wanted, frame.size(), screen);
        if (!QRect(at, frame.size()).intersects(target))
            return at;
    }
    return frame.topLeft();
}
