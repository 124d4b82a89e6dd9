// SPDX-License-Identifier: MIT
// The four entry texts of a compute, as a state the core reads.
#pragma once

#include <prism/prism.h>

inline prism::CompositionState entries(const char* ap, const char* aBase, const char* bp, const char* bBase)
{
    prism::CompositionState s;
    s.AP = ap;
    s.ABase = aBase;
    s.BP = bp;
    s.BBase = bBase;
    return s;
}
