// SPDX-License-Identifier: MIT
// libFuzzer target over the whole path from the four entry texts to
// everything the window shows: conversion, the entry checks, composition,
// the finite check, the result line, the diagram scale and end points; and
// over the module's calls, the same input taken as the value each call
// reads (its JSON reader, its named fields, the texts it answers with).
//
// Input: the four entries separated by newlines (A power, A direction,
// B power, B direction); the last entry takes the rest of the input. The
// whole input is also each call's value.
#include "bindings.h"
#include "lens.h"

#include <form/json.h>
#include <prism/prism.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void broken(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "invariant broken: %s: %s\n", what, detail.c_str());
    std::abort();
}

void check(bool ok, const char* what, const std::string& detail = {})
{
    if (!ok)
        broken(what, detail);
}

bool all_digits(std::string_view s)
{
    if (s.empty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// "#0": digits only, an optional leading minus.
bool whole_pattern(std::string_view s)
{
    if (!s.empty() && s.front() == '-')
        s.remove_prefix(1);
    return all_digits(s);
}

// "#0.0": digits, a point, exactly one digit.
bool tenth_pattern(std::string_view s)
{
    if (!s.empty() && s.front() == '-')
        s.remove_prefix(1);
    const auto dot = s.find('.');
    return dot != std::string_view::npos && all_digits(s.substr(0, dot)) && s.size() - dot == 2
        && all_digits(s.substr(dot + 1));
}

void check_round_trip(double x)
{
    if (!std::isfinite(x))
        return;
    const std::string text = prism::format_number(x, 1);
    check(tenth_pattern(text), "format_number(x, 1) has the #0.0 shape", text);
    const auto back = prism::to_number(text);
    check(back.has_value(), "format_number output parses", text);
    // Half a tenth, plus the 15-digit decision and the double's own spacing.
    const double allowed = 0.05 + std::fabs(x) * 1e-14;
    check(std::fabs(*back - x) <= allowed, "to_number(format_number(x, 1)) is within 0.05 of x", text);
}

// The four entries: the input's first three lines and the rest.
std::array<std::string, 4> split_entries(std::string_view input)
{
    std::array<std::string, 4> entries;
    size_t start = 0;
    for (size_t i = 0; i < 4; ++i) {
        if (start > input.size())
            break;
        const size_t end = i == 3 ? input.size() : input.find('\n', start);
        const size_t stop = end == std::string_view::npos ? input.size() : end;
        entries[i] = std::string(input.substr(start, stop - start));
        start = stop + 1;
    }
    return entries;
}

// Whether the outcome agrees with the checks of each prism; true when the
// composition ran.
bool check_outcome(prism::Outcome outcome, const std::array<std::string, 4>& entries)
{
    const bool aOk = prism::prism_acceptable(entries[0], entries[1]);
    const bool bOk = prism::prism_acceptable(entries[2], entries[3]);
    switch (outcome) {
    case prism::Outcome::RejectA:
        // A refused on its own entries, or for an overflow it is blamed for.
        check(!aOk || bOk, "A is refused only when its entries fail or both passed");
        return false;
    case prism::Outcome::RejectB:
        check(aOk, "B is checked only after A passed");
        return false;
    case prism::Outcome::Composed:
        check(aOk && bOk, "a composed result had acceptable entries");
        break;
    }
    return true;
}

// The line the user copies: "#0.0" power, "△ Base ", "#0" direction, "°".
void check_result_line(const std::string& text)
{
    const std::string_view middle = "\u25B3 Base ";
    const std::string_view degree = "\u00B0";
    const auto mid = text.find(middle);
    check(mid != std::string::npos, "result has the △ Base separator", text);
    check(
        text.size() >= degree.size() && text.compare(text.size() - degree.size(), degree.size(), degree) == 0,
        "result ends with °", text);
    const std::string power = text.substr(0, mid);
    const std::string direction
        = text.substr(mid + middle.size(), text.size() - mid - middle.size() - degree.size());
    check(tenth_pattern(power) && power.front() != '-', "power is #0.0 and not negative", text);
    check(whole_pattern(direction), "direction is #0", text);
    const int degrees = std::atoi(direction.c_str());
    check(degrees >= 0 && degrees <= 360 && direction.size() <= 3, "direction shows 0..360", text);
}

void check_diagram(prism::CompositionState& state)
{
    if (!prism::round_and_scale(state))
        return;
    check(std::isfinite(state.MAG) && state.MAG > 0, "a scale is finite and positive");
    for (const auto& [xs, ys] :
        {std::pair<double, double>{state.AXs, state.AYs}, {state.BXs, state.BYs}, {state.CXs, state.CYs}}) {
        const prism::TwipPoint p = prism::end_point(xs, ys);
        check(std::isfinite(p.x) && std::isfinite(p.y), "end points are finite");
    }
}

// Each call answers with one JSON object, whatever it is handed: an error
// that says why, or what it shows; never a crash, never a half-written value.
void check_calls(std::string_view input)
{
    const std::string value(input);
    for (char* (*call)(const char*) : {prism_compute, prism_lens, prism_lens_fill}) {
        char* answer = call(value.c_str());
        const std::string text = answer;
        std::free(answer);
        const auto fields = form::json::object_fields(text);
        check(fields && !fields->empty(), "a call answers with one JSON object", text);
        const bool refused = form::json::key_is(fields->front().key, "error");
        check(!refused || fields->size() == 1, "an error comes alone", text);
        if (value.find('\0') == std::string::npos && value.size() < 4096 && !form::json::object_fields(value))
            check(refused, "a value that is not one JSON object is refused", text);
    }
    // The composer's value is its four entries by name, each a string:
    // refused with anything missing, unknown or of another kind.
    const auto fields = form::json::object_fields(value);
    if (!fields || value.find('\0') != std::string::npos)
        return;
    size_t strings = 0;
    for (const form::json::ReadField& f : *fields)
        for (std::string_view key : {"aPower", "aBase", "bPower", "bBase"})
            if (form::json::key_is(f.key, key) && f.value.front() == '"')
                ++strings;
    char* answer = prism_compute(value.c_str());
    const bool refused = std::string_view(answer).starts_with("{\"error\"");
    std::free(answer);
    check(
        refused == (strings != 4 || fields->size() != 4), "the composer takes its four entries and no more");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    check_calls(input);
    const std::array<std::string, 4> entries = split_entries(input);
    for (const std::string& entry : entries) {
        if (const auto n = prism::to_number(entry)) {
            check(std::isfinite(*n), "an accepted entry is finite", entry);
            check_round_trip(*n);
        }
    }

    prism::CompositionState state;
    state.AP = entries[0];
    state.ABase = entries[1];
    state.BP = entries[2];
    state.BBase = entries[3];
    if (!check_outcome(prism::evaluate(state), entries))
        return 0;
    // The entries are kept as typed.
    check(state.AP == entries[0] && state.BBase == entries[3], "entries kept as typed");
    check(std::isfinite(state.CP) && state.CP >= 0, "C's power is finite and not negative");
    check(
        state.CBase >= 0 && state.CBase <= 360, "C's direction lies in 0..360", std::to_string(state.CBase));
    check_round_trip(state.CP);
    check_result_line(prism::result_text(state));
    check_diagram(state);
    return 0;
}
