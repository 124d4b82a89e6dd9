// SPDX-License-Identifier: MIT
// The numeric core of the prism calculator, whole: the composer (two prisms
// composed into one, the diagram's scale, C for each eye), the lens tool (the
// prism a lens makes at a decentration, the decentration for a prism, and the
// imbalance where the wearer reads) and the number texts both use. No user
// interface and no words live here; each concern has a header of its own.
#pragma once

#include <prism/compose.h>
#include <prism/lens.h>
#include <prism/numbers.h>
