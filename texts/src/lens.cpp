// SPDX-License-Identifier: MIT
#include "filled.h"

#include <form/form.h>
#include <prism/numbers.h>
#include <texts/lens.h>

#include <tuple>

namespace texts {

namespace {

static_assert(std::tuple_size_v<decltype(form::LensWords::entries)> == prism::LensFieldCount,
    "the description words each of the core's lens fields, in its order");

const form::LensWords& words()
{
    return form::lens_words();
}

std::string_view eyeName(prism::Eye eye)
{
    return eye == prism::Eye::Right ? form::eye_words().rightEye : form::eye_words().leftEye;
}

// A result's parts in an order's words ("1.58△ BO", "3.0 mm 内方"), joined.
std::string written(const prism::WayParts& parts, bool prism)
{
    const form::EyeWords& eyes = form::eye_words();
    std::string out;
    for (const std::optional<prism::WayPart>& p : parts)
        if (p) {
            const size_t way = size_t(p->way);
            out += (out.empty() ? "" : std::string(eyes.separator))
                + (prism ? filled(eyes.part, {p->size, words().prismWays[way]})
                         : filled(words().offsetPart, {p->size, words().offsetWays[way]}));
        }
    return out;
}

LensEyeTexts eyeTexts(prism::Eye eye, const prism::LensShown& s)
{
    const form::LensWords& w = words();
    LensEyeTexts out;
    const std::string prism = written(s.prism, true);
    out.prism = prism.empty() ? std::string(w.noPrism) : prism + "\uFF08" + s.prismForm + "\uFF09";
    const std::string offset = written(s.offset, false);
    if (s.blocked)
        out.offset = filled(w.blocked, {std::to_string(*s.blocked)});
    else if (s.tooFar)
        out.offset = filled(w.tooFar, {offset});
    else
        out.offset = offset.empty() ? std::string(w.noOffset) : offset;
    const std::string name(eyeName(eye));
    out.copy = name + ' ' + std::string(w.groups[1]) + "\uFF1A" + out.prism + '\n' + name + ' '
        + std::string(w.groups[2]) + "\uFF1A" + out.offset;
    out.bPower = s.bPower;
    out.bDirection = s.bDirection;
    return out;
}

Lines nearTexts(const prism::NearShown& n)
{
    const form::LensWords& w = words();
    Lines out;
    if (!n.bothLenses) {
        out.lines = {std::string(w.needsBoth)};
        return out;
    }
    for (size_t i = 0; i < 2; ++i) {
        const std::string parts = written(n.prisms[i], true);
        out.lines.push_back(filled(w.nearPrism,
            {eyeName(i == 0 ? prism::Eye::Right : prism::Eye::Left), parts.empty() ? w.noPrism : parts}));
    }
    const auto imbalance = [&](std::string_view says, const prism::NearShown::Imbalance& i) {
        return filled(says, {i.size}) + (i.moreDown ? filled(w.moreDown, {eyeName(*i.moreDown)}) : "");
    };
    out.lines.push_back(imbalance(w.nearImbalance, n.near));
    if (n.distance)
        out.lines.push_back(imbalance(w.farImbalance, *n.distance));
    if (n.slabOff) {
        const prism::Eye other = *n.slabOff == prism::Eye::Right ? prism::Eye::Left : prism::Eye::Right;
        out.lines.push_back(filled(w.slabOff, {n.correction, eyeName(*n.slabOff), eyeName(other)}));
        if (n.rarelyMade)
            out.lines.emplace_back(w.adapt);
        out.lines.emplace_back(w.steps);
    }
    // A lab order takes the imbalances and the suggestion: the lines after the eyes' two.
    for (size_t i = 2; i < out.lines.size(); ++i)
        out.copy += (i == 2 ? "" : "\u3000") + out.lines[i];
    return out;
}

// A limit as its words write it: the figure's own decimals, at least `least`.
std::string limit(double value, int least)
{
    std::string text = prism::format_number(value, 3);
    while (text.size() > text.find('.') + 1 + least && text.back() == '0')
        text.pop_back();
    return text;
}

Lines checkTexts(const prism::CheckShown& c)
{
    const form::LensWords& w = words();
    const form::EyeWords& eyes = form::eye_words();
    Lines out;
    for (size_t i = 0; i < 2; ++i) {
        if (!c.eyes[i])
            continue;
        const prism::EyeCheck& e = *c.eyes[i];
        const std::string_view eye = eyeName(i == 0 ? prism::Eye::Right : prism::Eye::Left);
        const std::string error = written(e.error, true);
        if (error.empty()) {
            out.lines.push_back(filled(w.checkNone, {eye}));
            continue;
        }
        const std::string shift = written(e.shift, false);
        const std::string where = e.blocked ? filled(w.checkBlocked, {std::to_string(*e.blocked)})
            : e.tooFar                      ? filled(w.checkTooFar, {shift})
            : shift.empty()                 ? std::string(w.checkShiftTiny)
                                            : filled(w.checkShift, {shift});
        out.lines.push_back(filled(w.checkEye, {eye, error, where}));
    }
    if (!c.bothLenses) {
        out.lines.emplace_back(w.checkNeedsBoth);
    } else {
        const prism::CheckLimits& z = prism::Z80;
        // The figure, then (where the millimetre limit decides) the shifts'
        // difference; the limit that decides; the verdict.
        const auto line = [&](std::string_view says, const prism::PairCheck& p, std::string figure,
                              std::string difference, std::string_view shiftLimit, double prismLimit,
                              double power, double shift) {
            if (p.limit == prism::PairCheck::Limit::Millimetres)
                append(figure, {eyes.separator, difference});
            const std::string why = p.limit == prism::PairCheck::Limit::Millimetres
                ? filled(shiftLimit, {limit(power, 2), limit(shift, 1)})
                : filled(p.limit == prism::PairCheck::Limit::Prism ? w.checkPrismLimit : w.checkShiftUnknown,
                    {limit(prismLimit, 2)});
            return filled(says, {figure, why, p.passes ? w.checkPasses : w.checkFails});
        };
        const prism::PairCheck& v = c.vertical;
        out.lines.push_back(line(w.checkVertical, v,
            filled(w.prismSize, {v.prism}) + (v.moreDown ? filled(w.moreDown, {eyeName(*v.moreDown)}) : ""),
            filled(w.checkHeights, {v.millimetres}), w.checkVerticalShiftLimit, z.verticalPrism,
            z.verticalPower, z.verticalShift));
        const prism::PairCheck& h = c.horizontal;
        out.lines.push_back(line(w.checkHorizontal, h,
            h.base ? filled(eyes.part, {h.prism, words().prismWays[size_t(*h.base)]})
                   : filled(w.prismSize, {h.prism}),
            filled(w.checkPd, {h.millimetres, h.wider ? w.checkWider : w.checkNarrower}),
            w.checkHorizontalShiftLimit, z.horizontalPrism, z.horizontalPower, z.horizontalShift));
    }
    for (const std::string& l : out.lines)
        append(out.copy, {out.copy.empty() ? "" : "\n", l});
    return out;
}

// The message of the first refused entry: its name and what it takes.
std::string refusal(const prism::LensToolRefusal& r)
{
    const form::LensWords& w = words();
    if (!r.eye)
        return r.near == prism::NearField::Depth ? filled(w.sizeTakes, {w.depthName})
                                                 : filled(w.insetTakes, {w.insetName});
    std::string_view says = w.sizeTakes;
    switch (r.entry.field) {
    case prism::LensField::Sphere:
    case prism::LensField::Cylinder:
        says = w.powerTakes;
        break;
    case prism::LensField::Axis:
        says = r.entry.needed ? w.axisNeeded : w.axisTakes;
        break;
    default:
        break;
    }
    return filled(says, {lens_captions(*r.eye).names[size_t(r.entry.field)]});
}

}  // namespace

LensEyeCaptions lens_captions(prism::Eye eye)
{
    const form::LensWords& w = words();
    const size_t at = eye == prism::Eye::Right ? 0 : 1;
    LensEyeCaptions out{std::string(eyeName(eye)), {}, {}, std::string(w.intoB[at]), std::string(w.copy[at])};
    for (size_t f = 0; f < prism::LensFieldCount; ++f) {
        out.names[f] = out.eye + ' ' + std::string(w.entries[f].name);
        if (!w.entries[f].choice.empty())
            out.choices[f] = out.eye + ' ' + std::string(w.entries[f].choice);
    }
    return out;
}

LensToolTexts lens_texts(const prism::LensToolShown& shown)
{
    LensToolTexts out;
    for (size_t i = 0; i < 2; ++i)
        if (shown.eyes[i])
            out.eyes[i] = eyeTexts(i == 0 ? prism::Eye::Right : prism::Eye::Left, *shown.eyes[i]);
    if (shown.near && !shown.near->refused)
        out.near = nearTexts(*shown.near);
    if (shown.check)
        out.check = checkTexts(*shown.check);
    if (shown.refused)
        out.refusal = refusal(*shown.refused);
    return out;
}

}  // namespace texts
