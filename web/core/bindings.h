// SPDX-License-Identifier: MIT
// The interface of the WebAssembly module, as plain C functions: one call
// per action, each taking one value, a JSON object of named fields (named.h),
// and returning one value, a JSON text (UTF-8) in memory the caller owns and
// frees with free(): what the action shows, or {"error": why} where the
// value it took was not of its shape. web/core/prism.mjs, the one way
// JavaScript reaches the module, describes both shapes of each call. The
// same sources build natively for the agreement test.
#pragma once

extern "C" {

// A compute press with the four entry texts ({aPower, aBase, bPower,
// bBase}), on the module's record of calculation variables, as the window
// computes on its own: everything a front end shows, or which prism is
// refused (the front end then keeps what it shows).
char* prism_compute(const char* value);

// The form's description, with the diagram's origin.
char* prism_form();

// The record of calculation variables as it stands, for the agreement test:
// its texts, C's one-decimal power and result line, the scale and the ends
// of the scaled vectors.
char* prism_record();
}
