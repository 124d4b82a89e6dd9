// SPDX-License-Identifier: MIT
#include "fitting.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include <cmath>

namespace fitting {

bool fits(const QFont& font, const QString& text, qreal width)
{
    // The line edit's own rule, so that a text said to fit is never scrolled.
    return qRound(QFontMetricsF(font).horizontalAdvance(text)) + 1 <= width;
}

std::optional<QFont> shrunk(const QFont& font, const QString& text, qreal width, qreal smallestScale)
{
    if (text.isEmpty() || fits(font, text, width))
        return std::nullopt;
    // Sizes on the step of a quarter point, counted in steps: from the
    // smallest allowed (rounded up onto the step) to one below the full
    // size, which does not fit. A search between them that keeps "fits at
    // `low`" and "does not fit at `high` + 1" ends on a size that fits where
    // the next step up does not. (Its twin on the page: web/page/fit.js's fit().)
    constexpr qreal StepsPerPoint = 4;
    const qreal full = font.pointSizeF();
    const qreal smallest = full * smallestScale;
    QFont f = font;
    const auto fitsAt = [&](int step) {
        f.setPointSizeF(step / StepsPerPoint);
        return fits(f, text, width);
    };
    int low = int(std::ceil(smallest * StepsPerPoint));
    int high = int(std::ceil(full * StepsPerPoint)) - 1;
    if (high < low || !fitsAt(low)) {
        // Not even the smallest step fits: the smallest size, its beginning shown.
        f.setPointSizeF(smallest);
        return f;
    }
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (fitsAt(middle))
            low = middle;
        else
            high = middle - 1;
    }
    f.setPointSizeF(low / StepsPerPoint);
    return f;
}

}  // namespace fitting

EntryField::EntryField(qreal smallest, QWidget* parent)
    : QLineEdit(parent)
    , m_smallest(smallest)
{
}

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
        = hasFocus() ? std::nullopt : fitting::shrunk(font(), text(), line.width(), m_smallest);
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

FittingLabel::FittingLabel(const QString& text, qreal smallest, QWidget* parent)
    : QLabel(text, parent)
    , m_smallest(smallest)
{
}

void FittingLabel::paintEvent(QPaintEvent* event)
{
    const QRect area = contentsRect();
    const std::optional<QFont> smaller = fitting::shrunk(font(), text(), area.width(), m_smallest);
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
