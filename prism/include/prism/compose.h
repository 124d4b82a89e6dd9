// SPDX-License-Identifier: MIT
// The composer: two ophthalmic prisms composed into one (C = A + B), the
// scale of the vector diagram, and C read as each eye's prism.
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

}  // namespace prism
