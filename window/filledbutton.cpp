// SPDX-License-Identifier: MIT
#include "filledbutton.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

FilledButton::FilledButton(const QString& text, const QColor& fill, QWidget* parent)
    : QPushButton(text, parent)
    , m_fill(fill)
{
}

QRect FilledButton::captionRect() const
{
    // Inside the two-pixel edge, two pixels in from the sides.
    return rect().adjusted(4, 3, -4, -3);
}

void FilledButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const bool sunken = isDown();
    qDrawWinButton(&p, rect(), palette(), sunken, nullptr);
    const QRect inside = rect().adjusted(2, 2, -2, -2);
    p.fillRect(inside, m_fill);

    // The caption shifts by a pixel while pressed, as a raised button does.
    QRect textRect = captionRect();
    if (sunken)
        textRect.translate(1, 1);
    p.setPen(palette().color(QPalette::ButtonText));
    p.setFont(font());
    p.drawText(textRect, Qt::AlignCenter | Qt::TextWordWrap, text());

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = inside.adjusted(2, 2, -2, -2);
        focus.backgroundColor = m_fill;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
}
