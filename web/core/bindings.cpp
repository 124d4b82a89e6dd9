// SPDX-License-Identifier: MIT
#include "bindings.h"
#include "handed.h"
#include "named.h"

#include <form/form.h>
#include <form/json.h>
#include <prism/compose.h>
#include <prism/numbers.h>
#include <texts/eyes.h>

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

// C for each eye, in the texts both front ends show.
std::string eyes(const prism::Eyes& e)
{
    const texts::EyesTexts t = texts::eyes_texts(e);
    const auto reading = [](const texts::EyesTexts::Reading& r) {
        return json::object({{"parts", json::string(r.parts)},
            {"split", json::array({json::string(r.split[0]), json::string(r.split[1])})}});
    };
    return json::object({{"needed", json::boolean(t.needed)}, {"none", json::string(t.none)},
        {"asRight", reading(t.asRight)}, {"asLeft", reading(t.asLeft)},
        {"copyRight", json::string(t.copyRight)}, {"copyLeft", json::string(t.copyLeft)}});
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

char* prism_compute(const char* value)
{
    Named in(value);
    const std::string aPower = in.text("aPower"), aBase = in.text("aBase"), bPower = in.text("bPower"),
                      bBase = in.text("bBase");
    if (!in.done())
        return handed(in.errorValue());
    return handed(shown(prism::compute(record(), aPower, aBase, bPower, bBase), record()));
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
