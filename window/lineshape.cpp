// SPDX-License-Identifier: MIT
#include "lineshape.h"

#include "twips.h"

#include <QPainter>
#include <QPen>

LineShape::LineShape(const QString& name, const QColor& colour, int width, QObject* parent)
    : QObject(parent)
    , m_colour(colour)
    , m_width(width)
{
    setObjectName(name);
}

void LineShape::setStart(float x1, float y1)
{
    m_x1 = x1;
    m_y1 = y1;
    emit changed();
}

void LineShape::setEnd(float x2, float y2)
{
    m_x2 = x2;
    m_y2 = y2;
    emit changed();
}

void LineShape::setVisible(bool visible)
{
    if (m_visible == visible)
        return;
    m_visible = visible;
    emit changed();
}

void LineShape::paint(QPainter& painter) const
{
    // A line of zero length leaves no dot.
    if (!m_visible || (m_x1 == m_x2 && m_y1 == m_y2))
        return;
    QPen pen(m_colour, m_width, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(pen);
    painter.setRenderHint(QPainter::Antialiasing);  // smooth slanted vectors
    painter.drawLine(twips::point(m_x1, m_y1), twips::point(m_x2, m_y2));
}
