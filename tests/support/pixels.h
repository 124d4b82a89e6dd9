// SPDX-License-Identifier: MIT
// Looking at pixels: counting and bounding the pixels of a rectangle that
// pass a test. Colour tests judge hue, so anti-aliased edges and a printer's
// colour conversion (pure blue printed as (14, 15, 142)) still count.
#pragma once

#include <QImage>
#include <QRect>

#include <algorithm>
#include <functional>

namespace pixels {

using Test = std::function<bool(QRgb)>;

inline int count(const QImage& image, const QRect& area, const Test& test)
{
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += test(image.pixel(x, y)) ? 1 : 0;
    return n;
}

// The smallest rectangle holding every pixel that passes the test.
inline QRect extent(const QImage& image, const QRect& area, const Test& test)
{
    QRect box;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (test(image.pixel(x, y)))
                box = box.united(QRect(x, y, 1, 1));
    return box;
}

// How many separate runs of columns hold a passing pixel: one per glyph of a
// line of text whose glyphs do not touch.
inline int columnRuns(const QImage& image, const QRect& area, const Test& test)
{
    int runs = 0;
    bool inRun = false;
    const QRect r = area.intersected(image.rect());
    for (int x = r.left(); x <= r.right(); ++x) {
        bool ink = false;
        for (int y = r.top(); y <= r.bottom() && !ink; ++y)
            ink = test(image.pixel(x, y));
        runs += ink && !inRun ? 1 : 0;
        inRun = ink;
    }
    return runs;
}

// The ink of a rectangle: its darkness summed over every pixel.
inline qint64 ink(const QImage& image, const QRect& area)
{
    qint64 sum = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            sum += 255 - qGray(image.pixel(x, y));
    return sum;
}

inline Test exactly(QColor c)
{
    return [rgb = c.rgb() & 0xFFFFFF](QRgb p) { return (p & 0xFFFFFF) == rgb; };
}

inline bool bluish(QRgb p)
{
    return qBlue(p) - std::max(qRed(p), qGreen(p)) > 60;
}
inline bool reddish(QRgb p)
{
    return qRed(p) - std::max(qGreen(p), qBlue(p)) > 80;
}
inline bool dark(QRgb p)
{
    return qRed(p) < 90 && qGreen(p) < 90 && qBlue(p) < 90;
}

}  // namespace pixels
