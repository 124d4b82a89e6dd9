// SPDX-License-Identifier: MIT
// The description as JSON, written by hand: one object, no dependency.
#include <form/form.h>

#include <cstdio>

namespace form {

namespace {

class Writer {
public:
    std::string out;

    void string(std::string_view s) { out += json_string(s); }
    void number(double d)
    {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.15g", d);
        out += buf;
    }
    void boolean(bool b) { out += b ? "true" : "false"; }
    void key(std::string_view k)
    {
        comma();
        string(k);
        out += ':';
        m_first = true;  // the value that follows needs no comma
    }
    void open(char bracket)
    {
        comma();
        out += bracket;
        m_first = true;
    }
    void close(char bracket)
    {
        out += bracket;
        m_first = false;
    }
    // Before a value: a comma unless it is the first in its object or array.
    void comma()
    {
        if (!m_first)
            out += ',';
        m_first = false;
    }
    void value(std::string_view s)
    {
        comma();
        string(s);
    }
    void value(double d)
    {
        comma();
        number(d);
    }
    void value(bool b)
    {
        comma();
        boolean(b);
    }
    void null()
    {
        comma();
        out += "null";
    }

private:
    bool m_first = true;
};

void rgb(Writer& w, const std::optional<Rgb>& c)
{
    if (!c)
        return w.null();
    w.open('[');
    w.value(double(c->r));
    w.value(double(c->g));
    w.value(double(c->b));
    w.close(']');
}

void rect(Writer& w, const std::optional<Rect>& r)
{
    if (!r)
        return w.null();
    w.open('[');
    for (int v : {r->left, r->top, r->width, r->height})
        w.value(double(v));
    w.close(']');
}

void font(Writer& w, const Font& f)
{
    w.open('{');
    w.key("family");
    w.value(f.family);
    w.key("points");
    w.value(f.points);
    w.key("bold");
    w.value(f.bold);
    w.key("italic");
    w.value(f.italic);
    w.close('}');
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
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out += escaped;
        } else {
            out += c;  // UTF-8 passes through
        }
    }
    return out + '"';
}

std::string json()
{
    const Description& d = description();
    Writer w;
    w.open('{');
    w.key("windowTitle");
    w.value(d.windowTitle);
    w.key("programTitle");
    w.value(d.programTitle);
    w.key("width");
    w.value(double(d.width));
    w.key("height");
    w.value(double(d.height));
    w.key("windowFont");
    font(w, d.windowFont);
    w.key("controls");
    w.open('[');
    for (const Control& c : d.controls) {
        w.open('{');
        w.key("kind");
        w.value(kindName(c.kind));
        w.key("name");
        w.value(c.name);
        w.key("index");
        w.value(double(c.index));
        w.key("caption");
        w.value(c.caption);
        w.key("rect");
        rect(w, c.rect);
        w.key("text");
        rgb(w, c.text);
        w.key("background");
        rgb(w, c.background);
        w.key("font");
        font(w, c.font);
        w.key("align");
        w.value(alignName(c.align));
        w.key("visible");
        w.value(c.visible);
        w.key("tab");
        w.value(double(c.tab));
        w.key("accessibleName");
        w.value(c.accessibleName);
        w.key("accessibleDescription");
        w.value(c.accessibleDescription);
        w.close('}');
    }
    w.close(']');
    w.key("lines");
    w.open('[');
    for (const Line& l : d.lines) {
        w.open('{');
        w.key("name");
        w.value(l.name);
        w.key("role");
        w.value(l.role);
        w.key("colour");
        rgb(w, l.colour);
        w.key("width");
        w.value(double(l.width));
        w.key("fixed");
        rect(w, l.fixed);
        w.close('}');
    }
    w.close(']');
    w.key("messageA");
    w.value(d.messageA);
    w.key("messageB");
    w.value(d.messageB);
    w.key("endedNotice");
    w.value(d.endedNotice);
    w.key("substitutions");
    w.open('[');
    for (const Substitution& s : substitutions()) {
        w.open('{');
        w.key("named");
        w.value(s.named);
        w.key("standIns");
        w.open('[');
        for (std::string_view name : s.standIns)
            w.value(name);
        w.close(']');
        w.close('}');
    }
    w.close(']');
    w.close('}');
    return std::move(w.out);
}

}  // namespace form
