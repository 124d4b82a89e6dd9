// SPDX-License-Identifier: MIT
// Composes the prisms given as arguments and prints the result line.
#include <prism/prism.h>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 5)
        return 2;
    prism::CompositionState state;
    state.AP = argv[1];
    state.ABase = argv[2];
    state.BP = argv[3];
    state.BBase = argv[4];
    if (prism::evaluate(state) != prism::Outcome::Composed)
        return 1;
    std::printf("%s\n", prism::result_text(state).c_str());
    return 0;
}
