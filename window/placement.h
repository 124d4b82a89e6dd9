// SPDX-License-Identifier: MIT
// Where a second window opens beside the one it belongs to, where no window
// manager places it.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace placement {

// Where a window of `size` (its frame) opens beside `owner` (its frame):
// to its right where it is whole on `screen` there, else below it, else as
// near to its right as the screen lets it be whole (over the owner, on a
// small screen).
QPoint beside(const QRect& owner, const QSize& size, const QRect& screen);

}  // namespace placement
