// SPDX-License-Identifier: MIT
#include <prism/lens.h>
#include <prism/numbers.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <variant>

namespace prism {

namespace {

// A part of a prism along a principal meridian under this counts as none.
constexpr double NegligiblePrism = 0.005;
// The largest decentration a lens is cut with, either way (mm).
constexpr double FurthestOffset = 30;

double radians(double degrees)
{
    return degrees * std::numbers::pi / 180;
}

double dot(Vector a, Vector b)
{
    return a.x * b.x + a.y * b.y;
}

// The axis direction a and the direction across it m.
Vector axisDirection(const Lens& l)
{
    return {std::cos(radians(l.axis)), std::sin(radians(l.axis))};
}

Vector acrossAxis(const Lens& l)
{
    return {std::sin(radians(l.axis)), -std::cos(radians(l.axis))};
}

// F⁻¹·P in cm, or the meridian (degrees, 0-180) of no power that a part of
// P lies along.
struct Inverse {
    Vector d;
    std::optional<int> blocked;
};

Inverse inverse(const Lens& lens, Vector p)
{
    const Vector a = axisDirection(lens), m = acrossAxis(lens);
    Inverse out;
    const auto along = [&](Vector dir, double power, double meridian) {
        const double part = dot(p, dir);
        if (std::fabs(part) < NegligiblePrism)
            return;
        if (power == 0 || !std::isfinite(part / power)) {
            if (!out.blocked)
                out.blocked = int(std::fmod(std::round(meridian), 180));
            return;
        }
        out.d.x += part / power * dir.x;
        out.d.y += part / power * dir.y;
    };
    along(a, lens.sphere, lens.axis);
    along(m, lens.sphere + lens.cylinder, lens.axis + 90);
    return out;
}

// A vector as that eye's parts: x > 0 is in for the right eye and out for
// the left, y > 0 up; a part whose size is written as zero is left out.
WayParts wayParts(Vector v, Eye eye, int decimals)
{
    const auto part = [decimals](double size, Way way) -> std::optional<WayPart> {
        std::string written = format_number(std::fabs(size), decimals);
        if (written.find_first_not_of("0.") == std::string::npos)
            return std::nullopt;
        return WayPart{std::move(written), way};
    };
    const bool in = (v.x > 0) == (eye == Eye::Right);
    return {part(v.x, in ? Way::In : Way::Out), part(v.y, v.y > 0 ? Way::Up : Way::Down)};
}

// A size and its way as a vector's part for that eye.
double signedPart(double size, bool inOrUp, Eye eye, bool horizontal)
{
    const bool positive = horizontal ? inOrUp == (eye == Eye::Right) : inOrUp;
    return positive ? size : -size;
}

// The direction of a vector in degrees, 0 up to (not including) 360.
double direction(Vector v)
{
    const double d = std::atan2(v.y, v.x) * 180 / std::numbers::pi;
    return d < 0 ? d + 360 : d;
}

// An entry's number, "−" (U+2212) taken as a minus where `signed`; empty is 0.
std::optional<double> entry(std::string_view text, bool isSigned, double low, double high)
{
    if (text.empty())
        return 0.0;
    std::string folded(text);
    for (size_t at; isSigned && (at = folded.find("\u2212")) != std::string::npos;)
        folded.replace(at, 3, "-");
    const std::optional<double> v = to_number(folded);
    if (!v || *v < low || *v > high)
        return std::nullopt;
    return v;
}

}  // namespace

Vector prism_from_decentration(const Lens& lens, Vector centre_mm)
{
    const double s = std::sin(radians(lens.axis)), c = std::cos(radians(lens.axis));
    const double f11 = lens.sphere + lens.cylinder * s * s;
    const double f12 = -lens.cylinder * s * c;
    const double f22 = lens.sphere + lens.cylinder * c * c;
    const Vector d{centre_mm.x / 10, centre_mm.y / 10};
    return {f11 * d.x + f12 * d.y, f12 * d.x + f22 * d.y};
}

std::optional<Vector> decentration_for_prism(const Lens& lens, Vector prism)
{
    const Inverse i = inverse(lens, prism);
    if (i.blocked)
        return std::nullopt;
    return Vector{i.d.x * 10, i.d.y * 10};
}

LensReading read_lens(Eye eye, const LensEntries& e)
{
    const auto text = [&](LensField f) { return e.texts[size_t(f)]; };
    if (text(LensField::Sphere).empty() && text(LensField::Cylinder).empty() && text(LensField::Axis).empty())
        return std::monostate{};
    const auto sphere = entry(text(LensField::Sphere), true, -30, 30);
    if (!sphere)
        return LensRefusal{LensField::Sphere};
    const auto cylinder = entry(text(LensField::Cylinder), true, -30, 30);
    if (!cylinder)
        return LensRefusal{LensField::Cylinder};
    LensRead read{{*sphere, *cylinder, 0}, {}, {}};
    if (*cylinder != 0) {
        if (text(LensField::Axis).empty())
            return LensRefusal{LensField::Axis, true};
        const auto axis = entry(text(LensField::Axis), false, 0, 180);
        if (!axis)
            return LensRefusal{LensField::Axis};
        read.lens.axis = *axis;
    }
    double sizes[4];
    for (int i = 0; i < 4; ++i) {
        const LensField field = LensField(int(LensField::CentreX) + i);
        const auto size = entry(text(field), false, 0, FurthestOffset);
        if (!size)
            return LensRefusal{field};
        sizes[i] = *size;
    }
    read.centre = {signedPart(sizes[0], e.centreIn, eye, true), signedPart(sizes[1], e.centreUp, eye, false)};
    read.wanted = {signedPart(sizes[2], e.baseIn, eye, true), signedPart(sizes[3], e.baseUp, eye, false)};
    return read;
}

LensShown lens_compute(Eye eye, const LensRead& read)
{
    LensShown shown;
    const Vector p = prism_from_decentration(read.lens, read.centre);
    shown.prism = wayParts(p, eye, 2);
    if (shown.prism[0] || shown.prism[1]) {
        const std::string power = format_number(std::hypot(p.x, p.y), 2);
        shown.prismForm = power + "\u25B3 Base " + format_number(direction(p), 0) + "\u00B0";
        shown.bPower = power;
        // B takes 0.0-359.9: 0° and 360° are one direction.
        shown.bDirection = format_number(direction(p), 1);
        if (shown.bDirection == "360.0")
            shown.bDirection = "0.0";
    }

    const Inverse i = inverse(read.lens, read.wanted);
    if (i.blocked) {
        shown.blocked = i.blocked;
        return shown;
    }
    const Vector mm{i.d.x * 10, i.d.y * 10};
    shown.offset = wayParts(mm, eye, 1);
    for (const std::optional<WayPart>& part : shown.offset)
        if (part && to_number(part->size).value_or(0) > FurthestOffset)
            shown.tooFar = true;
    return shown;
}

Vector prism_at_point(const Lens& lens, Vector point_mm)
{
    const Vector p = prism_from_decentration(lens, point_mm);
    return {-p.x, -p.y};
}

NearShown near_compute(const std::optional<LensRead>& right, const std::optional<LensRead>& left,
    std::string_view depth, std::string_view inset)
{
    NearShown shown;
    const auto depthMm = entry(depth, false, 0, FurthestOffset);
    if (!depthMm) {
        shown.refused = NearField::Depth;
        return shown;
    }
    const auto insetMm = entry(inset, false, 0, 10);
    if (!insetMm) {
        shown.refused = NearField::Inset;
        return shown;
    }
    shown.bothLenses = right && left;
    if (!shown.bothLenses)
        return shown;
    const LensRead* eyes[2] = {&*right, &*left};

    // The vertical difference of two prisms (right less left), written, and
    // the eye more base down.
    const auto imbalance = [](double rightY, double leftY) {
        const double d = rightY - leftY;
        NearShown::Imbalance i{format_number(std::fabs(d), 2), std::nullopt};
        if (i.size.find_first_not_of("0.") != std::string::npos)
            i.moreDown = d < 0 ? Eye::Right : Eye::Left;
        return i;
    };
    Vector atNear[2], change[2];
    bool decentred = false;
    for (int i = 0; i < 2; ++i) {
        const Eye eye = i == 0 ? Eye::Right : Eye::Left;
        const Vector r{eye == Eye::Right ? *insetMm : -*insetMm, -*depthMm};
        const Vector d = eyes[i]->centre;
        atNear[i] = prism_at_point(eyes[i]->lens, {r.x - d.x, r.y - d.y});
        change[i] = prism_at_point(eyes[i]->lens, r);
        shown.prisms[size_t(i)] = wayParts(atNear[i], eye, 2);
        decentred = decentred || d.x != 0 || d.y != 0;
    }
    shown.near = imbalance(atNear[0].y, atNear[1].y);
    if (decentred) {
        const Vector far[2] = {prism_from_decentration(right->lens, right->centre),
            prism_from_decentration(left->lens, left->centre)};
        shown.distance = imbalance(far[0].y, far[1].y);
    }
    // A slab-off corrects only the change from distance to near.
    const NearShown::Imbalance correction = imbalance(change[0].y, change[1].y);
    shown.correction = correction.size;
    const double size = to_number(correction.size).value_or(0);
    if (size >= 1) {
        shown.slabOff = correction.moreDown;
        shown.rarelyMade = size < 1.5;
    }
    return shown;
}

LensToolShown lens_tool(const LensToolEntries& entries)
{
    LensToolShown shown;
    std::array<std::optional<LensRead>, 2> read;
    for (size_t i = 0; i < 2; ++i) {
        const Eye eye = i == 0 ? Eye::Right : Eye::Left;
        const LensReading reading = read_lens(eye, entries.eyes[i]);
        if (const auto* refusal = std::get_if<LensRefusal>(&reading)) {
            if (!shown.refused)
                shown.refused = LensToolRefusal{eye, *refusal};
        } else if (const auto* r = std::get_if<LensRead>(&reading)) {
            read[i] = *r;
            shown.eyes[i] = lens_compute(eye, *r);
        }
    }
    // The imbalance belongs to both lenses: none beside an eye's refused entry.
    if (shown.refused)
        return shown;
    shown.near = near_compute(read[0], read[1], entries.depth, entries.inset);
    if (shown.near->refused)
        shown.refused = LensToolRefusal{std::nullopt, {}, *shown.near->refused};
    return shown;
}

std::array<Wanted, 2> wanted_from(double cx, double cy, Fill fill)
{
    const auto as = [](double x, double y, Eye eye) {
        return Wanted{format_number(std::fabs(x), 2), format_number(std::fabs(y), 2),
            (x > 0) == (eye == Eye::Right), y > 0};
    };
    switch (fill) {
    case Fill::AsRight:
        return {as(cx, cy, Eye::Right), Wanted{}};
    case Fill::SplitAsRight:
        return {as(cx / 2, cy / 2, Eye::Right), as(-cx / 2, -cy / 2, Eye::Left)};
    case Fill::AsLeft:
        return {Wanted{}, as(cx, cy, Eye::Left)};
    case Fill::SplitAsLeft:
        break;
    }
    return {as(-cx / 2, -cy / 2, Eye::Right), as(cx / 2, cy / 2, Eye::Left)};
}

}  // namespace prism
