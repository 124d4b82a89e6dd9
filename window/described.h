// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <string_view>

// A text of the form's description (UTF-8) as a QString.
inline QString described(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}
