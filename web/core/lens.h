// SPDX-License-Identifier: MIT
// The lens tool's calls, in the style of bindings.h: one call per action,
// each returning one JSON value (UTF-8) the caller frees with free().
// web/core/prism.mjs describes each value. The page loads them as a module
// of their own when the tool first opens.
#pragma once

extern "C" {

// One eye's compute (eye 0 the right, 1 the left): its seven entry texts in
// the order the core checks them and its four ways (1: in, up, base in,
// base up; 0: the other way).
char* prism_lens(int eye, const char* sphere, const char* cylinder, const char* axis, const char* centreX,
    const char* centreY, int centreIn, int centreUp, const char* prismX, const char* prismY, int baseIn,
    int baseUp);

// The prisms wanted in both eyes, filled from C's components (as the
// composer's value gives them) in one of four ways (prism::Fill).
char* prism_lens_fill(const char* cx, const char* cy, int fill);
}
