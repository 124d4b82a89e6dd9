// SPDX-License-Identifier: MIT
// C for each eye in the words a lens order and a trial frame use, finished:
// the lines the desktop's result line says beside it (its tooltip and its
// accessible description), its copies, and each cell of the page's table.
#pragma once

#include <prism/compose.h>

#include <array>
#include <string>

namespace texts {

struct EyesTexts {
    bool needed = false;  // as prism::Eyes: where not, `none` alone says so
    std::string none;     // the words that say no prism is needed; empty where one is
    // C read as one eye's prism: that eye's parts, a line each (or the
    // words for parts too small to write); and each eye's half of it, the
    // right eye's then the left eye's, its prism then its parts, a line each.
    struct Reading {
        std::string parts;
        std::array<std::string, 2> split;
    };
    Reading asRight, asLeft;
    // Each reading's parts joined ("3.0△ BI、4.0△ BU"); empty where none is
    // written, so that there is nothing to copy.
    std::string copyRight, copyLeft;
};

EyesTexts eyes_texts(const prism::Eyes& eyes);

// The same as one line for each reading and one for each split
// ("Ｃを右眼に：右眼 3.0△ BI、4.0△ BU" …), or the words that say no prism
// is needed: what the desktop's result line says beside it.
std::string eyes_summary(const prism::Eyes& eyes);

}  // namespace texts
