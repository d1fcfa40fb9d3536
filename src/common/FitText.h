#pragma once

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include <climits>

// Text that must show whole in a control whose place is fixed: the control's font
// is made smaller, half a point at a time, until the text fits or the font reaches
// a size still easy to read. For the window libraries; header-only, so that
// zarn_common itself needs nothing but Qt Core.
template <typename Fits> void shrinkFontToFit(QWidget &control, Fits fits, qreal smallestPoints = 6.5)
{
    QFont font = control.font();
    while (!fits(QFontMetrics(font)) && font.pointSizeF() - 0.5 >= smallestPoints)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    control.setFont(font);
}

// A word-wrapped label whose text must fit its height.
inline void fitWrappedLabel(QLabel &label)
{
    shrinkFontToFit(label, [&](const QFontMetrics &metrics) {
        const QRect room = label.contentsRect();
        return metrics.boundingRect(QRect(0, 0, room.width(), INT_MAX), Qt::TextWordWrap, label.text())
                   .height()
               <= room.height();
    });
}

// A button whose caption must fit its width, with room for its frame.
inline void fitButtonCaption(QPushButton &button)
{
    shrinkFontToFit(button, [&](const QFontMetrics &metrics) {
        return metrics.size(Qt::TextShowMnemonic, button.text()).width() + 8 <= button.width();
    });
}
