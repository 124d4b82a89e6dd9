// SPDX-License-Identifier: MIT
// The one rule by which a word with blanks is filled: %1 … %9 each take
// their text wherever they stand, as often as they stand there. And texts
// put one after another.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace texts {

inline std::string filled(std::string_view pattern, std::initializer_list<std::string_view> with)
{
    std::string out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && c >= '1' && c <= '9' && size_t(c - '1') < with.size()) {
            out += with.begin()[c - '1'];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

// The texts after `out`'s, one after another.
inline void append(std::string& out, std::initializer_list<std::string_view> texts)
{
    for (std::string_view t : texts)
        out += t;
}

}  // namespace texts
