// SPDX-License-Identifier: MIT
#include "bindings.h"

#include <form/form.h>
#include <prism/prism.h>

#include <array>
#include <string>

namespace {

// What one page holds for its whole life, as the window holds it: the record
// of calculation variables and what the last composition showed.
struct Page {
    prism::CompositionState state;
    std::string result;
    std::string diagram;  // the diagram in words, when it is drawn
    bool scaled = false;
    std::array<prism::TwipPoint, 3> ends{};
    std::array<std::string, 3> powers;
    std::string form;
};

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
    // The same steps as the window's compute action.
    p.state.AP = aPower;
    p.state.ABase = aBase;
    p.state.BP = bPower;
    p.state.BBase = bBase;
    const prism::Outcome outcome = prism::evaluate(p.state);
    if (outcome != prism::Outcome::Composed)
        return static_cast<int>(outcome);
    p.result = prism::result_text(p.state);
    p.scaled = prism::round_and_scale(p.state);
    p.diagram = p.scaled ? prism::diagram_text(p.state) : std::string();
    if (p.scaled) {
        p.ends = {prism::end_point(p.state.AXs, p.state.AYs), prism::end_point(p.state.BXs, p.state.BYs),
            prism::end_point(p.state.CXs, p.state.CYs)};
    }
    p.powers = {p.state.AP, p.state.BP, prism::format_number(p.state.CP, 1)};
    return static_cast<int>(outcome);
}

const char* prism_result_text()
{
    return page().result.c_str();
}

const char* prism_diagram_text()
{
    return page().diagram.c_str();
}

int prism_has_scale()
{
    return page().scaled ? 1 : 0;
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
    return vector >= 0 && vector < 3 ? page().ends[static_cast<size_t>(vector)].x : 0;
}

float prism_end_y(int vector)
{
    return vector >= 0 && vector < 3 ? page().ends[static_cast<size_t>(vector)].y : 0;
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
