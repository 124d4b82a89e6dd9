// SPDX-License-Identifier: MIT
#include "bindings.h"

#include <form/form.h>
#include <prism/prism.h>

#include <array>
#include <string>

namespace {

// The outcomes' values are the module's interface: the page reads them
// from prism_outcomes().
static_assert(static_cast<int>(prism::Outcome::Composed) == 0
    && static_cast<int>(prism::Outcome::RejectA) == 1 && static_cast<int>(prism::Outcome::RejectB) == 2);

// What one page holds for its whole life, as the window holds it: the record
// of calculation variables and what the last composition showed.
struct Page {
    prism::CompositionState state;
    prism::Shown shown;
    std::array<std::string, 3> powers;
    std::string eyes;
    std::string form;
};

std::string eyesJson(const prism::Eyes& e)
{
    using form::json_string;
    const auto share = [](const prism::Share& s) {
        return "{\"prism\":" + json_string(s.prism) + ",\"parts\":" + json_string(s.parts) + "}";
    };
    const auto reading = [&](const prism::Reading& r) {
        return "{\"parts\":" + json_string(r.parts) + ",\"right\":" + share(r.right)
            + ",\"left\":" + share(r.left) + "}";
    };
    return std::string("{\"needed\":") + (e.needed ? "true" : "false") + ",\"asRight\":" + reading(e.asRight)
        + ",\"asLeft\":" + reading(e.asLeft) + "}";
}

Page& page()
{
    static Page p;
    return p;
}

}  // namespace

extern "C" {

int prism_compute(const char* aPower, const char* aBase, const char* bPower, const char* bBase)
{
    Page& p = page();
    prism::Shown shown = prism::compute(p.state, aPower, aBase, bPower, bBase);
    if (shown.outcome != prism::Outcome::Composed)
        return static_cast<int>(shown.outcome);
    p.shown = std::move(shown);
    p.powers = {p.state.AP, p.state.BP, prism::format_number(p.state.CP, 1)};
    p.eyes = eyesJson(p.shown.eyes);
    return static_cast<int>(prism::Outcome::Composed);
}

const char* prism_result_text()
{
    return page().shown.result.c_str();
}

const char* prism_eyes_json()
{
    return page().eyes.c_str();
}

const char* prism_diagram_text()
{
    return page().shown.words.c_str();
}

int prism_has_scale()
{
    return page().shown.scaled ? 1 : 0;
}

float prism_origin_x()
{
    return prism::DiagramOrigin.x;
}

float prism_origin_y()
{
    return prism::DiagramOrigin.y;
}

float prism_end_x(int vector)
{
    return vector >= 0 && vector < 3 ? page().shown.ends[static_cast<size_t>(vector)].x : 0;
}

float prism_end_y(int vector)
{
    return vector >= 0 && vector < 3 ? page().shown.ends[static_cast<size_t>(vector)].y : 0;
}

const char* prism_outcomes()
{
    return "{\"Composed\":0,\"RejectA\":1,\"RejectB\":2}";
}

const char* prism_form_json()
{
    std::string& json = page().form;
    if (json.empty())
        json = form::json();
    return json.c_str();
}

const char* prism_power_text(int which)
{
    return which >= 0 && which < 3 ? page().powers[static_cast<size_t>(which)].c_str() : "";
}

float prism_scale()
{
    return page().state.MAG;
}
}
