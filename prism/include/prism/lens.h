// SPDX-License-Identifier: MIT
// The lens tool: the prism a lens makes. Prentice's rule for a thin
// sphero-cylindrical lens at the spectacle plane, with pi itself (the
// composer keeps its 3.1416): the prism at the pupil when the optical
// centre is off it, the decentration that gives a prism wanted, the
// imbalance where the wearer reads, the check of a finished pair against
// its order, and the prisms wanted filled from the composer's C.
//
// Every vector is in the composer's 360° frame seen facing the wearer: x
// toward 0° (the observer's right), y toward 90° (up); for the right eye +x
// points to the nose, for the left eye to the temple.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace prism {

// Sphere and cylinder in dioptres, the cylinder's axis in degrees (0-180 in
// the same frame, as a prescription writes it). Its power along the axis is
// S, across it S + C; written with the other cylinder sign (S + C, -C, axis
// +- 90) it is the same lens.
struct Lens {
    double sphere = 0;
    double cylinder = 0;
    double axis = 0;
};

struct Vector {
    double x = 0;
    double y = 0;
};

// The prism (△, a base-direction vector) at the pupil, the lens's optical
// centre `centre_mm` from it: F·d, d in cm.
Vector prism_from_decentration(const Lens& lens, Vector centre_mm);

// The optical centre's offset from the pupil (mm) that gives `prism`:
// F⁻¹·P, along the axis and across it. A part of P under 0.005△ along a
// principal meridian counts as none (offset 0 along it); a part of 0.005△ or
// more along a meridian of no power cannot be had by decentration: nothing.
std::optional<Vector> decentration_for_prism(const Lens& lens, Vector prism);

// The prism (△, a base-direction vector) the lens gives at a point
// `point_mm` from its optical centre: -F·p, p in cm.
Vector prism_at_point(const Lens& lens, Vector point_mm);

enum class Eye { Right, Left };

// The tool's entries for one eye, in the order a compute reads them: the
// lens (S, C, AX), the optical centre's offset from the pupil (mm, across
// and up or down), the prism wanted (△, across and up or down; the order,
// where a finished pair is checked), the prism read on a lensmeter at the
// finished lens's prism reference point (△, across and up or down). The one
// list of them: the description's words, both front ends and the module
// name each entry by its place here.
enum class LensField { Sphere, Cylinder, Axis, CentreX, CentreY, PrismX, PrismY, ReadX, ReadY };
inline constexpr std::size_t LensFieldCount = 9;

// One eye's entries as typed, by field, and the sizes' ways (true: in, up,
// base in, base up; the reading's base in, base up).
struct LensEntries {
    std::array<std::string_view, LensFieldCount> texts{};
    bool centreIn = true, centreUp = true, baseIn = true, baseUp = true, readIn = true, readUp = true;
};

// One eye's entries read by the tool's rules (numbers of the entries'
// grammar, "−" too for S and C; S and C within ±30, AX 0-180 where C is not
// 0, sizes 0-30; an empty S, C or size is 0): the lens, the centre's offset
// from the pupil (mm), the prism wanted (△) and the prism read (△), as
// vectors in the frame.
struct LensRead {
    Lens lens;
    Vector centre;
    Vector wanted;
    Vector read;
};

// The first entry refused; `needed` where it is empty but needed (AX with a C).
struct LensRefusal {
    LensField field = LensField::Sphere;
    bool needed = false;
};

// No lens entered (S, C and AX empty: nothing is read), the first entry
// refused, or the entries read.
using LensReading = std::variant<std::monostate, LensRefusal, LensRead>;
LensReading read_lens(Eye eye, const LensEntries& entries);

// Which way a part points, for that eye: in (BI, 内方), out, up, down.
enum class Way { In, Out, Up, Down };

struct WayPart {
    std::string size;  // as written: "1.58" (△, "#0.00"), "2.5" (mm, "#0.0")
    Way way;
};

// The horizontal part, then the vertical; each is missing where its size is
// written as zero.
using WayParts = std::array<std::optional<WayPart>, 2>;

// What the tool shows for one eye's lens.
struct LensShown {
    // The prism at the pupil from the decentration entered (none entered: none).
    WayParts prism;
    std::string
        prismForm;  // in the 360° notation from the unrounded vector ("1.64△ Base 196°"); empty with no parts
    std::string bPower;      // the same as prism B's entries take it: "#0.00",
    std::string bDirection;  // and its direction 0.0-359.9
    // The decentration that gives the prism wanted (none wanted: none).
    WayParts offset;
    std::optional<int> blocked;  // the meridian (degrees) of no power that a wanted part lies along
    bool tooFar = false;         // over 30 mm either way: not to be had; `offset` is what it would need
};

LensShown lens_compute(Eye eye, const LensRead& read);

// Where the wearer reads, through both lenses: the reading point a depth
// below the pupil's distance position and an inset toward the nose (mm),
// each eye's prism there (relative to its optical centre, the point less
// the decentration entered), their vertical imbalance, at distance too
// where a decentration is entered, and the slab-off that would correct the
// change from distance to near.
enum class NearField { Depth, Inset };

struct NearShown {
    std::optional<NearField> refused;  // depth within 0-30, inset within 0-10 (empty: 0)
    bool bothLenses = false;           // both eyes' lenses are entered and read; else nothing more shows
    std::array<WayParts, 2> prisms;    // right, left: each eye's prism at its reading point ("#0.00")
    // A vertical imbalance, written "#0.00", and the eye whose prism is more
    // base down (none where it is written 0.00).
    struct Imbalance {
        std::string size;
        std::optional<Eye> moreDown;
    };
    Imbalance near;
    std::optional<Imbalance> distance;  // where either eye has a decentration
    // The correction: its size (the near imbalance with no decentration,
    // else the change from distance to near); from 1.00 a slab-off, base up,
    // on the lens whose prism changes more toward base down, or a reverse
    // slab, base down, on the other; from 1.00 to under 1.50 most wearers
    // adapt.
    std::string correction;
    std::optional<Eye> slabOff;
    bool rarelyMade = false;
};

// Each eye's lens and decentration as read (none: no lens, or refused).
NearShown near_compute(const std::optional<LensRead>& right, const std::optional<LensRead>& left,
    std::string_view depth, std::string_view inset);

// The check of a finished pair against its order, by the limits of the
// American standard for finished spectacles (ANSI Z80.1): for each eye the
// error, the prism read at its reference point less the prism ordered, and
// the shift that explains it, F⁻¹ of the error (how far the point where the
// lens gives the ordered prism lies from the reference point); for the pair
// its vertical imbalance and its horizontal net prism, each within its
// prism limit, or, where either lens is strong in that meridian and the
// prism is over, within its millimetre limit. A figure is compared as it is
// written ("#0.00" △, "#0.0" mm); a meridian's power rounded to three
// decimals, so that a lens written in either cylinder sign decides alike.
struct CheckLimits {
    double verticalPrism = 0.33, horizontalPrism = 0.67;   // △
    double verticalPower = 3.375, horizontalPower = 2.75;  // D: beyond, a lens is strong there
    double verticalShift = 1.0, horizontalShift = 2.5;     // mm: the heights' difference, the PD's
};
inline constexpr CheckLimits Z80 = {};

struct EyeCheck {
    WayParts error;              // "#0.00" △; neither part written: no error
    WayParts shift;              // "#0.0" mm, where it can be told
    std::optional<int> blocked;  // the meridian (degrees) of no power a part of the error lies along
    bool tooFar = false;         // over 30 mm either way
};

// One of the pair's two checks.
struct PairCheck {
    enum class Limit { Prism, Millimetres, PrismShiftUnknown };
    std::string prism;            // its size, "#0.00" △
    std::optional<Eye> moreDown;  // vertical: the eye more base down (none where written 0.00)
    std::optional<Way> base;      // horizontal: In or Out (none where written 0.00)
    Limit limit = Limit::Prism;   // the prism limit; the millimetre limit for a strong lens, or the
                                  // prism limit where it would be that but a shift cannot be told
    std::string millimetres;      // where the millimetre limit decides: the shifts' difference, "#0.0"
    bool wider = false;           // horizontal: the two points lie wider apart than the PD
    bool passes = false;
};

struct CheckShown {
    std::array<std::optional<EyeCheck>, 2> eyes;  // right, left: none where no lens is entered
    bool bothLenses = false;                      // else the pair is not checked
    PairCheck vertical, horizontal;
};

// Both eyes as read (none: no lens).
CheckShown check_pair(const std::optional<LensRead>& right, const std::optional<LensRead>& left);

// One compute of the whole tool: both eyes' entries and the reading point's.
struct LensToolEntries {
    std::array<LensEntries, 2> eyes;  // right, left
    std::string_view depth, inset;
};

// The first entry refused, in the order the tool reads them (the right
// eye's, the left eye's, the reading point's depth and inset): an eye's
// `entry`, or, where `eye` is none, the reading point's `near`.
struct LensToolRefusal {
    std::optional<Eye> eye;
    LensRefusal entry;
    NearField near = NearField::Depth;
};

struct LensToolShown {
    std::array<std::optional<LensShown>, 2> eyes;  // right, left: none where no lens is entered or refused
    std::optional<NearShown> near;                 // none where an eye's entry is refused
    std::optional<CheckShown> check;  // once a reading is entered in either eye; none where refused
    std::optional<LensToolRefusal> refused;
};

LensToolShown lens_tool(const LensToolEntries& entries);

// The prism wanted, as its entries take it: sizes "#0.00" and their ways.
struct Wanted {
    std::string x, y;  // both empty: the entries emptied
    bool in = true, up = true;
};

// The wanted prisms of both eyes (right, left) filled from C's components as
// each eye's reading of the composer gives them: C as the right eye's, its
// split, C as the left eye's, its split. A fill for one eye empties the
// other's.
enum class Fill { AsRight, SplitAsRight, AsLeft, SplitAsLeft };
std::array<Wanted, 2> wanted_from(double cx, double cy, Fill fill);

}  // namespace prism
