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

// The lens's power matrix [[f11, f12], [f12, f22]]: f11 its power in the
// horizontal meridian, f22 in the vertical.
struct Powers {
    double f11, f12, f22;
};

Powers powers(const Lens& lens)
{
    const double s = std::sin(radians(lens.axis)), c = std::cos(radians(lens.axis));
    return {lens.sphere + lens.cylinder * s * s, -lens.cylinder * s * c, lens.sphere + lens.cylinder * c * c};
}

}  // namespace

Vector prism_from_decentration(const Lens& lens, Vector centre_mm)
{
    const auto [f11, f12, f22] = powers(lens);
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
    LensRead read{{*sphere, *cylinder, 0}, {}, {}, {}};
    if (*cylinder != 0) {
        if (text(LensField::Axis).empty())
            return LensRefusal{LensField::Axis, true};
        const auto axis = entry(text(LensField::Axis), false, 0, 180);
        if (!axis)
            return LensRefusal{LensField::Axis};
        read.lens.axis = *axis;
    }
    double sizes[6];
    for (int i = 0; i < 6; ++i) {
        const LensField field = LensField(int(LensField::CentreX) + i);
        const auto size = entry(text(field), false, 0, FurthestOffset);
        if (!size)
            return LensRefusal{field};
        sizes[i] = *size;
    }
    read.centre = {signedPart(sizes[0], e.centreIn, eye, true), signedPart(sizes[1], e.centreUp, eye, false)};
    read.wanted = {signedPart(sizes[2], e.baseIn, eye, true), signedPart(sizes[3], e.baseUp, eye, false)};
    read.read = {signedPart(sizes[4], e.readIn, eye, true), signedPart(sizes[5], e.readUp, eye, false)};
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

CheckShown check_pair(const std::optional<LensRead>& right, const std::optional<LensRead>& left)
{
    CheckShown shown;
    const std::optional<LensRead>* eyes[2] = {&right, &left};
    Vector error[2];
    std::optional<Vector> shift[2];  // mm
    for (size_t i = 0; i < 2; ++i) {
        if (!*eyes[i])
            continue;
        const LensRead& r = **eyes[i];
        const Eye eye = i == 0 ? Eye::Right : Eye::Left;
        error[i] = {r.read.x - r.wanted.x, r.read.y - r.wanted.y};
        EyeCheck& c = shown.eyes[i].emplace();
        c.error = wayParts(error[i], eye, 2);
        const Inverse inv = inverse(r.lens, error[i]);
        c.blocked = inv.blocked;
        if (inv.blocked)
            continue;
        shift[i] = Vector{inv.d.x * 10, inv.d.y * 10};
        c.shift = wayParts(*shift[i], eye, 1);
        for (const std::optional<WayPart>& part : c.shift)
            if (part && to_number(part->size).value_or(0) > FurthestOffset)
                c.tooFar = true;
    }
    shown.bothLenses = right && left;
    if (!shown.bothLenses)
        return shown;

    // A figure as written, and as the number it writes.
    const auto written = [](double v, int decimals) {
        std::string text = format_number(std::fabs(v), decimals);
        return std::pair{to_number(text).value_or(0), text};
    };
    // Whether either lens's power in a meridian, to three decimals, is beyond `limit`.
    const auto strong = [&](double Powers::*meridian, double limit) {
        for (const LensRead* r : {&*right, &*left})
            if (written(powers(r->lens).*meridian, 3).first > limit)
                return true;
        return false;
    };
    // The prism limit, or, over it, for a strong lens the millimetre limit
    // on the shifts' difference (part of each shift, unrounded).
    const auto decide = [&](PairCheck& c, double prism, double prismLimit, bool isStrong,
                            double Vector::*part, int sign, double shiftLimit) {
        const auto [size, text] = written(prism, 2);
        c.prism = text;
        if (size <= prismLimit) {
            c.passes = true;
            return;
        }
        if (!isStrong)
            return;
        if (!shift[0] || !shift[1]) {
            c.limit = PairCheck::Limit::PrismShiftUnknown;
            return;
        }
        c.limit = PairCheck::Limit::Millimetres;
        const double difference = sign * ((*shift[0]).*part - (*shift[1]).*part);
        c.wider = difference > 0;
        const auto [mm, mmText] = written(difference, 1);
        c.millimetres = mmText;
        c.passes = mm <= shiftLimit;
    };
    // Vertical: right less left, the eye more base down; the heights' difference.
    const double v = error[0].y - error[1].y;
    decide(shown.vertical, v, Z80.verticalPrism, strong(&Powers::f22, Z80.verticalPower), &Vector::y, 1,
        Z80.verticalShift);
    if (written(v, 2).second.find_first_not_of("0.") != std::string::npos)
        shown.vertical.moreDown = v < 0 ? Eye::Right : Eye::Left;
    // Horizontal: the net prism, positive base in; the points' distance
    // against the PD, positive wider (+x is the right eye's nose and the
    // left eye's temple).
    const double h = error[0].x - error[1].x;
    decide(shown.horizontal, h, Z80.horizontalPrism, strong(&Powers::f11, Z80.horizontalPower), &Vector::x,
        -1, Z80.horizontalShift);
    if (written(h, 2).second.find_first_not_of("0.") != std::string::npos)
        shown.horizontal.base = h > 0 ? Way::In : Way::Out;
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
    // The imbalance and the check belong to both lenses: none beside an
    // eye's refused entry. The check shows once a reading is entered.
    if (shown.refused)
        return shown;
    for (const LensEntries& e : entries.eyes)
        if (!e.texts[size_t(LensField::ReadX)].empty() || !e.texts[size_t(LensField::ReadY)].empty())
            shown.check = check_pair(read[0], read[1]);
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
