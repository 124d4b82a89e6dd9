// SPDX-License-Identifier: MIT
#include "lens.h"
#include "handed.h"

#include <form/form.h>
#include <form/json.h>
#include <prism/prism.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

namespace json = form::json;

// The core's entries are the description's lens fields, in the same order.
static_assert(int(prism::LensEntry::PrismY) == int(form::LensField::PrismY));

std::string parts(const prism::WayParts& ps)
{
    constexpr std::string_view Ways[] = {"in", "out", "up", "down"};
    const auto part = [&](const std::optional<prism::WayPart>& p) -> std::string {
        return p ? json::object({{"size", json::string(p->size)}, {"way", json::string(Ways[int(p->way)])}})
                 : "null";
    };
    return json::array({part(ps[0]), part(ps[1])});
}

}  // namespace

extern "C" {

char* prism_lens(int eye, const char* sphere, const char* cylinder, const char* axis, const char* centreX,
    const char* centreY, int centreIn, int centreUp, const char* prismX, const char* prismY, int baseIn,
    int baseUp)
{
    const prism::LensShown s = prism::lens_compute(eye == 0 ? prism::Eye::Right : prism::Eye::Left,
        {sphere, cylinder, axis, centreX, centreY, centreIn != 0, centreUp != 0, prismX, prismY, baseIn != 0,
            baseUp != 0});
    const std::string refused
        = s.refused ? json::string(form::name(form::LensField(int(*s.refused)))) : std::string("null");
    const std::string b = s.bPower.empty()
        ? std::string("null")
        : json::object({{"power", json::string(s.bPower)}, {"direction", json::string(s.bDirection)}});
    return handed(json::object({{"lens", json::boolean(s.lens)}, {"refused", refused},
        {"needed", json::boolean(s.needed)}, {"prism", parts(s.prism)},
        {"prismForm", json::string(s.prismForm)}, {"b", b}, {"offset", parts(s.offset)},
        {"blocked", s.blocked ? prism::exact_text(*s.blocked) : std::string("null")},
        {"tooFar", json::boolean(s.tooFar)}}));
}

char* prism_lens_near(const char* rightSphere, const char* rightCylinder, const char* rightAxis,
    const char* rightCentreX, const char* rightCentreY, int rightIn, int rightUp, const char* leftSphere,
    const char* leftCylinder, const char* leftAxis, const char* leftCentreX, const char* leftCentreY,
    int leftIn, int leftUp, const char* depth, const char* inset)
{
    const prism::NearShown n = prism::near_compute(prism::lens_compute(prism::Eye::Right,
                                                       {rightSphere, rightCylinder, rightAxis, rightCentreX,
                                                           rightCentreY, rightIn != 0, rightUp != 0, "", ""}),
        prism::lens_compute(prism::Eye::Left,
            {leftSphere, leftCylinder, leftAxis, leftCentreX, leftCentreY, leftIn != 0, leftUp != 0, "", ""}),
        depth, inset);
    const auto eye = [](const std::optional<prism::Eye>& e) -> std::string {
        return !e ? "null" : json::string(*e == prism::Eye::Right ? "right" : "left");
    };
    const auto imbalance = [&](const prism::NearShown::Imbalance& i) {
        return json::object({{"size", json::string(i.size)}, {"moreDown", eye(i.moreDown)}});
    };
    constexpr std::string_view Refused[] = {"", "depth", "inset"};
    return handed(json::object(
        {{"refused",
             n.refused == prism::NearShown::Refused::None ? "null" : json::string(Refused[int(n.refused)])},
            {"bothLenses", json::boolean(n.bothLenses)},
            {"prisms", json::array({parts(n.prisms[0]), parts(n.prisms[1])})}, {"near", imbalance(n.near)},
            {"distance", n.distance ? imbalance(*n.distance) : "null"},
            {"correction", json::string(n.correction)}, {"slabOff", eye(n.slabOff)},
            {"rarelyMade", json::boolean(n.rarelyMade)}}));
}

char* prism_lens_fill(const char* cx, const char* cy, int fill)
{
    const std::array<prism::Wanted, 2> wanted = prism::wanted_from(
        prism::to_number(cx).value_or(0), prism::to_number(cy).value_or(0), prism::Fill(fill));
    const auto eye = [](const prism::Wanted& w) {
        return json::object({{"x", json::string(w.x)}, {"y", json::string(w.y)}, {"in", json::boolean(w.in)},
            {"up", json::boolean(w.up)}});
    };
    return handed(json::array({eye(wanted[0]), eye(wanted[1])}));
}
}
