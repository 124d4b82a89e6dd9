// SPDX-License-Identifier: MIT
#include "placement.h"

#include <algorithm>

namespace placement {

QPoint beside(const QRect& owner, const QSize& size, const QRect& screen)
{
    constexpr int gap = 8;
    for (const QPoint at : {owner.topRight() + QPoint(gap + 1, 0), owner.bottomLeft() + QPoint(0, gap + 1)})
        if (screen.contains(QRect(at, size)))
            return at;
    QRect place(owner.topRight() + QPoint(gap + 1, 0), size);
    place.moveRight(std::min(place.right(), screen.right()));
    place.moveBottom(std::min(place.bottom(), screen.bottom()));
    place.moveLeft(std::max(place.left(), screen.left()));
    place.moveTop(std::max(place.top(), screen.top()));
    return place.topLeft();
}

}  // namespace placement
