// SPDX-License-Identifier: MIT
// The lens tool's texts, finished: the words around each eye's entries,
// each eye's two results and its copy, the lines of where the wearer reads
// and their copy, those of the check of a finished pair and their copy, and
// the message of a refused entry, naming it.
#pragma once

#include <prism/lens.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace texts {

// One eye's captions: its name, each entry's accessible name and each
// way's (by field; empty where an entry has no way), its buttons'.
struct LensEyeCaptions {
    std::string eye;                                         // 右眼
    std::array<std::string, prism::LensFieldCount> names;    // 右眼 S …
    std::array<std::string, prism::LensFieldCount> choices;  // 右眼 水平偏心の向き …
    std::string intoB, copy;
};

LensEyeCaptions lens_captions(prism::Eye eye);

// One eye's results in an order's words.
struct LensEyeTexts {
    std::string prism;   // the prism from the decentration, "1.58△ BO、0.47△ BD（1.64△ Base 196°）"
    std::string offset;  // the decentration for the prism wanted, "3.0 mm 内方、0.6 mm 上方", or why not
    std::string copy;    // both, a line each, headed by the eye and the group
    // The prism as prism B's entries take it; empty where the eye has none.
    std::string bPower, bDirection;
};

// A part of the tool that answers in lines, and what its copy takes
// (empty: nothing to copy). Where the wearer reads: each eye's prism there,
// the imbalances and the suggestion; its copy the lines a lab order takes
// (the imbalances and the suggestion), joined. The check of a finished pair:
// each eye's error and its shift, the pair's vertical and horizontal checks
// and their verdicts; its copy all of them, as a lab's complaint or a remake
// order takes them.
struct Lines {
    std::vector<std::string> lines;
    std::string copy;
};

struct LensToolTexts {
    std::array<std::optional<LensEyeTexts>, 2> eyes;  // right, left: none where nothing shows
    std::optional<Lines> near;                        // none where an entry is refused
    std::optional<Lines> check;                       // none until a reading is entered
    std::string refusal;                              // the first refused entry's message; empty where none
};

LensToolTexts lens_texts(const prism::LensToolShown& shown);

}  // namespace texts
