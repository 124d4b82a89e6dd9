// SPDX-License-Identifier: MIT
// Where things are on the window, in its pixels, read from the form's
// description and the core (the suites write no place of their own).
#pragma once

#include "twips.h"

#include <form/form.h>
#include <prism/prism.h>

#include <QLine>
#include <QRect>
#include <QtGlobal>

#include <string_view>

namespace places {

// A control's rectangle (a member of Label3 by its index).
inline QRect control(std::string_view name, int index = -1)
{
    const form::Control* c = form::find(name, index);
    if (!c)
        qFatal("no control %.*s", int(name.size()), name.data());
    return twips::rect(c->rect.left, c->rect.top, c->rect.width, c->rect.height);
}

// The common start point of the diagram's vectors.
inline QPoint origin()
{
    return twips::point(prism::DiagramOrigin.x, prism::DiagramOrigin.y).toPoint();
}

// A legend line, from its left end to its right end.
inline QLine legend(std::string_view name)
{
    for (const form::Line& l : form::description().lines)
        if (l.name == name && l.fixed) {
            const QRect r = twips::rect(l.fixed->left, l.fixed->top, l.fixed->width, 0);
            return QLine(r.left(), r.top(), r.left() + r.width(), r.top());
        }
    qFatal("no legend line %.*s", int(name.size()), name.data());
}

}  // namespace places
