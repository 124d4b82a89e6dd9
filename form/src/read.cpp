// SPDX-License-Identifier: MIT
// The JSON reader: a scanner over the text by RFC 8259's grammar, which
// keeps each field's value as it stands and builds no tree.
#include <form/json.h>

#include <cstdint>

namespace form::json {

namespace {

constexpr int DeepestNesting = 16;

struct Scanner {
    std::string_view text;
    size_t at = 0;

    bool more() const { return at < text.size(); }
    char here() const { return more() ? text[at] : '\0'; }

    void blanks()
    {
        while (here() == ' ' || here() == '\t' || here() == '\n' || here() == '\r')
            ++at;
    }

    bool next(char c)
    {
        blanks();
        if (here() != c)
            return false;
        ++at;
        return true;
    }

    bool digits()
    {
        const size_t from = at;
        while (here() >= '0' && here() <= '9')
            ++at;
        return at > from;
    }

    // -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
    bool number()
    {
        if (here() == '-')
            ++at;
        const size_t whole = at;
        if (!digits() || (text[whole] == '0' && at - whole > 1))
            return false;
        if (here() == '.' && (++at, !digits()))
            return false;
        if (here() == 'e' || here() == 'E') {
            ++at;
            if (here() == '+' || here() == '-')
                ++at;
            return digits();
        }
        return true;
    }

    // A string, its escapes checked.
    bool string()
    {
        const size_t from = at++;
        for (; more(); ++at) {
            const auto c = uint8_t(text[at]);
            if (c == '"') {
                ++at;
                std::string read;
                return string_value(text.substr(from, at - from), read);
            }
            if (c < 0x20)
                return false;
            if (c == '\\')
                ++at;
        }
        return false;
    }

    bool word(std::string_view w)
    {
        if (text.substr(at, w.size()) != w)
            return false;
        at += w.size();
        return true;
    }

    bool value(int depth)
    {
        blanks();
        if (depth > DeepestNesting)
            return false;
        switch (here()) {
        case '{':
        case '[': {
            const char close = here() == '{' ? '}' : ']';
            ++at;
            if (next(close))
                return true;
            do {
                if (close == '}') {
                    blanks();
                    if (here() != '"' || !string() || !next(':'))
                        return false;
                }
                if (!value(depth + 1))
                    return false;
            } while (next(','));
            return next(close);
        }
        case '"':
            return string();
        case 't':
            return word("true");
        case 'f':
            return word("false");
        case 'n':
            return word("null");
        default:
            return number();
        }
    }
};

void utf8(uint32_t u, std::string& out)
{
    if (u < 0x80)
        return void(out += char(u));
    if (u < 0x800)
        out += char(0xC0 | (u >> 6));
    else {
        if (u < 0x10000)
            out += char(0xE0 | (u >> 12));
        else {
            out += char(0xF0 | (u >> 18));
            out += char(0x80 | ((u >> 12) & 0x3F));
        }
        out += char(0x80 | ((u >> 6) & 0x3F));
    }
    out += char(0x80 | (u & 0x3F));
}

// Four hexadecimal digits at `at`, or none.
std::optional<uint32_t> hex4(std::string_view text, size_t at)
{
    if (text.size() < at + 4)
        return std::nullopt;
    uint32_t u = 0;
    for (size_t i = at; i < at + 4; ++i) {
        const char c = text[i] | 0x20;  // a letter's lower case
        const int d = text[i] >= '0' && text[i] <= '9' ? text[i] - '0'
            : c >= 'a' && c <= 'f'                     ? c - 'a' + 10
                                                       : -1;
        if (d < 0)
            return std::nullopt;
        u = u * 16 + uint32_t(d);
    }
    return u;
}

}  // namespace

bool string_value(std::string_view text, std::string& out)
{
    if (text.size() < 2 || text.front() != '"' || text.back() != '"')
        return false;
    for (size_t i = 1; i + 1 < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        const char e = text[++i];
        constexpr std::string_view Escaped = "\"\\/bfnrt", Meaning = "\"\\/\b\f\n\r\t";
        if (const size_t k = Escaped.find(e); k != std::string_view::npos && e != '\0') {
            out += Meaning[k];
            continue;
        }
        if (e != 'u')
            return false;
        std::optional<uint32_t> u = hex4(text, i + 1);
        i += 4;
        if (u && *u >= 0xD800 && *u < 0xE000) {
            // A high surrogate and its low one are one character; alone, neither is.
            const std::optional<uint32_t> low
                = *u < 0xDC00 && text.substr(i + 1, 2) == "\\u" ? hex4(text, i + 3) : std::nullopt;
            if (!low || *low < 0xDC00 || *low >= 0xE000)
                return false;
            u = 0x10000 + ((*u - 0xD800) << 10) + (*low - 0xDC00);
            i += 6;
        }
        if (!u || i + 1 >= text.size())
            return false;
        utf8(*u, out);
    }
    return true;
}

bool is_number(std::string_view text)
{
    Scanner s{text};
    return s.number() && s.at == text.size();
}

bool key_is(std::string_view key, std::string_view name)
{
    // Most keys have no escape: compared as they stand.
    if (key.find('\\') == std::string_view::npos)
        return key.substr(1, key.size() - 2) == name;
    std::string read;
    return string_value(key, read) && read == name;
}

std::optional<std::vector<ReadField>> object_fields(std::string_view text)
{
    Scanner s{text};
    if (!s.value(0) || (s.blanks(), s.more()))
        return std::nullopt;
    s.at = 0;
    if (!s.next('{'))
        return std::nullopt;
    std::vector<ReadField> fields;
    if (s.next('}'))
        return fields;
    do {
        s.blanks();
        const size_t key = s.at;
        s.string();
        ReadField f{text.substr(key, s.at - key), {}};
        std::string name;
        string_value(f.key, name);
        for (const ReadField& seen : fields)
            if (key_is(seen.key, name))
                return std::nullopt;
        s.next(':');
        s.blanks();
        const size_t value = s.at;
        s.value(0);
        f.value = text.substr(value, s.at - value);
        fields.push_back(f);
    } while (s.next(','));
    return fields;
}

}  // namespace form::json
