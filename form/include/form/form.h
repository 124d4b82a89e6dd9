// SPDX-License-Identifier: MIT
// The form described once: every control of the window with its place (in
// twips), caption, colours, font, alignment, visibility and tab position;
// the titles; the two rejection messages; the diagram's lines. Both front
// ends build from it: the desktop window (Qt) and the web page (through the
// WebAssembly module, as JSON). No user interface lives here.
//
// Texts are UTF-8. Rectangles are left, top, width, height in twips (1/1440
// inch, 15 to a pixel at 96 dots per inch) from the client area's top-left.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace form {

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
    std::string_view family;
    double points;
    bool bold;
    bool italic;
};

enum class Kind { TextBox, CommandButton, Label };
enum class Align { Left, Right, Centre };

struct Control {
    Kind kind;
    std::string_view name;  // Text1, Command4, Label3 ...
    int index;              // member of a control array (Label3), or -1
    std::string_view caption;
    Rect rect;
    std::optional<Rgb> text;        // none: the platform's text colour
    std::optional<Rgb> background;  // a label's background, a button's fill; none: the platform's
    Font font;
    Align align;                             // labels; entries are left-aligned
    bool visible;                            // at start
    int tab;                                 // tab position, or -1 (labels)
    std::string_view accessibleName;         // entries
    std::string_view accessibleDescription;  // the result line
};

// A straight line of the diagram, its width in pixels. The legend's lines
// never move; the vectors start at the diagram's origin and end where the
// core's end points say.
struct Line {
    std::string_view name;
    std::string_view role;
    Rgb colour;
    int width;
    std::optional<Rect> fixed;  // legend: from (left, top) to (left + width, top)
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

struct Description {
    std::string_view windowTitle;       // "Form1"
    std::string_view programTitle;      // the title messages carry
    int width, height;                  // client area, twips
    Font windowFont;                    // for controls that name no font
    Palette palette;                    // for controls that name no colour
    std::span<const Control> controls;  // creation order: labels first, then entries and buttons in tab order
    std::span<const Line> lines;
    std::string_view messageA;     // prism A refused
    std::string_view messageB;     // prism B refused
    std::string_view endedNotice;  // the page in a browser tab after END
    // The page's own text, shown when it cannot start: what it needs.
    std::string_view unavailableNotice;
};

// Where a named face is not installed, the faces that stand in for it, in
// order: free faces with its metrics or its look.
struct Substitution {
    std::string_view named;
    std::span<const std::string_view> standIns;
};

const Description& description();
std::span<const Substitution> substitutions();

// The control called `name` (with `index` for a control array), or nullptr.
const Control* find(std::string_view name, int index = -1);

// The whole description as one JSON object, for the web page.
std::string json();

// A text as a JSON string, quotes included (UTF-8 passes through).
std::string json_string(std::string_view text);

}  // namespace form
