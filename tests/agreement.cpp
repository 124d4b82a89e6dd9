// SPDX-License-Identifier: MIT
// The native half of the agreement test: the module's interface compiled
// natively, fed many entry quadruples (seeded, so both halves see the same
// ones), each answer and the record after it printed as one JSON line. The other half
// (web/tests/agreement.mjs) feeds the same quadruples to the WebAssembly
// module and compares.
//
// Usage: agreement COUNT
#include "bindings.h"

#include <form/json.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

namespace json = form::json;

// A value the module handed over, taken (and freed).
std::string taken(char* value)
{
    std::string text = value;
    std::free(value);
    return text;
}

// The same number in the full-width forms an input method types.
std::string fullWidth(const std::string& s)
{
    std::string out;
    for (const char c : s) {
        if (c >= '0' && c <= '9')
            out += std::string("\xEF\xBC") + static_cast<char>(0x90 + (c - '0'));
        else if (c == '.')
            out += "\xEF\xBC\x8E";
        else if (c == '-')
            out += "\xEF\xBC\x8D";
        else if (c == '+')
            out += "\xEF\xBC\x8B";
        else if (c == 'e')
            out += "\xEF\xBD\x85";
        else
            out += c;
    }
    return out;
}

class Entries {
public:
    explicit Entries(unsigned seed)
        : m_random(seed)
    {
    }

    std::string power() { return number(true); }
    std::string direction() { return number(false); }

private:
    double uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(m_random); }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    std::string format(double v)
    {
        char buf[64];
        switch (pick(4)) {
        case 0:
            std::snprintf(buf, sizeof buf, "%.*f", pick(5), v);
            break;
        case 1:
            std::snprintf(buf, sizeof buf, "%g", v);
            break;
        case 2:
            std::snprintf(buf, sizeof buf, "%.*e", pick(4), v);
            break;
        default:
            std::snprintf(buf, sizeof buf, "%.17g", v);
            break;
        }
        return buf;
    }

    std::string number(bool power)
    {
        static const std::vector<std::string> odd{"", " ", "abc", "1,5", "nan", "inf", "-inf", "0x10", "1e",
            "--1", "+", ".", "1e400", "-1e400", "1e-400", "2e-324", "1e-310", "1.8e308",
            "\xEF\xBC\x91\xEF\xBC\x92"
            "a",
            "\xE3\x80\x80"
            "3",
            "3 ", "0", "360", "-0", "0.05", "0.15", "0.25", "359.5", "359.6", "1e20", "1e19"};
        std::string text;
        switch (pick(10)) {
        case 0:  // the odd and the edge
            return odd[static_cast<size_t>(pick(int(odd.size())))];
        case 1:  // halves: tenths and units ending in 5
            text = power ? format(pick(400) / 20.0 + 0.05) : format(pick(720) / 2.0);
            break;
        case 2:  // huge and tiny
            text = format(std::pow(10.0, uniform(power ? -330 : -20, power ? 40 : 3)));
            break;
        case 3:  // just outside the ranges
            text = format(power ? -uniform(0, 5) : (pick(2) ? -uniform(0, 5) : 360 + uniform(0, 5)));
            break;
        default:  // everyday values
            text = format(power ? uniform(0, 20) : uniform(0, 360));
            break;
        }
        return pick(8) == 0 ? fullWidth(text) : text;
    }

    std::mt19937_64 m_random;
};

}  // namespace

int main(int argc, char** argv)
{
    const long count = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 100000;
    const std::vector<std::vector<std::string>> examples{{"3", "0", "4", "90"}, {"2", "0", "0", "0"},
        {"1", "45", "1", "225"}, {"3", "30", "2", "120"}, {"1", "359.6", "0", "0"}, {"2.25", "0", "1", "0"},
        {"2.25", "45", "1", "45"}, {"0.04", "0", "0.04", "180"}, {"0.14", "0", "0", "0"},
        {"5", "0", "5", "180"}, {"3", "0", "3", "180"}, {"1e20", "0", "0", "0"}, {"1e20", "90", "4", "90"},
        // Entries of two million characters, far longer than the module's
        // stack: one a number (the worked example's 3), one too large.
        {std::string(2'000'000, '0') + "3", "0", "4", "90"}, {std::string(2'000'000, '9'), "0", "4", "90"}};
    Entries entries(20261208);
    for (long i = 0; i < count; ++i) {
        std::vector<std::string> in = i < long(examples.size())
            ? examples[static_cast<size_t>(i)]
            : std::vector<std::string>{
                entries.power(), entries.direction(), entries.power(), entries.direction()};
        const std::string value = taken(prism_compute(json::object(
            {{"aPower", json::string(in[0])}, {"aBase", json::string(in[1])}, {"bPower", json::string(in[2])},
                {"bBase", json::string(in[3])}}).c_str()));
        const std::string line = json::object({{"in",
                                                   json::array({json::string(in[0]), json::string(in[1]),
                                                       json::string(in[2]), json::string(in[3])})},
            {"value", value}, {"record", taken(prism_record())}});
        std::printf("%s\n", line.c_str());
    }
    return 0;
}
