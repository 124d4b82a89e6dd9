// SPDX-License-Identifier: MIT
#include "eyes.h"

#include "described.h"

#include <form/form.h>

#include <QStringList>

using namespace Qt::StringLiterals;

QString parts_text(const prism::Parts& parts, const form::EyeWords& words)
{
    QStringList written;
    for (const std::optional<prism::Part>& p : parts)
        if (p)
            written << described(words.part).arg(QString::fromStdString(p->size), described(p->letters));
    return written.join(described(words.separator));
}

QString eyes_text(const prism::Eyes& eyes, const form::EyeWords& w)
{
    if (!eyes.needed)
        return described(w.noPrism);
    const auto parts = [&](const prism::Parts& p) {
        const QString text = parts_text(p, w);
        return text.isEmpty() ? described(w.smallParts) : text;
    };
    const auto half = [&](std::string_view eye, const prism::Share& share) {
        return described(eye) + u' ' + QString::fromStdString(share.prism) + u'（' + parts(share.parts)
            + u'）';
    };
    const auto reading = [&](std::string_view as, std::string_view eye, const prism::Reading& r) {
        return described(as) + u'：' + described(eye) + u' ' + parts(r.parts) + u'\n' + described(w.split)
            + u'：' + half(w.rightEye, r.right) + u'　' + half(w.leftEye, r.left);
    };
    return reading(w.asRight, w.rightEye, eyes.asRight) + u'\n' + reading(w.asLeft, w.leftEye, eyes.asLeft);
}
