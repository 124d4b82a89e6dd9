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

// Where the wearer reads, through both eyes' lenses (the lens and the
// centre's offset of each, as prism_lens takes them): the reading point's
// depth and inset (mm).
char* prism_lens_near(const char* rightSphere, const char* rightCylinder, const char* rightAxis,
    const char* rightCentreX, const char* rightCentreY, int rightIn, int rightUp, const char* leftSphere,
    const char* leftCylinder, const char* leftAxis, const char* leftCentreX, const char* leftCentreY,
    int leftIn, int leftUp, const char* depth, const char* inset);

// The prisms wanted in both eyes, filled from C's components (as the
// composer's value gives them) in one of four ways (prism::Fill).
char* prism_lens_fill(const char* cx, const char* cy, int fill);
}
