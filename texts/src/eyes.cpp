// SPDX-License-Identifier: MIT
#include "filled.h"

#include <form/form.h>
#include <texts/eyes.h>

#include <tuple>

namespace texts {

namespace {

// A reading's parts as an order writes them, joined by `between`, those
// too small to write left out; where none is left, the words that say each
// is too small, or (`orSmall` false) nothing.
std::string written(const prism::Parts& parts, std::string_view between, bool orSmall = true)
{
    const form::EyeWords& w = form::eye_words();
    std::string out;
    for (const std::optional<prism::Part>& p : parts)
        if (p)
            append(out, {out.empty() ? "" : between, filled(w.part, {p->size, p->letters})});
    return out.empty() && orSmall ? std::string(w.smallParts) : out;
}

}  // namespace

EyesTexts eyes_texts(const prism::Eyes& eyes)
{
    EyesTexts out;
    out.needed = eyes.needed;
    if (!eyes.needed) {
        out.none = form::eye_words().noPrism;
        return out;
    }
    for (const auto& [texts, r] : {std::pair{&out.asRight, &eyes.asRight}, {&out.asLeft, &eyes.asLeft}}) {
        texts->parts = written(r->parts, "\n");
        for (size_t i = 0; i < 2; ++i) {
            const prism::Share& half = i == 0 ? r->right : r->left;
            texts->split[i] = half.prism + '\n' + written(half.parts, "\n");
        }
    }
    out.copyRight = written(eyes.asRight.parts, form::eye_words().separator, false);
    out.copyLeft = written(eyes.asLeft.parts, form::eye_words().separator, false);
    return out;
}

std::string eyes_summary(const prism::Eyes& eyes)
{
    const form::EyeWords& w = form::eye_words();
    if (!eyes.needed)
        return std::string(w.noPrism);
    std::string s;
    for (const auto& [r, as, eye] :
        {std::tuple{&eyes.asRight, w.asRight, w.rightEye}, {&eyes.asLeft, w.asLeft, w.leftEye}}) {
        append(s,
            {s.empty() ? "" : "\n", as, "\uFF1A", eye, " ", written(r->parts, w.separator), "\n", w.split,
                "\uFF1A"});
        // Each half's prism, then its parts in brackets.
        for (size_t i = 0; i < 2; ++i) {
            const prism::Share& half = i == 0 ? r->right : r->left;
            append(s,
                {i == 0 ? "" : "\u3000", i == 0 ? w.rightEye : w.leftEye, " ", half.prism, "\uFF08",
                    written(half.parts, w.separator), "\uFF09"});
        }
    }
    return s;
}

}  // namespace texts
