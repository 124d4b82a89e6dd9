// SPDX-License-Identifier: MIT
// The result for each eye in the form's words, as the result line's
// tooltip, its accessible description and its copies take it.
#pragma once

#include <prism/prism.h>

#include <QString>

namespace form {
struct EyeWords;
}

// A reading's parts written and joined ("3.0△ BI、4.0△ BU"), those too
// small to write left out; empty where both are.
QString parts_text(const prism::Parts& parts, const form::EyeWords& words);

// One line for each reading and for each split; where no prism is needed,
// that alone.
QString eyes_text(const prism::Eyes& eyes, const form::EyeWords& words);
