// SPDX-License-Identifier: MIT
#include "named.h"

#include <prism/numbers.h>

#include <algorithm>

namespace json = form::json;

Named::Named(std::string_view text)
    : Named(text, "", nullptr)
{
}

Named::Named(std::string_view text, std::string path, std::string* error)
    : m_path(std::move(path))
{
    if (error)
        m_error = error;
    if (text.empty())  // a field missing within, already said
        return;
    if (auto fields = json::object_fields(text)) {
        m_fields = std::move(*fields);
        m_asked.resize(m_fields.size());
    } else if (m_error->empty())
        *m_error = m_path.empty() ? "the value is not one JSON object with each key once"
                                  : "the field \"" + m_path.substr(0, m_path.size() - 1)
                + "\" is not one JSON object with each key once";
}

void Named::fail(std::string_view key, std::string_view why)
{
    if (m_error->empty())
        for (std::string_view part :
            {std::string_view("the field \""), std::string_view(m_path), key, std::string_view("\" "), why})
            *m_error += part;
}

std::string_view Named::field(std::string_view key)
{
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (json::key_is(m_fields[i].key, key)) {
            m_asked[i] = true;
            return m_fields[i].value;
        }
    fail(key, "is missing");
    return {};
}

std::string Named::text(std::string_view key)
{
    const std::string_view v = field(key);
    std::string s;
    if (!json::string_value(v, s) && !v.empty())
        fail(key, "is not a string");
    return s;
}

double Named::number(std::string_view key)
{
    const std::string_view v = field(key);
    // A JSON number is a number of the entries' grammar, there refused
    // where it is too large to be finite.
    const std::optional<double> n = json::is_number(v) ? prism::to_number(v) : std::nullopt;
    if (!n && !v.empty())
        fail(key, "is not a finite number");
    return n.value_or(0);
}

size_t Named::choice(std::string_view key, std::span<const std::string_view> names)
{
    const std::string name = text(key);
    const auto at = std::find(names.begin(), names.end(), name);
    if (at != names.end())
        return size_t(at - names.begin());
    std::string known;
    for (std::string_view n : names)
        known += (known.empty() ? "\"" : ", \"") + std::string(n) + "\"";
    fail(key, "is \"" + name + "\", not one of " + known);
    return 0;
}

Named Named::object(std::string_view key)
{
    const std::string_view v = field(key);
    return Named(v, m_path + std::string(key) + ".", m_error);
}

bool Named::done()
{
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (!m_asked[i])
            fail(m_fields[i].key.substr(1, m_fields[i].key.size() - 2), "is not known");
    return m_error->empty();
}

std::string Named::errorValue() const
{
    return json::object({{"error", json::string(*m_error)}});
}
