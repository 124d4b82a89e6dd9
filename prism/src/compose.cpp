// SPDX-License-Identifier: MIT
#include <prism/prism.h>

#include <cmath>
#include <limits>
#include <utility>

namespace prism {

namespace {

// An entry text as a number at the moment of use. The callers have validated
// the texts; anything else propagates as NaN rather than as a made-up value.
double number_of(std::string_view text)
{
    return to_number(text).value_or(std::numeric_limits<double>::quiet_NaN());
}

double radians(double degrees)
{
    // Multiply first, then divide: the order is part of the result's last bit.
    return degrees * PI_APPROX / 180;
}

bool all_finite(const CompositionState& s)
{
    return std::isfinite(s.AX) && std::isfinite(s.AY) && std::isfinite(s.BX) && std::isfinite(s.BY)
        && std::isfinite(s.CX) && std::isfinite(s.CY) && std::isfinite(s.CP) && std::isfinite(s.CBase);
}

}  // namespace

void compose(CompositionState& s)
{
    const double ap = number_of(s.AP);
    const double aBase = number_of(s.ABase);
    const double bp = number_of(s.BP);
    const double bBase = number_of(s.BBase);

    s.AX = ap * std::cos(radians(aBase));
    s.AY = static_cast<float>(ap * std::sin(radians(aBase)));
    s.BX = bp * std::cos(radians(bBase));
    s.BY = static_cast<float>(bp * std::sin(radians(bBase)));

    s.CX = s.AX + s.BX;
    s.CY = s.AY + s.BY;  // float + float, stored as float

    const float cy2 = s.CY * s.CY;  // the square of the float component is a float too
    s.CP = std::sqrt(s.CX * s.CX + static_cast<double>(cy2));

    // Quadrant rules, first match wins. CX is compared in double, CY in single
    // precision. The null resultant falls under the first rule: direction 0.
    const auto t = [&s] { return std::atan(std::fabs(static_cast<double>(s.CY) / s.CX)) * 180 / PI_APPROX; };
    if (s.CX >= 0 && s.CY == 0.0f)
        s.CBase = 0;
    else if (s.CX == 0 && s.CY > 0.0f)
        s.CBase = 90;
    else if (s.CX < 0 && s.CY == 0.0f)
        s.CBase = 180;
    else if (s.CX == 0 && s.CY < 0.0f)
        s.CBase = 270;
    else if (s.CX > 0 && s.CY > 0.0f)
        s.CBase = t();
    else if (s.CX < 0 && s.CY > 0.0f)
        s.CBase = 180 - t();
    else if (s.CX < 0 && s.CY < 0.0f)
        s.CBase = t() + 180;
    else if (s.CX > 0 && s.CY < 0.0f)
        s.CBase = 360 - t();
    // else: a component is NaN; CBase keeps its previous value.
}

bool round_and_scale(CompositionState& s)
{
    s.AP = format_number(number_of(s.AP), 1);
    s.BP = format_number(number_of(s.BP), 1);
    // C's one-decimal power is only needed here; CP itself stays a number.
    const std::string cpText = format_number(s.CP, 1);

    // Every comparison reads the numbers back from the one-decimal texts.
    const double a = number_of(s.AP);
    const double b = number_of(s.BP);
    const double c = number_of(cpText);
    double largest;
    if (a - b >= 0 && a - c >= 0)
        largest = a;
    else if (b - a >= 0 && b - c >= 0)
        largest = b;
    else
        largest = c;

    if (!(largest > 0))
        return false;
    const float mag = static_cast<float>(10 / largest);
    if (!(mag > 0.0f))
        return false;  // 10 / L underflows the float: no usable scale either

    s.MAG = mag;
    s.AXs = s.AX * s.MAG;
    s.AYs = s.MAG * s.AY;
    s.BXs = s.BX * s.MAG;
    s.BYs = s.MAG * s.BY;
    s.CXs = s.CX * s.MAG;
    s.CYs = s.CY * s.MAG;
    return true;
}

TwipPoint end_point(double xs, double ys)
{
    // Window y grows downward while the diagram's 90° points up.
    const double x = DiagramOrigin.x + UnitLength * xs;
    const double y = DiagramOrigin.y - UnitLength * ys;
    return {static_cast<float>(x), static_cast<float>(y)};
}

bool prism_acceptable(std::string_view power, std::string_view direction)
{
    const auto p = to_number(power);
    const auto d = to_number(direction);
    return p && d && *p >= 0 && *d >= 0 && *d <= 360;
}

Outcome evaluate(CompositionState& state)
{
    if (!prism_acceptable(state.AP, state.ABase))
        return Outcome::RejectA;
    if (!prism_acceptable(state.BP, state.BBase))
        return Outcome::RejectB;

    CompositionState trial = state;
    compose(trial);
    if (!all_finite(trial)) {
        // Only a huge power can overflow a component; blame the larger one.
        return number_of(state.AP) >= number_of(state.BP) ? Outcome::RejectA : Outcome::RejectB;
    }
    state = std::move(trial);
    return Outcome::Composed;
}

namespace {

// "3.0△ Base 0°": a power's one-decimal text and a direction in whole degrees.
std::string prism_text(std::string_view power, double direction)
{
    return std::string(power) + "\u25B3 Base " + format_number(direction, 0) + "\u00B0";
}

}  // namespace

std::string result_text(const CompositionState& state)
{
    return prism_text(format_number(state.CP, 1), state.CBase);
}

namespace {

// The parts of a prism whose components are (x, y), for an eye: x > 0
// points to 0°, base in for the right eye and out for the left.
Parts parts(double x, double y, Eye eye, int decimals)
{
    const auto part = [decimals](double size, std::string_view letters) -> std::optional<Part> {
        std::string written = format_number(std::fabs(size), decimals);
        if (written.find_first_not_of("0.") == std::string::npos)
            return std::nullopt;
        return Part{std::move(written), letters};
    };
    const bool in = (x > 0) == (eye == Eye::Right);
    return {part(x, in ? "BI" : "BO"), part(y, y > 0 ? "BU" : "BD")};
}

// C measured for `own`: its parts there, and half of it at its own
// direction for that eye, the other half turned by 180° for the other.
Reading reading(const CompositionState& s, Eye own)
{
    const double x = s.CX, y = s.CY;
    const std::string half = format_number(s.CP / 2, 2);
    Share mine{prism_text(half, s.CBase), parts(x / 2, y / 2, own, 2)};
    const Eye other = own == Eye::Right ? Eye::Left : Eye::Right;
    Share theirs{prism_text(half, std::fmod(s.CBase + 180, 360)), parts(-x / 2, -y / 2, other, 2)};
    const bool right = own == Eye::Right;
    return {parts(x, y, own, 1), std::move(right ? mine : theirs), std::move(right ? theirs : mine)};
}

}  // namespace

Eyes eyes(const CompositionState& state)
{
    Eyes e;
    e.needed = format_number(state.CP, 1) != "0.0";
    if (e.needed) {
        e.asRight = reading(state, Eye::Right);
        e.asLeft = reading(state, Eye::Left);
    }
    return e;
}

Shown compute(CompositionState& state, std::string_view aPower, std::string_view aBase,
    std::string_view bPower, std::string_view bBase)
{
    state.AP = aPower;
    state.ABase = aBase;
    state.BP = bPower;
    state.BBase = bBase;
    Shown shown;
    shown.outcome = evaluate(state);
    if (shown.outcome != Outcome::Composed)
        return shown;
    shown.result = result_text(state);
    shown.eyes = eyes(state);
    shown.scaled = round_and_scale(state);
    if (shown.scaled) {
        shown.ends = {end_point(state.AXs, state.AYs), end_point(state.BXs, state.BYs),
            end_point(state.CXs, state.CYs)};
        shown.words = diagram_text(state);
    }
    return shown;
}

std::string diagram_text(const CompositionState& state)
{
    // The entered directions, read as every numeric use reads them; a
    // composed state has numeric ones.
    const double a = to_number(state.ABase).value_or(0);
    const double b = to_number(state.BBase).value_or(0);
    return "A " + prism_text(state.AP, a) + "\u3001B " + prism_text(state.BP, b) + "\u3001C "
        + prism_text(format_number(state.CP, 1), state.CBase);
}

}  // namespace prism
