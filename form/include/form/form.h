// SPDX-License-Identifier: MIT
// The form described once: every control of the window with its place (in
// twips), caption, colours, font, alignment, visibility and tab position;
// the titles; the two rejection messages; the diagram's lines. Both front
// ends build from it: the desktop window (Qt) and the web page (through the
// WebAssembly module, as JSON). No user interface lives here.
//
// Texts are UTF-8. Rectangles are left, top, width, height in twips (1/1440
// inch) from the client area's top-left.
#pragma once

#include <form/json.h>

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace form {

// Twips to a pixel at 96 dots per inch: the desktop's pixel, the page's CSS
// pixel (1440 twips to the inch, 96 pixels to the inch).
inline constexpr int TwipsPerPixel = 15;

struct Rgb {
    unsigned char r, g, b;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Rect {
    int left, top, width, height;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A font as the layout names it. An empty family is the window's default
// font (windowFont below).
struct Font {
    std::string_view family{};
    double points = 0;
    bool bold = false;
    bool italic = false;
};

enum class Kind { TextBox, CommandButton, Label };
enum class Align { Left, Right, Centre };

// What the program does with a control beyond drawing it as described. The
// builders of both front ends decide how to treat a control by its role,
// not by its name (the names are the controls' vocabulary and their ids,
// not their meaning).
enum class Role {
    None,        // drawn as described, nothing more
    Title,       // the program's title
    APower,      // the four entries, in the order a compute reads them
    ADirection,  //
    BPower,      //
    BDirection,  //
    Compute,     // the four buttons, each bound to its action
    Reset,       //
    End,         //
    Print,       //
    Result,      // the result line: one line, drawn smaller where it is too long
    LetterA,     // the legend's letters, shown and hidden with the diagram
    LetterB,     //
    LetterC,     //
};

struct Control {
    std::string_view name{};  // Text1, Command4, Label3 ...
    int index = -1;           // member of a control array (Label3), or -1
    Kind kind = Kind::Label;
    Role role = Role::None;
    Rect rect{};
    std::string_view caption{};
    Font font{};
    std::optional<Rgb> text{};                 // none: the platform's text colour
    std::optional<Rgb> background{};           // a label's background, a button's fill; none: the platform's
    Align align = Align::Left;                 // labels; entries are left-aligned
    bool visible = true;                       // at start
    int tab = -1;                              // tab position, or -1 (labels)
    std::string_view accessibleName{};         // entries
    std::string_view accessibleDescription{};  // the result line
    // On a screen narrower than the form (a phone held upright) the controls
    // are laid out in one column of lines instead: the line this control is
    // on, counted from the top. Controls on one line keep the form's order
    // and their distances across; a line's leading caption moves above the
    // rest where the line is wider than the screen.
    int row = -1;
};

enum class LineRole { VectorA, VectorB, VectorC, LegendA, LegendB, LegendC };

// A straight line of the diagram, its width in pixels. The legend's lines
// never move; the vectors start at the diagram's origin and end where the
// core's end points say.
struct Line {
    std::string_view name;
    LineRole role;
    Rgb colour;
    int width;
    std::optional<Rect> fixed{};  // legend: from (left, top) to (left + width, top)
};

// The colours the platform gives a form where a control names none, and
// those its standard controls are drawn in: the same on every desktop theme
// and in every browser, so that no system colour or dark theme changes the
// form.
struct Palette {
    Rgb window;        // the dialog grey the form is painted with
    Rgb text;          // captions and entries that name no colour
    Rgb field;         // inside an entry
    Rgb frame;         // the one-pixel frame of an entry and a standard button
    Rgb buttonTop;     // a standard button's face, top row
    Rgb buttonBottom;  // ... and bottom row, shading evenly between
    // The raised edge of a filled button, outside in: top and left light
    // then midlight, bottom and right shadow then dark.
    Rgb light, midlight, dark, shadow;
    // The keyboard focus: a focused control's ring, and the tint laid over
    // a focused filled button, focusLight at its top shading to focus at its
    // bottom, each focusAlpha / 255 opaque.
    Rgb focus, focusLight;
    int focusAlpha;
};

// The print action's messages when nothing was printed: the first line,
// then the cause, then the print service's own words in `detail`'s frame.
// "%1" stands for the printer's name, or for those words.
struct PrintMessages {
    std::string_view failed;        // nothing was printed
    std::string_view noService;     // the print service cannot be reached
    std::string_view noPrinter;     // it knows no default printer
    std::string_view notAccepting;  // the printer (%1) is stopped or refuses jobs
    std::string_view notSent;       // the printer (%1) did not take the job
    std::string_view detail;        // the service's words (%1)
};

// The result for each eye, as a lens order and a trial frame write it: the
// words around the core's readings (prism::Eyes).
struct EyeWords {
    std::string_view heading;     // what the table of the eyes' texts shows
    std::string_view part;        // one part: %1 its size, %2 its letters ("3.0△ BI")
    std::string_view separator;   // between a reading's parts
    std::string_view rightEye;    // 右眼
    std::string_view leftEye;     // 左眼
    std::string_view asRight;     // C read as the right eye's prism
    std::string_view asLeft;      // ... as the left eye's
    std::string_view split;       // C split half and half between the eyes
    std::string_view noPrism;     // where no prism is worth writing
    std::string_view smallParts;  // a C written, but each of its parts written as 0.0
    std::string_view copyResult;  // the result line's menu: copy the result line,
    std::string_view copyRight;   // the right eye's parts,
    std::string_view copyLeft;    // the left eye's parts
    std::string_view copied;      // the page's word once a copy is on the clipboard
};

// The lens tool: the prism a lens gives the eye at a decentration of its
// optical centre, and the decentration that gives a prism, for each eye.
// Its entries for one eye, in the core's order of the lens fields
// (prism::LensField), each in its group: the lens, the centre's offset from
// the pupil, the prism wanted, the prism read at a finished lens's prism
// reference point.
enum class LensGroup { Lens, Decentration, Prism, Reading };

struct LensEntryWords {
    LensGroup group;
    std::string_view key;     // its key in the values the page hands the module ("sphere", "centreX")
    std::string_view label;   // beside the entry ("S", "水平")
    std::string_view name;    // its accessible name after the eye's ("右眼 S")
    std::string_view choice;  // a size's way, its accessible name after the eye's; empty: none
};

struct LensWords {
    std::string_view title;                  // the tool's window and its section's heading
    std::string_view open;                   // the result line's menu item that opens it
    Font font;                               // its texts and entries
    std::array<std::string_view, 4> groups;  // a heading for each LensGroup
    std::array<LensEntryWords, 9> entries;
    // The ways, in the order in, out, up, down: of an offset, of a prism's
    // base in a result, and as the prism's choices are labelled.
    std::array<std::string_view, 4> offsetWays;
    std::array<std::string_view, 4> prismWays;
    std::array<std::string_view, 4> prismChoices;
    std::string_view offsetPart;  // one part of an offset: %1 its size (mm), %2 its way
    std::string_view compute;     // the button that computes both eyes
    std::string_view noPrism;     // a prism each of whose parts is written 0.00
    std::string_view noOffset;    // an offset each of whose parts is written 0.0
    std::string_view blocked;     // %1: the meridian (degrees) of no power a wanted part lies along
    std::string_view tooFar;      // %1: the offset it would need
    // The messages of a refused entry, %1 its accessible name: a sphere or a
    // cylinder, an axis, an axis a cylinder needs, a size.
    std::string_view powerTakes, axisTakes, axisNeeded, sizeTakes;
    // Filling the prisms wanted from the composer's C: the heading, and C as
    // the right eye's, split, as the left eye's, split.
    std::string_view fillHeading;
    std::array<std::string_view, 4> fills;
    std::array<std::string_view, 2> intoB;  // each eye's prism put into prism B's entries (right, left)
    std::array<std::string_view, 2> copy;   // each eye's results copied
    // Where the wearer reads: the heading; the reading point's depth below
    // the pupil and its inset toward the nose (mm), each a label beside its
    // entry and an accessible name, the depth's text at the start.
    std::string_view nearHeading;
    std::string_view depthLabel, depthName, depthAtStart;
    std::string_view insetLabel, insetName;
    std::string_view insetTakes;     // the message of a refused inset (%1 its name)
    std::string_view needsBoth;      // where an eye has no lens
    std::string_view nearPrism;      // %1 the eye, %2 its prism at its reading point
    std::string_view nearImbalance;  // %1 the size (△) at near,
    std::string_view farImbalance;   // ... at distance,
    std::string_view moreDown;       // and after either, %1 the eye more base down
    std::string_view slabOff;        // %1 the size, %2 the lens for a slab-off, %3 for a reverse slab
    std::string_view adapt;          // from 1.00 to under 1.50
    std::string_view steps;          // with any suggestion: the lab's steps, the size the optician's
    std::string_view copyNear;       // its copy
    // The check of a finished pair: its heading, what it is for (and not),
    // where its order comes from; each eye's error (%1 the eye, %2 the
    // error's parts, %3 its shift) or none (%1 the eye); the shift (%1 its
    // parts), or why it cannot be told (%1 the meridian), or that it is
    // over 30 mm (%1 its parts), or under 0.05 mm; a prism's size (%1);
    // the pair's two lines (%1 the figure, %2 its limit, %3 the verdict),
    // the heights' and the PD's differences (%1 mm, %2 wider or narrower),
    // each limit (%1 △; %1 D, %2 mm), the prism limit where a shift cannot
    // be told (%1 △), the verdicts; where an eye has no lens; its copy.
    std::string_view checkHeading, checkScope, checkOrdered;
    std::string_view checkEye, checkNone;
    std::string_view checkShift, checkBlocked, checkTooFar, checkShiftTiny;
    std::string_view prismSize;
    std::string_view checkVertical, checkHorizontal;
    std::string_view checkHeights, checkPd, checkWider, checkNarrower;
    std::string_view checkPrismLimit, checkVerticalShiftLimit, checkHorizontalShiftLimit, checkShiftUnknown;
    std::string_view checkPasses, checkFails;
    std::string_view checkNeedsBoth;
    std::string_view copyCheck;
};

struct Description {
    std::string_view windowTitle;       // "Form1"
    std::string_view programTitle;      // the title messages carry
    int width, height;                  // client area, twips
    Font windowFont;                    // for controls that name no font
    Palette palette;                    // for controls that name no colour
    std::span<const Control> controls;  // creation order: labels first, then entries and buttons in tab order
    std::span<const Line> lines;
    // On a phone's column: the part of the form the diagram and its legend
    // take, shown across the column's width on the line `diagramRow`.
    Rect diagramArea;
    int diagramRow;
    // A text wider than its entry or its line is drawn in a smaller size of
    // its font, the largest that fits on the front end's own step of sizes
    // (while the next step up does not), never below this share of its own
    // size; where even that is too wide, its beginning shows.
    double smallestTextScale;
    std::string_view messageA;     // prism A refused
    std::string_view messageB;     // prism B refused
    std::string_view endedNotice;  // the page in a browser tab after END
    // The page's own texts: where the browser lacks what the page needs,
    // what it needs (the versions are the support table's); the result line
    // while a compute waits for the calculator's core; the message when the
    // core cannot be loaded.
    std::string_view unavailableNotice;
    std::string_view waitingText;
    std::string_view coreFailedMessage;
    PrintMessages print;
    EyeWords eyes;
    LensWords lens;
};

// Where a named face is not installed, the faces that stand in for it, in
// order: free faces with its metrics or its look.
struct Substitution {
    std::string_view named;
    std::span<const std::string_view> standIns;
};

const Description& description();
// Its words for each eye and the lens tool's, on their own: what the
// calculator's texts need, without the rest of the form.
const EyeWords& eye_words();
const LensWords& lens_words();
std::span<const Substitution> substitutions();

// The control called `name` (with `index` for a control array), or nullptr.
const Control* find(std::string_view name, int index = -1);

// A role as the page reads it ("power A", "result", "vector C" ...).
std::string_view name(Role role);
std::string_view name(LineRole role);

// The whole description as one JSON object, for the web page, with each
// control's element id and the twips to a pixel; `more` adds fields the
// description does not hold (the WebAssembly module adds the core's).
std::string description_json(std::initializer_list<json::Field> more = {});

}  // namespace form
