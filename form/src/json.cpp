// SPDX-License-Identifier: MIT
// The description as JSON, written by hand: one object, no dependency.
#include <form/form.h>

#include <cstdio>
#include <initializer_list>
#include <utility>
#include <vector>

namespace form {

namespace {

// JSON fragments, each a complete value.
using Field = std::pair<std::string_view, std::string>;

std::string object(std::initializer_list<Field> fields)
{
    std::string out = "{";
    for (const auto& [key, value] : fields)
        out += (out.size() > 1 ? "," : "") + json_string(key) + ":" + value;
    return out + "}";
}

std::string array(const std::vector<std::string>& values)
{
    std::string out = "[";
    for (const std::string& value : values)
        out += (out.size() > 1 ? "," : "") + value;
    return out + "]";
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
    return object({{"heading", json_string(w.heading)}, {"rightEye", json_string(w.rightEye)},
        {"leftEye", json_string(w.leftEye)}, {"asRight", json_string(w.asRight)},
        {"asLeft", json_string(w.asLeft)}, {"split", json_string(w.split)},
        {"noPrism", json_string(w.noPrism)}, {"smallParts", json_string(w.smallParts)},
        {"copyResult", json_string(w.copyResult)}, {"copyRight", json_string(w.copyRight)},
        {"copyLeft", json_string(w.copyLeft)}, {"copied", json_string(w.copied)}});
}

std::string rect(const std::optional<Rect>& r)
{
    return r ? array({number(r->left), number(r->top), number(r->width), number(r->height)}) : "null";
}

std::string font(const Font& f)
{
    return object({{"family", json_string(f.family)}, {"points", number(f.points)}, {"bold", boolean(f.bold)},
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

}  // namespace

std::string json_string(std::string_view text)
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
    return out + '"';
}

std::string json()
{
    const Description& d = description();
    std::vector<std::string> controls, lines, substitutionList;
    for (const Control& c : d.controls)
        controls.push_back(object({{"kind", json_string(kindName(c.kind))}, {"name", json_string(c.name)},
            {"index", number(c.index)}, {"role", json_string(name(c.role))},
            {"caption", json_string(c.caption)}, {"rect", rect(c.rect)}, {"text", rgb(c.text)},
            {"background", rgb(c.background)}, {"font", font(c.font)},
            {"align", json_string(alignName(c.align))}, {"visible", boolean(c.visible)},
            {"tab", number(c.tab)}, {"accessibleName", json_string(c.accessibleName)},
            {"accessibleDescription", json_string(c.accessibleDescription)}, {"row", number(c.row)}}));
    for (const Line& l : d.lines)
        lines.push_back(object({{"name", json_string(l.name)}, {"role", json_string(name(l.role))},
            {"colour", rgb(l.colour)}, {"width", number(l.width)}, {"fixed", rect(l.fixed)}}));
    for (const Substitution& s : substitutions()) {
        std::vector<std::string> standIns;
        for (std::string_view name : s.standIns)
            standIns.push_back(json_string(name));
        substitutionList.push_back(object({{"named", json_string(s.named)}, {"standIns", array(standIns)}}));
    }
    return object({{"windowTitle", json_string(d.windowTitle)}, {"programTitle", json_string(d.programTitle)},
        {"width", number(d.width)}, {"height", number(d.height)}, {"windowFont", font(d.windowFont)},
        {"palette", palette(d.palette)}, {"controls", array(controls)}, {"lines", array(lines)},
        {"diagramArea", rect(d.diagramArea)}, {"diagramRow", number(d.diagramRow)},
        {"smallestTextScale", number(d.smallestTextScale)}, {"messageA", json_string(d.messageA)},
        {"messageB", json_string(d.messageB)}, {"endedNotice", json_string(d.endedNotice)},
        {"unavailableNotice", json_string(d.unavailableNotice)}, {"waitingText", json_string(d.waitingText)},
        {"coreFailedMessage", json_string(d.coreFailedMessage)}, {"eyes", eyeWords(d.eyes)},
        {"substitutions", array(substitutionList)}});
}

}  // namespace form
