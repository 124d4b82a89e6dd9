// SPDX-License-Identifier: MIT
// The narrow interface of the WebAssembly module, as plain C functions: the
// four entry texts in; the outcome, the result line, whether a scale exists
// and the three end points out; and the form's description. The same
// sources build natively for the agreement test.
#pragma once

extern "C" {

// A compute press with the four entry texts (UTF-8). Returns the outcome:
// 0 composed, 1 prism A refused, 2 prism B refused. A refusal leaves every
// result below as it was, as the window leaves its screen.
int prism_compute(const char* aPower, const char* aBase, const char* bPower, const char* bBase);

// The result line of the last composition ("5.0△ Base 53°"), UTF-8.
const char* prism_result_text();

// What the diagram of the last composition shows, in words ("A 3.0△ Base
// 0°、B …"), UTF-8; empty when it has no scale.
const char* prism_diagram_text();

// The result of the last composition for each eye, as JSON (UTF-8): prism::Eyes
// as {"needed", "asRight": {"parts", "right": {"prism", "parts"}, "left"},
// "asLeft"}.
const char* prism_eyes_json();

// 1 when the last composition has a diagram scale, else 0 (no diagram).
int prism_has_scale();

// The common start point of the three vectors, in twips.
float prism_origin_x();
float prism_origin_y();

// The end point, in twips, of vector 0 (A), 1 (B) or 2 (C).
float prism_end_x(int vector);
float prism_end_y(int vector);

// The outcomes prism_compute returns, by name, as JSON:
// {"Composed":0,"RejectA":1,"RejectB":2}.
const char* prism_outcomes();

// The form's description as JSON, UTF-8.
const char* prism_form_json();

// For the agreement test: the one-decimal texts of the powers 0 (A), 1 (B),
// 2 (C), and the diagram's scale.
const char* prism_power_text(int which);
float prism_scale();
}
