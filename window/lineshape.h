// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QObject>
#include <QPointF>

class QPainter;

// A straight line painted on the window surface, beneath every child widget.
// End points are in twips, as 32-bit floats; the width is in pixels.
class LineShape : public QObject {
    Q_OBJECT
    Q_PROPERTY(float X1 READ x1)
    Q_PROPERTY(float Y1 READ y1)
    Q_PROPERTY(float X2 READ x2)
    Q_PROPERTY(float Y2 READ y2)
    Q_PROPERTY(bool visible READ isVisible WRITE setVisible)

public:
    LineShape(const QString& name, const QColor& colour, int width, QObject* parent);

    float x1() const { return m_x1; }
    float y1() const { return m_y1; }
    float x2() const { return m_x2; }
    float y2() const { return m_y2; }
    QColor colour() const { return m_colour; }
    int width() const { return m_width; }
    bool isVisible() const { return m_visible; }

    void setStart(float x1, float y1);
    void setEnd(float x2, float y2);
    void setVisible(bool visible);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }

    // Paints the line when it is visible and has a length.
    void paint(QPainter& painter) const;

signals:
    void changed();

private:
    float m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0;
    QColor m_colour;
    int m_width;
    bool m_visible = false;
};
