// SPDX-License-Identifier: MIT
// The lens tool's calls, in the style of bindings.h: one call per action,
// each taking one JSON object of named fields and returning one JSON value
// (UTF-8) the caller frees with free(), or {"error": why}.
// web/core/prism.mjs describes each shape. The page loads them as a module
// of their own when the tool first opens.
#pragma once

extern "C" {

// One press of the tool's compute: both eyes' entries as typed, each by its
// key in the description ("sphere" … "readY"), and each size's way by its
// name ("centreXWay": "in" or "out", "centreYWay": "up" or "down", the same
// for "prismXWay", "prismYWay", "readXWay", "readYWay"), under "right" and
// "left"; the reading point's "depth" and "inset". Returns what the tool
// shows: each eye's texts, those of where the wearer reads and of the check
// of a finished pair, and the first refused entry.
char* prism_lens(const char* value);

// The prisms wanted in both eyes, filled from C's components ("c": {"x",
// "y"}, as the composer's value gives them) in one of the four ways ("fill":
// "as right", "split as right", "as left" or "split as left").
char* prism_lens_fill(const char* value);

// The tool's words, for the page's build: the description's, and each eye's
// captions finished.
char* prism_lens_form();
}
