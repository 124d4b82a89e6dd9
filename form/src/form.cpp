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

constexpr Align Right = Align::Right, Centre = Align::Centre;

constexpr Font bold(std::string_view family, double points)
{
    return {family, points, true, false};
}

constexpr Font regular(std::string_view family, double points)
{
    return {family, points, false, false};
}

constexpr Font italic(std::string_view family, double points)
{
    return {family, points, false, true};
}

// Labels first: they lie beneath the entries and buttons, which follow in
// tab order. One control to an entry; what a field does not say is its
// default (no role, left-aligned, visible, not in the tab order).
// clang-format off
constexpr std::array Controls{
    Control{.name = "Label1", .role = Role::Title, .rect = {360, 240, 3015, 375}, .caption = "プリズムの合成",
            .font = italic(Pop, 18), .background = PaleYellow, .align = Centre, .row = 0},
    Control{.name = "Label2", .rect = {3720, 240, 5655, 495},
            .caption = "２枚のプリズムＡ,Ｂの数値を打ち込み、合成ボタンを押すと、合成プリズムＣを計算します。",
            .font = bold(Gothic, 9.75), .row = 1},
    Control{.name = "Label3", .index = 0, .rect = {960, 1320, 1815, 375}, .caption = "プリズム A  =",
            .font = bold(PGothic, 14.25), .text = Blue, .align = Right, .row = 2},
    Control{.name = "Label3", .index = 1, .rect = {3840, 1320, 2655, 375}, .caption = DirectionCaption,
            .font = bold(PGothic, 14.25), .text = Blue, .row = 2},
    Control{.name = "Label4", .rect = {960, 2280, 1935, 375}, .caption = "プリズム B  = ",
            .font = bold(PGothic, 14.25), .text = Red, .align = Right, .row = 3},
    Control{.name = "Label3", .index = 4, .rect = {3840, 2280, 2655, 375}, .caption = DirectionCaption,
            .font = bold(PGothic, 14.25), .text = Red, .row = 3},
    Control{.name = "Label5", .rect = {960, 3720, 4215, 375}, .caption = "合成プリズムＣは・・・",
            .font = bold(Gothic, 14.25), .text = Black, .row = 5},
    Control{.name = "Label6", .role = Role::Result, .rect = {1080, 4200, 4935, 615}, .font = bold(PGothic, 18),
            .text = Black, .align = Centre, .accessibleDescription = "合成プリズムＣ", .row = 6},
    Control{.name = "Label9", .role = Role::LetterA, .rect = {5400, 5280, 375, 255}, .caption = "A",
            .font = bold(PGothic, 12), .align = Centre, .visible = false, .row = 7},
    Control{.name = "Label12", .role = Role::LetterB, .rect = {5400, 5520, 375, 255}, .caption = "B",
            .font = bold(PGothic, 12), .align = Centre, .visible = false, .row = 7},
    Control{.name = "Label13", .role = Role::LetterC, .rect = {5400, 5760, 375, 255}, .caption = "C",
            .font = bold(PGothic, 12), .align = Centre, .visible = false, .row = 7},
    Control{.name = "Command4", .kind = Kind::CommandButton, .role = Role::Print, .rect = {960, 5400, 855, 615},
            .caption = "print", .font = regular(PGothic, 9.75), .align = Centre, .visible = false, .tab = 0,
            .row = 8},
    Control{.name = "Text1", .kind = Kind::TextBox, .role = Role::APower, .rect = {3000, 1260, 735, 450},
            .font = bold(PGothic, 15.75), .text = Blue, .tab = 1, .accessibleName = "プリズムA 度数",
            .row = 2},
    Control{.name = "Text2", .kind = Kind::TextBox, .role = Role::ADirection, .rect = {5040, 1260, 855, 450},
            .font = bold(PGothic, 15.75), .text = Blue, .tab = 2, .accessibleName = "プリズムA Base方向",
            .row = 2},
    Control{.name = "Text3", .kind = Kind::TextBox, .role = Role::BPower, .rect = {3000, 2235, 735, 420},
            .font = bold(PGothic, 15.75), .text = Red, .tab = 3, .accessibleName = "プリズムB 度数",
            .row = 3},
    Control{.name = "Text4", .kind = Kind::TextBox, .role = Role::BDirection, .rect = {5040, 2205, 855, 450},
            .font = bold(PGothic, 15.75), .text = Red, .tab = 4, .accessibleName = "プリズムB Base方向",
            .row = 3},
    // The caption is wider than the button and wraps at its second
    // ideographic space: "合成" over "C=A+B".
    Control{.name = "Command1", .kind = Kind::CommandButton, .role = Role::Compute, .rect = {7200, 1440, 1335, 855},
            .caption = "\u3000合成\u3000C=A+B", .font = bold(Gothic, 12), .background = LightOrange,
            .align = Centre, .tab = 5, .row = 4},
    // END names no font: it is drawn in the window's own.
    Control{.name = "Command3", .kind = Kind::CommandButton, .role = Role::End, .rect = {3840, 5400, 1095, 615},
            .caption = "END", .font = {WindowDefault}, .background = LightPink, .align = Centre, .visible = false,
            .tab = 6, .row = 8},
    Control{.name = "Command2", .kind = Kind::CommandButton, .role = Role::Reset, .rect = {2280, 5400, 1095, 615},
            .caption = "リセット", .font = regular(Gothic, 9), .align = Centre, .visible = false, .tab = 7,
            .row = 8},
};

constexpr std::array Lines{
    Line{.name = "Line1", .role = LineRole::VectorA, .colour = Blue, .width = 2},
    Line{.name = "Line2", .role = LineRole::VectorB, .colour = Red, .width = 2},
    Line{.name = "Line3", .role = LineRole::VectorC, .colour = Black, .width = 3},
    Line{.name = "Line4", .role = LineRole::LegendA, .colour = Blue, .width = 2, .fixed = Rect{5880, 5400, 600, 0}},
    Line{.name = "Line5", .role = LineRole::LegendB, .colour = Red, .width = 2, .fixed = Rect{5880, 5640, 600, 0}},
    Line{.name = "Line6", .role = LineRole::LegendC, .colour = Black, .width = 3, .fixed = Rect{5880, 5880, 600, 0}},
};
// clang-format on

// clang-format off
constexpr std::array<LensEntryWords, 9> LensEntries{
    LensEntryWords{LensGroup::Lens, "sphere", "S", "S", ""},
    LensEntryWords{LensGroup::Lens, "cylinder", "C", "C", ""},
    LensEntryWords{LensGroup::Lens, "axis", "AX", "AX", ""},
    LensEntryWords{LensGroup::Decentration, "centreX", "水平 mm", "水平偏心", "水平偏心の向き"},
    LensEntryWords{LensGroup::Decentration, "centreY", "垂直 mm", "垂直偏心", "垂直偏心の向き"},
    LensEntryWords{LensGroup::Prism, "prismX", "水平 △", "水平プリズム", "水平プリズムの基底"},
    LensEntryWords{LensGroup::Prism, "prismY", "垂直 △", "垂直プリズム", "垂直プリズムの基底"},
    LensEntryWords{LensGroup::Reading, "readX", "水平 △", "実測 水平プリズム", "実測 水平プリズムの基底"},
    LensEntryWords{LensGroup::Reading, "readY", "垂直 △", "実測 垂直プリズム", "実測 垂直プリズムの基底"},
};
// clang-format on

// The words of C for each eye, and of the lens tool: each a constant of its
// own, so that what needs only them takes no more of the form.
constexpr EyeWords Eyes{.heading = "眼ごとのプリズム",
    .part = "%1△ %2",
    .separator = "、",
    .rightEye = "右眼",
    .leftEye = "左眼",
    .asRight = "Ｃを右眼に",
    .asLeft = "Ｃを左眼に",
    .split = "半分ずつ",
    .noPrism = "プリズムは要りません",
    .smallParts = "水平・垂直とも0.05△未満",
    .copyResult = "結果をコピー",
    .copyRight = "右眼の値をコピー",
    .copyLeft = "左眼の値をコピー",
    .copied = "コピーしました"};

constexpr LensWords Lens{.title = "レンズの偏心とプリズム",
    .open = "レンズの偏心とプリズム…",
    .font = regular(PGothic, 10.5),
    .groups = {"レンズ", "偏心からプリズム", "プリズムから偏心", "実測（プリズム基準点）"},
    .entries = LensEntries,
    .offsetWays = {"内方", "外方", "上方", "下方"},
    .prismWays = {"BI", "BO", "BU", "BD"},
    .prismChoices = {"BI（基底内方）", "BO（基底外方）", "BU（基底上方）", "BD（基底下方）"},
    .offsetPart = "%1 mm %2",
    .compute = "計算",
    .noPrism = "プリズムなし",
    .noOffset = "偏心なし",
    .blocked = "%1°の経線に度数がないので、偏心では得られません",
    .tooFar = "偏心では得られません（%1 が要ります）",
    .powerTakes = "%1 には −30.00 から 30.00 までの数を入れて下さい",
    .axisTakes = "%1 には 0 から 180 までの数を入れて下さい",
    .axisNeeded = "C が 0 でないときは、%1 も入れて下さい",
    .sizeTakes = "%1 には 0 から 30 までの数を入れて下さい",
    .fillHeading = "合成プリズムＣを求めるプリズムに：",
    .fills = {"Ｃを右眼に", "Ｃを右眼に・半分ずつ", "Ｃを左眼に", "Ｃを左眼に・半分ずつ"},
    .intoB = {"右眼のプリズムをＢに", "左眼のプリズムをＢに"},
    .copy = {"右眼の結果をコピー", "左眼の結果をコピー"},
    .nearHeading = "近用部の上下プリズム差",
    .depthLabel = "下方 mm",
    .depthName = "近用 下方",
    .depthAtStart = "10",
    .insetLabel = "内寄せ mm",
    .insetName = "近用 内寄せ",
    .insetTakes = "%1 には 0 から 10 までの数を入れて下さい",
    .needsBoth = "両眼のレンズを入れると、近用部の上下プリズム差を求めます",
    .nearPrism = "%1（近用部）：%2",
    .nearImbalance = "上下プリズム差（近用）：%1△",
    .farImbalance = "上下プリズム差（遠用）：%1△",
    .moreDown = "（%1のほうが基底下方）",
    .slabOff = "スラブオフ %1△ 基底上方を%2のレンズに、または逆スラブ %1△ 基底下方を%3のレンズに",
    .adapt = "1.5△ 未満では多くの人が慣れるので、スラブオフはほとんど作りません",
    .steps = "スラブオフは 0.5△ 刻みで作られます。注文する量は眼鏡店で決めて下さい",
    .copyNear = "上下プリズム差をコピー",
    .checkHeading = "仕上がりの検査",
    .checkScope = "単焦点・多焦点レンズの仕上がりを、各眼のプリズム基準点で読んだプリズムで処方と比べます。"
                  "累進レンズは限度が別で、プリズムシニングもずれに表れるので、この検査の対象外です。"
                  "限度は ANSI Z80.1 のもの（ISO 21987、JIS T 7337 の限度は入っていません）で、"
                  "店独自のより厳しい限度はそれぞれの店で当てて下さい",
    .checkOrdered = "処方（求める）プリズムは、各眼の「プリズムから偏心」に入れたプリズムです",
    .checkEye = "%1：ずれ %2（%3）",
    .checkNone = "%1：ずれなし",
    .checkShift = "プリズム基準点 %1",
    .checkBlocked = "%1°の経線に度数がないので、プリズム基準点の位置は分かりません",
    .checkTooFar = "プリズム基準点 %1：30 mm を超えます",
    .checkShiftTiny = "プリズム基準点から 0.05 mm 未満",
    .prismSize = "%1△",
    .checkVertical = "上下：%1：%2　%3",
    .checkHorizontal = "水平：%1：%2　%3",
    .checkHeights = "高さの差 %1 mm",
    .checkPd = "PD との差 %1 mm %2",
    .checkWider = "広い",
    .checkNarrower = "狭い",
    .checkPrismLimit = "%1△ まで（ANSI Z80.1）",
    .checkVerticalShiftLimit = "垂直方向の度数が %1 D を超えるため %2 mm まで（ANSI Z80.1）",
    .checkHorizontalShiftLimit = "水平方向の度数が %1 D を超えるため %2 mm まで（ANSI Z80.1）",
    .checkShiftUnknown
    = "%1△ まで（ANSI Z80.1。プリズム基準点の位置が分からないので、mm の限度は使えません）",
    .checkPasses = "合格",
    .checkFails = "不合格",
    .checkNeedsBoth = "両眼のレンズを入れると、左右の検査をします",
    .copyCheck = "検査結果をコピー"};

constexpr Description Form{
    .windowTitle = "Form1",
    .programTitle = "プリズムの合成",
    .width = 9870,
    .height = 6375,
    .windowFont = regular(PGothic, 9),  // a Japanese form's default font
    // The dialog grey, black text and white fields of a form; the frame and
    // shading the desktop's standard buttons and entries are drawn with on
    // that grey, the raised edge of its filled buttons, and the blue of its
    // keyboard focus.
    .palette = {.window = {239, 239, 239},
        .text = Black,
        .field = {255, 255, 255},
        .frame = {171, 171, 171},
        .buttonTop = {254, 254, 254},
        .buttonBottom = {237, 237, 237},
        .light = {255, 255, 255},
        .midlight = {239, 239, 239},
        .dark = {159, 159, 159},
        .shadow = {118, 118, 118},
        .focus = {38, 112, 158},
        .focusLight = {61, 179, 252},
        .focusAlpha = 30},
    .controls = Controls,
    .lines = Lines,
    // The square the vectors are drawn in at their nominal length (x 6000
    // to 9600, y 2400 to 6000) with the legend at its lower left, to the
    // form's right and bottom edges, where the window cuts a long line too.
    .diagramArea = {5250, 2250, 4620, 4125},
    .diagramRow = 7,
    // Half size: below that a number is no longer readable at arm's length.
    .smallestTextScale = 0.5,
    // "～" is the full-width tilde.
    .messageA = "Ａの度数（正の数）、Base方向（0～360°）を入れて下さい",
    .messageB = "Ｂの度数（正の数）、Base方向（0～360°）を入れて下さい",
    .endedNotice = "プリズムの合成を終了しました。もう一度使うときは、ページを再読み込みして下さい。",
    .unavailableNotice
    = "このページを使うには、Chrome 97、Edge 97、Firefox 98、Safari 16 以降のブラウザーで、"
      "JavaScript を有効にして、http か https のアドレスから開いて下さい。",
    .waitingText = "計算の準備をしています…",
    .coreFailedMessage
    = "計算の部分を読み込めませんでした。インターネットへの接続を確かめてから、もう一度押して下さい。",
    .print = {.failed = "印刷できませんでした。",
        .noService = "印刷サービス（CUPS）に接続できません。",
        .noPrinter = "既定のプリンターが見つかりません。プリンターを設定してから、もう一度印刷して下さい。",
        .notAccepting = "プリンター「%1」が停止しているか、印刷を受け付けていません。",
        .notSent = "プリンター「%1」に送れませんでした。",
        .detail = "（%1）"},
    .eyes = Eyes,
    .lens = Lens,
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

const EyeWords& eye_words()
{
    return Eyes;
}

const LensWords& lens_words()
{
    return Lens;
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

namespace {

// In the order of the enumerations.
constexpr std::array<std::string_view, 14> RoleNames{"", "title", "power A", "direction A", "power B",
    "direction B", "compute", "reset", "end", "print", "result", "letter A", "letter B", "letter C"};
static_assert(RoleNames.size() == size_t(Role::LetterC) + 1);
constexpr std::array<std::string_view, 6> LineRoleNames{
    "vector A", "vector B", "vector C", "legend A", "legend B", "legend C"};
static_assert(LineRoleNames.size() == size_t(LineRole::LegendC) + 1);

}  // namespace

std::string_view name(Role role)
{
    return RoleNames[size_t(role)];
}

std::string_view name(LineRole role)
{
    return LineRoleNames[size_t(role)];
}

}  // namespace form
