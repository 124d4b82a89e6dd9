// SPDX-License-Identifier: MIT
#include "lens.h"
#include "handed.h"
#include "named.h"

#include <form/form.h>
#include <form/json.h>
#include <prism/lens.h>
#include <texts/lens.h>

#include <array>
#include <string>

namespace {

namespace json = form::json;

constexpr std::array<std::string_view, 2> Across{"in", "out"};
constexpr std::array<std::string_view, 2> Upward{"up", "down"};
constexpr std::array<std::string_view, 2> Eyes{"right", "left"};
constexpr std::array<std::string_view, 4> Fills{"as right", "split as right", "as left", "split as left"};

std::string key(prism::LensField f)
{
    return std::string(form::lens_words().entries[size_t(f)].key);
}

// One eye's entries: the texts kept here, the core's entries viewing them.
struct EyeEntries {
    std::array<std::string, prism::LensFieldCount> texts;
    prism::LensEntries entries;
};

EyeEntries eye(Named&& in)
{
    EyeEntries e;
    for (size_t f = 0; f < prism::LensFieldCount; ++f)
        e.texts[f] = in.text(key(prism::LensField(f)));
    for (size_t f = 0; f < prism::LensFieldCount; ++f)
        e.entries.texts[f] = e.texts[f];
    const auto first = [&](prism::LensField f, const std::array<std::string_view, 2>& names) {
        return in.choice(key(f) + "Way", names) == 0;
    };
    e.entries.centreIn = first(prism::LensField::CentreX, Across);
    e.entries.centreUp = first(prism::LensField::CentreY, Upward);
    e.entries.baseIn = first(prism::LensField::PrismX, Across);
    e.entries.baseUp = first(prism::LensField::PrismY, Upward);
    e.entries.readIn = first(prism::LensField::ReadX, Across);
    e.entries.readUp = first(prism::LensField::ReadY, Upward);
    in.done();
    return e;
}

std::string strings(const std::vector<std::string>& texts)
{
    std::vector<std::string> out;
    for (const std::string& t : texts)
        out.push_back(json::string(t));
    return json::array(out);
}

std::string eyeTexts(const std::optional<texts::LensEyeTexts>& t)
{
    if (!t)
        return "null";
    const std::string b = t->bPower.empty()
        ? std::string("null")
        : json::object({{"power", json::string(t->bPower)}, {"direction", json::string(t->bDirection)}});
    return json::object({{"prism", json::string(t->prism)}, {"offset", json::string(t->offset)},
        {"copy", json::string(t->copy)}, {"b", b}});
}

}  // namespace

extern "C" {

char* prism_lens(const char* value)
{
    Named in(value);
    const EyeEntries right = eye(in.object("right")), left = eye(in.object("left"));
    const std::string depth = in.text("depth"), inset = in.text("inset");
    if (!in.done())
        return handed(in.errorValue());
    const prism::LensToolShown shown = prism::lens_tool({{right.entries, left.entries}, depth, inset});
    const texts::LensToolTexts t = texts::lens_texts(shown);
    std::string refused = "null";
    if (const auto& r = shown.refused)
        refused = json::object({{"eye", r->eye ? json::string(Eyes[size_t(*r->eye)]) : "null"},
            {"entry",
                json::string(r->eye                          ? key(r->entry.field)
                        : r->near == prism::NearField::Depth ? "depth"
                                                             : "inset")},
            {"message", json::string(t.refusal)}});
    const std::string near = t.near
        ? json::object({{"lines", strings(t.near->lines)}, {"copy", json::string(t.near->copy)}})
        : "null";
    const std::string check = t.check
        ? json::object({{"lines", strings(t.check->lines)}, {"copy", json::string(t.check->copy)}})
        : "null";
    return handed(json::object({{"right", eyeTexts(t.eyes[0])}, {"left", eyeTexts(t.eyes[1])}, {"near", near},
        {"check", check}, {"refused", refused}}));
}

char* prism_lens_fill(const char* value)
{
    Named in(value);
    Named c = in.object("c");
    const double x = c.number("x"), y = c.number("y");
    const size_t fill = in.choice("fill", Fills);
    if (!c.done() || !in.done())
        return handed(in.errorValue());
    const std::array<prism::Wanted, 2> wanted = prism::wanted_from(x, y, prism::Fill(fill));
    // As the entries are named: the sizes and their ways.
    const auto eye = [](const prism::Wanted& w) {
        return json::object({{key(prism::LensField::PrismX), json::string(w.x)},
            {key(prism::LensField::PrismY), json::string(w.y)},
            {key(prism::LensField::PrismX) + "Way", json::string(Across[w.in ? 0 : 1])},
            {key(prism::LensField::PrismY) + "Way", json::string(Upward[w.up ? 0 : 1])}});
    };
    return handed(json::object({{"right", eye(wanted[0])}, {"left", eye(wanted[1])}}));
}

char* prism_lens_form()
{
    const form::LensWords& w = form::lens_words();
    std::vector<std::string> entries, eyes;
    for (const form::LensEntryWords& e : w.entries)
        entries.push_back(json::object({{"key", json::string(e.key)}, {"group", std::to_string(int(e.group))},
            {"label", json::string(e.label)}, {"ways", json::boolean(!e.choice.empty())}}));
    const auto four = [](const std::array<std::string_view, 4>& texts) {
        return strings(
            {std::string(texts[0]), std::string(texts[1]), std::string(texts[2]), std::string(texts[3])});
    };
    std::vector<std::string> fills;
    for (size_t i = 0; i < Fills.size(); ++i)
        fills.push_back(
            json::object({{"fill", json::string(Fills[i])}, {"caption", json::string(w.fills[i])}}));
    for (const prism::Eye e : {prism::Eye::Right, prism::Eye::Left}) {
        const texts::LensEyeCaptions c = texts::lens_captions(e);
        eyes.push_back(json::object({{"key", json::string(Eyes[size_t(e)])}, {"eye", json::string(c.eye)},
            {"names", strings({c.names.begin(), c.names.end()})},
            {"choices", strings({c.choices.begin(), c.choices.end()})}, {"intoB", json::string(c.intoB)},
            {"copy", json::string(c.copy)}}));
    }
    return handed(json::object({{"title", json::string(w.title)}, {"groups", four(w.groups)},
        {"entries", json::array(entries)}, {"eyes", json::array(eyes)}, {"offsetWays", four(w.offsetWays)},
        {"prismChoices", four(w.prismChoices)}, {"compute", json::string(w.compute)},
        {"fillHeading", json::string(w.fillHeading)}, {"fills", json::array(fills)},
        {"nearHeading", json::string(w.nearHeading)}, {"depthLabel", json::string(w.depthLabel)},
        {"depthName", json::string(w.depthName)}, {"depthAtStart", json::string(w.depthAtStart)},
        {"insetLabel", json::string(w.insetLabel)}, {"insetName", json::string(w.insetName)},
        {"copyNear", json::string(w.copyNear)}, {"checkHeading", json::string(w.checkHeading)},
        {"checkScope", json::string(w.checkScope)}, {"checkOrdered", json::string(w.checkOrdered)},
        {"copyCheck", json::string(w.copyCheck)}}));
}
}
