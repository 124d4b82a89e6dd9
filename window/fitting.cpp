// SPDX-License-Identifier: MIT
#include "fitting.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <cmath>

namespace fitting {

bool fits(const QFont& font, const QString& text, qreal width)
{
    // The line edit's own rule, so that a text said to fit is never scrolled.
    return qRound(QFontMetricsF(font).horizontalAdvance(text)) + 1 <= width;
}

std::optional<QFont> shrunk(const QFont& font, const QString& text, qreal width)
{
    if (text.isEmpty() || fits(font, text, width))
        return std::nullopt;
    const qreal full = font.pointSizeF();
    const qreal smallest = full * SmallestScale;
    // Start from the proportional guess and step down: advances are not
    // exactly proportional to the size.
    const qreal advance = QFontMetricsF(font).horizontalAdvance(text);
    qreal size = std::floor(full * width / advance * 4) / 4;
    QFont f = font;
    for (size = std::clamp(size, smallest, full); size > smallest; size -= 0.25) {
        f.setPointSizeF(size);
        if (fits(f, text, width))
            return f;
    }
    f.setPointSizeF(smallest);
    return f;
}

}  // namespace fitting

void EntryField::paintEvent(QPaintEvent* event)
{
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    QRect area
        = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this).marginsRemoved(textMargins());
    // A line edit keeps two pixels clear on each side of its text.
    constexpr int HorizontalMargin = 2;
    const QRect line = area.adjusted(HorizontalMargin, 0, -HorizontalMargin, 0);
    const std::optional<QFont> smaller
        = hasFocus() ? std::nullopt : fitting::shrunk(font(), text(), line.width());
    if (!smaller) {
        QLineEdit::paintEvent(event);
        return;
    }

    // Drawn as the line edit draws itself, with the smaller font and from
    // the beginning of the text: the frame, then the text centred vertically.
    QPainter p(this);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &p, this);
    p.setClipRect(area);
    p.setFont(*smaller);
    p.setPen(palette().color(QPalette::Text));
    const QFontMetrics metrics(*smaller);
    const int top = area.y() + (area.height() - metrics.height() + 1) / 2;
    p.drawText(QPoint(line.x(), top + metrics.ascent()), text());
}

void FittingLabel::paintEvent(QPaintEvent* event)
{
    const QRect area = contentsRect();
    const std::optional<QFont> smaller = fitting::shrunk(font(), text(), area.width());
    if (!smaller) {
        QLabel::paintEvent(event);
        return;
    }

    // The smaller line sits centred in the band its full-size line would
    // take; when even the smallest size is too wide, its beginning shows.
    QPainter p(this);
    p.setFont(*smaller);
    p.setPen(palette().color(foregroundRole()));
    const QRect band(area.x(), area.y(), area.width(), QFontMetrics(font()).height());
    const Qt::Alignment horizontal = fitting::fits(*smaller, text(), area.width())
        ? alignment() & Qt::AlignHorizontal_Mask
        : Qt::AlignLeft;
    p.drawText(band, horizontal | Qt::AlignVCenter, text());
}
