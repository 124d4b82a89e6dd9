// SPDX-License-Identifier: MIT
#include "bindings.h"
#include "handed.h"

#include <form/form.h>
#include <form/json.h>
#include <prism/prism.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace {

namespace json = form::json;
using prism::exact_text;

// The one record of calculation variables a page holds for its whole life,
// as the window holds its own.
prism::CompositionState& record()
{
    static prism::CompositionState state;
    return state;
}

std::string_view outcomeName(prism::Outcome o)
{
    switch (o) {
    case prism::Outcome::RejectA:
        return "refused A";
    case prism::Outcome::RejectB:
        return "refused B";
    case prism::Outcome::Composed:
        break;
    }
    return "composed";
}

std::string point(prism::TwipPoint p)
{
    return json::object({{"x", exact_text(p.x)}, {"y", exact_text(p.y)}});
}

std::string ends(const std::array<prism::TwipPoint, 3>& e)
{
    return json::array({point(e[0]), point(e[1]), point(e[2])});
}

// The horizontal part and the vertical, each null where it is too small to write.
std::string parts(const prism::Parts& ps)
{
    const auto part = [](const std::optional<prism::Part>& p) -> std::string {
        return p ? json::object({{"size", json::string(p->size)}, {"letters", json::string(p->letters)}})
                 : "null";
    };
    return json::array({part(ps[0]), part(ps[1])});
}

std::string share(const prism::Share& s)
{
    return json::object({{"prism", json::string(s.prism)}, {"parts", parts(s.parts)}});
}

std::string reading(const prism::Reading& r)
{
    return json::object({{"parts", parts(r.parts)}, {"right", share(r.right)}, {"left", share(r.left)}});
}

std::string eyes(const prism::Eyes& e)
{
    return json::object({{"needed", json::boolean(e.needed)}, {"asRight", reading(e.asRight)},
        {"asLeft", reading(e.asLeft)}});
}

// What a compute shows, and C's components as composed, exactly (for the
// lens tool's fills).
std::string shown(const prism::Shown& s, const prism::CompositionState& state)
{
    const std::string outcome = json::string(outcomeName(s.outcome));
    if (s.outcome != prism::Outcome::Composed)
        return json::object({{"outcome", outcome}});
    return json::object({{"outcome", outcome}, {"result", json::string(s.result)},
        {"scaled", json::boolean(s.scaled)}, {"ends", s.scaled ? ends(s.ends) : "[]"},
        {"words", json::string(s.words)}, {"eyes", eyes(s.eyes)},
        {"c", json::object({{"x", exact_text(state.CX)}, {"y", exact_text(state.CY)}})}});
}

}  // namespace

extern "C" {

char* prism_compute(const char* aPower, const char* aBase, const char* bPower, const char* bBase)
{
    const prism::Shown s = prism::compute(record(), aPower, aBase, bPower, bBase);
    return handed(shown(s, record()));
}

char* prism_form()
{
    return handed(form::description_json({{"diagramOrigin", point(prism::DiagramOrigin)}}));
}

char* prism_record()
{
    const prism::CompositionState& s = record();
    return handed(json::object(
        {{"AP", json::string(s.AP)}, {"ABase", json::string(s.ABase)}, {"BP", json::string(s.BP)},
            {"BBase", json::string(s.BBase)}, {"CP", json::string(prism::format_number(s.CP, 1))},
            {"result", json::string(prism::result_text(s))}, {"MAG", exact_text(s.MAG)},
            {"ends",
                ends({prism::end_point(s.AXs, s.AYs), prism::end_point(s.BXs, s.BYs),
                    prism::end_point(s.CXs, s.CYs)})}}));
}
}
