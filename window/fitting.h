// SPDX-License-Identifier: MIT
// Long texts in short boxes: a text wider than its box is drawn in a smaller
// size of its own font, just small enough to fit, so that every digit stays
// readable on screen and on paper instead of being cut at an edge.
#pragma once

#include <QFont>
#include <QLabel>
#include <QLineEdit>

#include <optional>

namespace fitting {

// Whether `text` in `font` fits a line `width` pixels wide, by the rule a
// line edit uses to decide whether it has to scroll: its advance and the
// cursor's pixel.
bool fits(const QFont& font, const QString& text, qreal width);

// The font to draw `text` in within `width` pixels: nothing when it fits at
// its own size; otherwise the largest size in quarter points at which it
// fits while a quarter point more does not, but not below `smallest` times
// its own size (where even that is too wide).
std::optional<QFont> shrunk(const QFont& font, const QString& text, qreal width, qreal smallest);

}  // namespace fitting

// A single-line entry that shows its whole text while it is not being
// edited: a text wider than the field is drawn smaller (down to `smallest`
// times its size) instead of scrolled to its end. While the field has the
// focus it edits and scrolls as any line edit does.
class EntryField : public QLineEdit {
    Q_OBJECT

public:
    explicit EntryField(qreal smallest, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal m_smallest;
};

// A label whose one line of text is drawn smaller (down to `smallest` times
// its size) when it is wider than the label, keeping its alignment, instead
// of wrapping or being cut on both sides.
class FittingLabel : public QLabel {
    Q_OBJECT

public:
    FittingLabel(const QString& text, qreal smallest, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal m_smallest;
};
