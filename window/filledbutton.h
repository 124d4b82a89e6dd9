// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QPushButton>

// A push button drawn in a solid colour with a raised Windows-style edge, its
// caption wrapped onto further lines when wider than the button.
class FilledButton : public QPushButton {
    Q_OBJECT

public:
    FilledButton(const QString& text, const QColor& fill, QWidget* parent = nullptr);

    QColor fill() const { return m_fill; }
    // Where the caption is drawn (wrapped to this width) while the button is up.
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_fill;
};
