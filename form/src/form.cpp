// SPDX-License-Identifier: MIT
#include <form/form.h>

#include <array>

namespace form {

namespace {

constexpr Rgb Blue{0, 0, 255};
constexpr Rgb Red{255, 0, 0};
constexpr Rgb Black{0, 0, 0};
constexpr Rgb PaleYellow{255, 255, 192};
constexpr Rgb LightOrange{255, 192, 128};
constexpr Rgb LightPink{255, 192, 255};

constexpr std::string_view PGothic = "ＭＳ Ｐゴシック";  // proportional gothic
constexpr std::string_view Gothic = "ＭＳ ゴシック";     // fixed-pitch gothic
constexpr std::string_view Pop = "HGP創英角ﾎﾟｯﾌﾟ体";     // the title's face
constexpr std::string_view WindowDefault = "";           // the window's own font

// The caption behind a direction field: "△  Base" shows left of the field
// and "°" just right of it; the blanks between run under the field.
constexpr std::string_view DirectionCaption = "△  Base\u3000     \u3000°";

constexpr auto None = std::nullopt;
constexpr Align L = Align::Left, R = Align::Right, C = Align::Centre;

// Labels first: they lie beneath the entries and buttons, which follow in
// tab order.
constexpr std::array Controls{
    Control{Kind::Label, "Label1", -1, "プリズムの合成", {360, 240, 3015, 375}, None, PaleYellow,
        {Pop, 18, false, true}, C, true, -1, {}, {}},
    Control{Kind::Label, "Label2", -1,
        "２枚のプリズムＡ,Ｂの数値を打ち込み、合成ボタンを押すと、合成プリズムＣを計算します。",
        {3720, 240, 5655, 495}, None, None, {Gothic, 9.75, true, false}, L, true, -1, {}, {}},
    Control{Kind::Label, "Label3", 0, "プリズム A  =", {960, 1320, 1815, 375}, Blue, None,
        {PGothic, 14.25, true, false}, R, true, -1, {}, {}},
    Control{Kind::Label, "Label3", 1, DirectionCaption, {3840, 1320, 2655, 375}, Blue, None,
        {PGothic, 14.25, true, false}, L, true, -1, {}, {}},
    Control{Kind::Label, "Label4", -1, "プリズム B  = ", {960, 2280, 1935, 375}, Red, None,
        {PGothic, 14.25, true, false}, R, true, -1, {}, {}},
    Control{Kind::Label, "Label3", 4, DirectionCaption, {3840, 2280, 2655, 375}, Red, None,
        {PGothic, 14.25, true, false}, L, true, -1, {}, {}},
    Control{Kind::Label, "Label5", -1, "合成プリズムＣは・・・", {960, 3720, 4215, 375}, Black, None,
        {Gothic, 14.25, true, false}, L, true, -1, {}, {}},
    Control{Kind::Label, "Label6", -1, "", {1080, 4200, 4935, 615}, Black, None, {PGothic, 18, true, false},
        C, true, -1, {}, "合成プリズムＣ"},
    Control{Kind::Label, "Label9", -1, "A", {5400, 5280, 375, 255}, None, None, {PGothic, 12, true, false}, C,
        false, -1, {}, {}},
    Control{Kind::Label, "Label12", -1, "B", {5400, 5520, 375, 255}, None, None, {PGothic, 12, true, false},
        C, false, -1, {}, {}},
    Control{Kind::Label, "Label13", -1, "C", {5400, 5760, 375, 255}, None, None, {PGothic, 12, true, false},
        C, false, -1, {}, {}},
    Control{Kind::CommandButton, "Command4", -1, "print", {960, 5400, 855, 615}, None, None,
        {PGothic, 9.75, false, false}, C, false, 0, {}, {}},
    Control{Kind::TextBox, "Text1", -1, "", {3000, 1260, 735, 450}, Blue, None, {PGothic, 15.75, true, false},
        L, true, 1, "プリズムA 度数", {}},
    Control{Kind::TextBox, "Text2", -1, "", {5040, 1260, 855, 450}, Blue, None, {PGothic, 15.75, true, false},
        L, true, 2, "プリズムA Base方向", {}},
    Control{Kind::TextBox, "Text3", -1, "", {3000, 2235, 735, 420}, Red, None, {PGothic, 15.75, true, false},
        L, true, 3, "プリズムB 度数", {}},
    Control{Kind::TextBox, "Text4", -1, "", {5040, 2205, 855, 450}, Red, None, {PGothic, 15.75, true, false},
        L, true, 4, "プリズムB Base方向", {}},
    // The caption is wider than the button and wraps at its second
    // ideographic space: "合成" over "C=A+B".
    Control{Kind::CommandButton, "Command1", -1, "\u3000合成\u3000C=A+B", {7200, 1440, 1335, 855}, None,
        LightOrange, {Gothic, 12, true, false}, C, true, 5, {}, {}},
    Control{Kind::CommandButton, "Command3", -1, "END", {3840, 5400, 1095, 615}, None, LightPink,
        {WindowDefault, 0, false, false}, C, false, 6, {}, {}},
    Control{Kind::CommandButton, "Command2", -1, "リセット", {2280, 5400, 1095, 615}, None, None,
        {Gothic, 9, false, false}, C, false, 7, {}, {}},
};

constexpr std::array Lines{
    Line{"Line1", "vector A", Blue, 2, None},
    Line{"Line2", "vector B", Red, 2, None},
    Line{"Line3", "vector C", Black, 3, None},
    Line{"Line4", "legend A", Blue, 2, Rect{5880, 5400, 600, 0}},
    Line{"Line5", "legend B", Red, 2, Rect{5880, 5640, 600, 0}},
    Line{"Line6", "legend C", Black, 3, Rect{5880, 5880, 600, 0}},
};

constexpr Description Form{
    "Form1",
    "プリズムの合成",
    9870,
    6375,
    {PGothic, 9, false, false},  // a Japanese form's default font
    // The dialog grey, black text and white fields of a form; the frame and
    // shading the desktop's standard buttons and entries are drawn with on
    // that grey, the raised edge of its filled buttons, and the blue of its
    // keyboard focus.
    {{239, 239, 239}, Black, {255, 255, 255}, {171, 171, 171}, {254, 254, 254}, {237, 237, 237},
        {255, 255, 255}, {239, 239, 239}, {159, 159, 159}, {118, 118, 118}, {38, 112, 158}, {61, 179, 252},
        30},
    Controls,
    Lines,
    // "～" is the full-width tilde.
    "Ａの度数（正の数）、Base方向（0～360°）を入れて下さい",
    "Ｂの度数（正の数）、Base方向（0～360°）を入れて下さい",
    "プリズムの合成を終了しました。もう一度使うときは、ページを再読み込みして下さい。",
    "このページを使うには、JavaScript と WebAssembly が使える最新のブラウザーで、http か https のアドレスから"
    "開いて下さい。",
};

// IPA's gothic faces share the metrics of the two Windows gothics, so the
// captions break and align as they would there. The title face has no free
// equivalent; a rounded face keeps its friendly look. Each list ends with a
// broad CJK face so a Japanese glyph is always found.
constexpr std::array<std::string_view, 3> PGothicStandIns{"MS PGothic", "IPAPGothic", "Noto Sans CJK JP"};
constexpr std::array<std::string_view, 3> GothicStandIns{"MS Gothic", "IPAGothic", "Noto Sans Mono CJK JP"};
constexpr std::array<std::string_view, 4> PopStandIns{
    "HGPSoeiKakupoptai", "MotoyaLMaru", "IPAPGothic", "Noto Sans CJK JP"};
const std::array Substitutions{
    Substitution{PGothic, PGothicStandIns},
    Substitution{Gothic, GothicStandIns},
    Substitution{Pop, PopStandIns},
};

}  // namespace

const Description& description()
{
    return Form;
}

std::span<const Substitution> substitutions()
{
    return Substitutions;
}

const Control* find(std::string_view name, int index)
{
    for (const Control& c : Form.controls)
        if (c.name == name && c.index == index)
            return &c;
    return nullptr;
}

}  // namespace form
