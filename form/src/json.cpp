// SPDX-License-Identifier: MIT
// The JSON writer, and the description as JSON: one object.
#include <form/form.h>
#include <form/json.h>

#include <cstdio>
#include <string>

namespace form::json {

std::string object(std::initializer_list<Field> fields, std::initializer_list<Field> more)
{
    std::string out = "{";
    for (const auto list : {fields, more})
        for (const auto& [key, value] : list) {
            if (out.size() > 1)
                out += ',';
            out += string(key);
            out += ':';
            out += value;
        }
    return out += '}';
}

namespace {

std::string list(const std::string* first, const std::string* last)
{
    std::string out = "[";
    for (; first != last; ++first) {
        if (out.size() > 1)
            out += ',';
        out += *first;
    }
    return out += ']';
}

}  // namespace

std::string array(std::initializer_list<std::string> values)
{
    return list(values.begin(), values.end());
}

std::string array(const std::vector<std::string>& values)
{
    return list(values.data(), values.data() + values.size());
}

std::string number(double d)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.15g", d);
    return buf;
}

std::string boolean(bool b)
{
    return b ? "true" : "false";
}

std::string string(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            out += "\\u00";
            out += "0123456789abcdef"[u >> 4];
            out += "0123456789abcdef"[u & 15];
        } else {
            out += c;  // UTF-8 passes through
        }
    }
    return out += '"';
}

}  // namespace form::json

namespace form {

namespace {

using namespace json;

std::string rgb(const std::optional<Rgb>& c)
{
    return c ? array({number(c->r), number(c->g), number(c->b)}) : "null";
}

std::string palette(const Palette& p)
{
    return object({{"window", rgb(p.window)}, {"text", rgb(p.text)}, {"field", rgb(p.field)},
        {"frame", rgb(p.frame)}, {"buttonTop", rgb(p.buttonTop)}, {"buttonBottom", rgb(p.buttonBottom)},
        {"light", rgb(p.light)}, {"midlight", rgb(p.midlight)}, {"dark", rgb(p.dark)},
        {"shadow", rgb(p.shadow)}, {"focus", rgb(p.focus)}, {"focusLight", rgb(p.focusLight)},
        {"focusAlpha", number(p.focusAlpha)}});
}

std::string eyeWords(const EyeWords& w)
{
    return object({{"heading", string(w.heading)}, {"rightEye", string(w.rightEye)},
        {"leftEye", string(w.leftEye)}, {"asRight", string(w.asRight)}, {"asLeft", string(w.asLeft)},
        {"split", string(w.split)}, {"noPrism", string(w.noPrism)}, {"smallParts", string(w.smallParts)},
        {"copyResult", string(w.copyResult)}, {"copyRight", string(w.copyRight)},
        {"copyLeft", string(w.copyLeft)}, {"copied", string(w.copied)}, {"part", string(w.part)},
        {"separator", string(w.separator)}});
}

template <size_t N> std::string strings(const std::array<std::string_view, N>& texts)
{
    std::vector<std::string> out;
    for (std::string_view t : texts)
        out.push_back(string(t));
    return array(out);
}

std::string font(const Font& f);

std::string lensWords(const LensWords& w)
{
    std::vector<std::string> entries;
    for (const LensEntryWords& e : w.entries)
        entries.push_back(object({{"key", string(e.key)}, {"group", number(int(e.group))},
            {"label", string(e.label)}, {"name", string(e.name)}, {"choice", string(e.choice)}}));
    return object({{"title", string(w.title)}, {"open", string(w.open)}, {"font", font(w.font)},
        {"groups", strings(w.groups)}, {"entries", array(entries)}, {"offsetWays", strings(w.offsetWays)},
        {"prismWays", strings(w.prismWays)}, {"prismChoices", strings(w.prismChoices)},
        {"offsetPart", string(w.offsetPart)}, {"compute", string(w.compute)}, {"noPrism", string(w.noPrism)},
        {"noOffset", string(w.noOffset)}, {"blocked", string(w.blocked)}, {"tooFar", string(w.tooFar)},
        {"powerTakes", string(w.powerTakes)}, {"axisTakes", string(w.axisTakes)},
        {"axisNeeded", string(w.axisNeeded)}, {"sizeTakes", string(w.sizeTakes)},
        {"fillHeading", string(w.fillHeading)}, {"fills", strings(w.fills)}, {"intoB", strings(w.intoB)},
        {"copy", strings(w.copy)}, {"nearHeading", string(w.nearHeading)},
        {"depthLabel", string(w.depthLabel)}, {"depthName", string(w.depthName)},
        {"depthAtStart", string(w.depthAtStart)}, {"insetLabel", string(w.insetLabel)},
        {"insetName", string(w.insetName)}, {"insetTakes", string(w.insetTakes)},
        {"needsBoth", string(w.needsBoth)}, {"nearPrism", string(w.nearPrism)},
        {"nearImbalance", string(w.nearImbalance)}, {"farImbalance", string(w.farImbalance)},
        {"moreDown", string(w.moreDown)}, {"slabOff", string(w.slabOff)}, {"adapt", string(w.adapt)},
        {"steps", string(w.steps)}, {"copyNear", string(w.copyNear)},
        {"checkHeading", string(w.checkHeading)}, {"checkScope", string(w.checkScope)},
        {"checkOrdered", string(w.checkOrdered)}, {"copyCheck", string(w.copyCheck)}});
}

std::string rect(const std::optional<Rect>& r)
{
    return r ? array({number(r->left), number(r->top), number(r->width), number(r->height)}) : "null";
}

std::string font(const Font& f)
{
    return object({{"family", string(f.family)}, {"points", number(f.points)}, {"bold", boolean(f.bold)},
        {"italic", boolean(f.italic)}});
}

std::string_view kindName(Kind k)
{
    switch (k) {
    case Kind::TextBox:
        return "TextBox";
    case Kind::CommandButton:
        return "CommandButton";
    case Kind::Label:
        return "Label";
    }
    return {};
}

std::string_view alignName(Align a)
{
    switch (a) {
    case Align::Left:
        return "left";
    case Align::Right:
        return "right";
    case Align::Centre:
        return "centre";
    }
    return {};
}

// The id of a control's element on the page: its name, and a member of a
// control array its index too ("Label3-0").
std::string id(const Control& c)
{
    return std::string(c.name) + (c.index >= 0 ? "-" + std::to_string(c.index) : "");
}

}  // namespace

std::string description_json(std::initializer_list<Field> more)
{
    const Description& d = description();
    std::vector<std::string> controls, lines, substitutionList;
    for (const Control& c : d.controls)
        controls.push_back(object({{"kind", string(kindName(c.kind))}, {"name", string(c.name)},
            {"index", number(c.index)}, {"id", string(id(c))}, {"role", string(name(c.role))},
            {"caption", string(c.caption)}, {"rect", rect(c.rect)}, {"text", rgb(c.text)},
            {"background", rgb(c.background)}, {"font", font(c.font)}, {"align", string(alignName(c.align))},
            {"visible", boolean(c.visible)}, {"tab", number(c.tab)},
            {"accessibleName", string(c.accessibleName)},
            {"accessibleDescription", string(c.accessibleDescription)}, {"row", number(c.row)}}));
    for (const Line& l : d.lines)
        lines.push_back(object({{"name", string(l.name)}, {"role", string(name(l.role))},
            {"colour", rgb(l.colour)}, {"width", number(l.width)}, {"fixed", rect(l.fixed)}}));
    for (const Substitution& s : substitutions()) {
        std::vector<std::string> standIns;
        for (std::string_view name : s.standIns)
            standIns.push_back(string(name));
        substitutionList.push_back(object({{"named", string(s.named)}, {"standIns", array(standIns)}}));
    }
    return object(
        {{"windowTitle", string(d.windowTitle)}, {"programTitle", string(d.programTitle)},
            {"twipsPerPixel", number(TwipsPerPixel)}, {"width", number(d.width)},
            {"height", number(d.height)}, {"windowFont", font(d.windowFont)}, {"palette", palette(d.palette)},
            {"controls", array(controls)}, {"lines", array(lines)}, {"diagramArea", rect(d.diagramArea)},
            {"diagramRow", number(d.diagramRow)}, {"smallestTextScale", number(d.smallestTextScale)},
            {"messageA", string(d.messageA)}, {"messageB", string(d.messageB)},
            {"endedNotice", string(d.endedNotice)}, {"unavailableNotice", string(d.unavailableNotice)},
            {"waitingText", string(d.waitingText)}, {"coreFailedMessage", string(d.coreFailedMessage)},
            {"eyes", eyeWords(d.eyes)}, {"lens", lensWords(d.lens)},
            {"substitutions", array(substitutionList)}},
        more);
}

}  // namespace form
