// SPDX-License-Identifier: MIT
// A JSON text handed across the module's boundary: in memory the caller
// owns and frees with free().
#pragma once

#include <cstdlib>
#include <cstring>
#include <string>

inline char* handed(const std::string& text)
{
    auto* out = static_cast<char*>(std::malloc(text.size() + 1));
    if (out)
        std::memcpy(out, text.c_str(), text.size() + 1);
    return out;
}
