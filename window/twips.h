// SPDX-License-Identifier: MIT
// Window geometry is written in twips (1/1440 inch). One conversion turns it
// into device-independent pixels; Qt's high-DPI scaling does the rest.
#pragma once

#include <form/form.h>

#include <QPointF>
#include <QRect>

namespace twips {

inline constexpr double PerPixel = form::TwipsPerPixel;

constexpr int toPixels(int t)
{
    return static_cast<int>(t / PerPixel + 0.5);
}

constexpr QRect rect(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

// Line end points stay fractional: a vector end at 7799.995 twips is not 520 px.
constexpr QPointF point(double x, double y)
{
    return QPointF(x / PerPixel, y / PerPixel);
}

}  // namespace twips
