// SPDX-License-Identifier: MIT
// The numeric core of the prism calculator: composition of two ophthalmic
// prisms, the scale of the vector diagram, and the number texts the window
// reads and writes. No user interface lives here.
//
// Precision is part of the behaviour. Horizontal components and results are
// doubles; vertical components are rounded to 32-bit floats when stored. A
// value carried at another precision can round differently on screen.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace prism {

// The approximation of pi used for every degree/radian conversion, both ways.
// It is slightly larger than pi, which turns every direction a little
// counter-clockwise; the display rounding hides the difference.
inline constexpr double PI_APPROX = 3.1416;

// Twips per diagram unit; the largest rounded power is drawn 10 units long.
inline constexpr double UnitLength = 180;

// A point in window coordinates, in twips: x to the right, y downward.
struct TwipPoint {
    float x;
    float y;
};

// Common start point of the three diagram vectors.
inline constexpr TwipPoint DiagramOrigin{7800.0f, 4200.0f};

// The window's record of calculation variables. Texts are converted to
// numbers at each use (to_number); they are never stored as numbers.
struct CompositionState {
    std::string AP;     // power of A as entered; one-decimal text after round_and_scale
    std::string ABase;  // base direction of A as entered
    double AX = 0;
    float AY = 0;
    std::string BP;     // power of B as entered; one-decimal text after round_and_scale
    std::string BBase;  // base direction of B as entered
    double BX = 0;
    float BY = 0;
    double CP = 0;     // power of C
    double CBase = 0;  // base direction of C, degrees, 0..360
    double CX = 0;
    float CY = 0;
    // The scaled components: each vector's components times MAG, in diagram
    // units (the largest rounded power is 10 units long; end_point turns
    // them into twips). Set by round_and_scale; x in double, y as float.
    double AXs = 0;
    float AYs = 0;
    double BXs = 0;
    float BYs = 0;
    double CXs = 0;
    float CYs = 0;
    float MAG = 0;  // diagram scale: diagram units per prism dioptre
};

// Components of A and B, their sum C, C's power and base direction.
// Reads AP, ABase, BP, BBase; an entry that is not a number propagates as NaN,
// and CBase then keeps its previous value. Performs no checks of its own.
void compose(CompositionState& state);

// Rounds AP, BP (texts) and C's power to one decimal, takes the largest L
// (ties to A, then B), sets MAG = 10 / L and the scaled components.
// Returns false when no scale exists (L is not positive, or 10 / L vanishes
// as a float); MAG and the scaled components are then left as they were.
bool round_and_scale(CompositionState& state);

// Window coordinates of the end of a vector with scaled components (xs, ys).
TwipPoint end_point(double xs, double ys);

// What a compute press decides about the four entries.
enum class Outcome {
    Composed,  // the composition ran and every result is finite
    RejectA,   // prism A's entries are refused
    RejectB,   // prism B's entries are refused
};

// The checks of one prism: both texts present and numeric, power >= 0,
// direction within 0..360 inclusive.
bool prism_acceptable(std::string_view power, std::string_view direction);

// Checks A, then B, then composes. When the composition has no finite result
// (entries so large that a component overflows), the prism with the larger
// power (A when equal) is refused and the state's components keep their
// previous values. The input texts are read from the state, never changed.
Outcome evaluate(CompositionState& state);

// The result line shown to the user, e.g. "5.0△ Base 53°" (UTF-8).
std::string result_text(const CompositionState& state);

// What the diagram shows, in words, for those who cannot see it: the three
// vectors as the result line writes C, e.g.
// "A 3.0△ Base 0°、B 4.0△ Base 90°、C 5.0△ Base 53°" (UTF-8). Reads the
// one-decimal powers, so round_and_scale must have run and found a scale.
std::string diagram_text(const CompositionState& state);

// C in the words a lens order and a trial frame use, for one eye: its
// horizontal part, base in (BI) or out (BO), and its vertical part, base up
// (BU) or down (BD), each as its written size and its two letters. Seen
// facing the wearer, 0° is base in for the right eye and base out for the
// left; 90° is base up for both. The front ends write a part and join the
// parts in the form's words ("3.0△ BI、4.0△ BU").
struct Part {
    std::string size;          // as written: "3.0" for a whole C's part, "1.50" for a half's
    std::string_view letters;  // "BI", "BO", "BU" or "BD"
};

// The horizontal part, then the vertical; each is missing where its size is
// written as zero (too small to write), so that it is left out, and a
// reading with neither is a prism each of whose parts is too small to write.
using Parts = std::array<std::optional<Part>, 2>;

struct Share {
    std::string prism;  // the half in the 360° notation ("2.50△ Base 53°")
    Parts parts;        // the half's parts, to two decimals
};

// C read as the prism of one eye: that eye's parts, and C split half and
// half between the two eyes (the other eye's half turned by 180°), each half
// to two decimals.
struct Reading {
    Parts parts;  // the whole C, as that eye's parts, to one decimal
    Share right;  // the split: the right eye's half
    Share left;   // ... and the left eye's
};

// Both readings, since the program cannot know whose eye C was measured
// for. `needed` is false where the result line's power reads 0.0: no
// prism at all, and every reading empty.
struct Eyes {
    bool needed = false;
    Reading asRight;  // C is the right eye's
    Reading asLeft;   // C is the left eye's
};

// The eyes' readings of a composed state, from C's components, power and
// direction as composed (never from the rounded texts), rounded as the
// result line rounds: whole parts with "#0.0", halves with "#0.00", a
// half's direction in whole degrees from CBase for C's own eye and from
// (CBase + 180) modulo 360 for the other.
Eyes eyes(const CompositionState& state);

// Everything a front end shows after a compute press.
struct Shown {
    Outcome outcome = Outcome::Composed;
    std::string result;               // the result line ("5.0△ Base 53°")
    bool scaled = false;              // a diagram scale exists
    std::array<TwipPoint, 3> ends{};  // where A, B and C end, when scaled
    std::string words;                // the diagram in words, when scaled
    Eyes eyes;                        // the result for each eye
};

// One compute press, the whole road from the entries to what is shown, on
// the window's record: the four entry texts go into AP, ABase, BP, BBase as
// typed; the checks (evaluate); the result line and each eye's; the diagram's scale
// (round_and_scale) and the vectors' end points. A refusal leaves every
// result as it was and says only which prism was refused.
Shown compute(CompositionState& state, std::string_view aPower, std::string_view aBase,
    std::string_view bPower, std::string_view bBase);

// ---------------------------------------------------------------------------
// The prism a lens makes: Prentice's rule for a thin sphero-cylindrical lens
// at the spectacle plane, with pi itself (the composer keeps its 3.1416).
// Every vector is in the composer's 360° frame seen facing the wearer: x
// toward 0° (the observer's right), y toward 90° (up); for the right eye +x
// points to the nose, for the left eye to the temple.

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

enum class Eye { Right, Left };

// The lens tool's entries for one eye, as typed, and its choices.
struct LensEntries {
    std::string_view sphere, cylinder, axis;
    std::string_view centreX, centreY;  // the optical centre's offset from the pupil, mm
    bool centreIn = true, centreUp = true;
    std::string_view prismX, prismY;  // the prism wanted, △
    bool baseIn = true, baseUp = true;
};

// The entries, in the order they are checked.
enum class LensEntry { Sphere, Cylinder, Axis, CentreX, CentreY, PrismX, PrismY };

// Which way a part points, for that eye: in (BI, 内方), out, up, down.
enum class Way { In, Out, Up, Down };

struct WayPart {
    std::string size;  // as written: "1.58" (△, "#0.00"), "2.5" (mm, "#0.0")
    Way way;
};

// The horizontal part, then the vertical; each is missing where its size is
// written as zero.
using WayParts = std::array<std::optional<WayPart>, 2>;

// What the lens tool shows for one eye after a compute.
struct LensShown {
    bool lens = false;                 // a lens is entered (S, C or AX has text); else nothing shows
    std::optional<LensEntry> refused;  // the first entry refused; nothing else shows
    bool needed = false;               // ... refused because it is empty but needed (AX with a C)
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
    // The lens and the centre's offset (mm, in the frame) as read, where shown.
    Lens read;
    Vector centre;
};

// One eye's compute: the checks (a number of the entries' grammar, "−" too
// for S and C; S and C within ±30, AX 0-180 where C is not 0, sizes 0-30;
// an empty S, C or size is 0), then both results.
LensShown lens_compute(Eye eye, const LensEntries& entries);

// The prism (△, a base-direction vector) the lens gives at a point
// `point_mm` from its optical centre: -F·p, p in cm.
Vector prism_at_point(const Lens& lens, Vector point_mm);

// Where the wearer reads, through both lenses: the reading point a depth
// below the pupil's distance position and an inset toward the nose (mm),
// each eye's prism there (relative to its optical centre, the point less
// the decentration entered), their vertical imbalance, at distance too
// where a decentration is entered, and the slab-off that would correct the
// change from distance to near.
struct NearShown {
    enum class Refused { None, Depth, Inset };
    Refused refused = Refused::None;  // depth within 0-30, inset within 0-10 (empty: 0)
    bool bothLenses = false;          // both eyes' lenses are entered and read; else nothing more shows
    std::array<WayParts, 2> prisms;   // right, left: each eye's prism at its reading point ("#0.00")
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

NearShown near_compute(
    const LensShown& right, const LensShown& left, std::string_view depth, std::string_view inset);

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

// The entry-text conversion used at every numeric use of a text field.
// Accepts a plain decimal number with "." as the decimal point, an optional
// leading sign, an optional exponent, surrounding blanks (ASCII white space,
// U+3000), and the same written with full-width digits, "．", "＋", "－",
// "ｅ" as a Japanese input method types them. Everything else is refused:
// empty text, letters, nan, inf, hexadecimal, digit grouping, decimal comma,
// trailing junk, values too large to be finite. Values too small for a double
// become zero.
std::optional<double> to_number(std::string_view text);

// The number patterns "#0", "#0.0" and "#0.00" (decimals = 0, 1, 2): at least
// one integer digit, exactly `decimals` fraction digits, nearest with halves
// away from zero, no grouping, a minus sign only when the rounded value is not
// zero. The half is decided on the value's 15-significant-digit decimal form,
// so the digits a person typed are the digits that get rounded (0.15 -> 0.2).
// Non-finite values give "nan", "inf" or "-inf".
std::string format_number(double value, int decimals);

// A number written exactly: the fewest significant digits that read back as
// the same double, as an integer and a decimal exponent ("779999462890625e-11"
// for a float's end point 7799.99462890625, "888e1", "5e-1", "2"), a JSON
// number. For handing the core's figures on as text without losing a bit,
// and without the C library's formatting. Non-finite values give "nan",
// "inf" or "-inf".
std::string exact_text(double value);

}  // namespace prism
