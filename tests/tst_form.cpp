// SPDX-License-Identifier: MIT
// The form's description against the layout, character for character and
// twip for twip: the one place the layout's values are written in the tests.
// Every other suite reads the description.
#include <form/form.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

QString q(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

QString rgb(const std::optional<form::Rgb>& c)
{
    return c ? u"%1,%2,%3"_s.arg(c->r).arg(c->g).arg(c->b) : u"default"_s;
}

const QString PGothic = u"ＭＳ Ｐゴシック"_s;
const QString Gothic = u"ＭＳ ゴシック"_s;
const QString Pop = u"HGP創英角ﾎﾟｯﾌﾟ体"_s;
const QString Blue = u"0,0,255"_s, Red = u"255,0,0"_s, Black = u"0,0,0"_s, Default = u"default"_s;

}  // namespace

class FormTest : public QObject {
    Q_OBJECT

private slots:
    void window();
    void controls_data();
    void controls();
    void nothingElseIsOnTheForm();
    void lines_data();
    void lines();
    void json();
};

void FormTest::window()
{
    const form::Description& d = form::description();
    QCOMPARE(q(d.windowTitle), u"Form1"_s);
    QCOMPARE(q(d.programTitle), u"プリズムの合成"_s);
    QCOMPARE(d.width, 9870);
    QCOMPARE(d.height, 6375);
    // "～" is U+FF5E, "°" U+00B0.
    QCOMPARE(q(d.messageA), u"Ａの度数（正の数）、Base方向（0\uFF5E360\u00B0）を入れて下さい"_s);
    QCOMPARE(q(d.messageB), u"Ｂの度数（正の数）、Base方向（0\uFF5E360\u00B0）を入れて下さい"_s);
    QVERIFY(!d.endedNotice.empty());
    QVERIFY(!d.unavailableNotice.empty());
}

void FormTest::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("rect");  // twips
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("background");
    QTest::addColumn<QString>("family");  // "" : the window's default font
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<int>("align");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("accessibleName");

    const int label = int(form::Kind::Label), entry = int(form::Kind::TextBox),
              button = int(form::Kind::CommandButton);
    const int left = int(form::Align::Left), right = int(form::Align::Right),
              centre = int(form::Align::Centre);

    QTest::newRow("Text1") << u"Text1"_s << -1 << entry << QString() << QRect(3000, 1260, 735, 450) << Blue
                           << Default << PGothic << 15.75 << true << left << true << 1 << u"プリズムA 度数"_s;
    QTest::newRow("Text2") << u"Text2"_s << -1 << entry << QString() << QRect(5040, 1260, 855, 450) << Blue
                           << Default << PGothic << 15.75 << true << left << true << 2
                           << u"プリズムA Base方向"_s;
    QTest::newRow("Text3") << u"Text3"_s << -1 << entry << QString() << QRect(3000, 2235, 735, 420) << Red
                           << Default << PGothic << 15.75 << true << left << true << 3 << u"プリズムB 度数"_s;
    QTest::newRow("Text4") << u"Text4"_s << -1 << entry << QString() << QRect(5040, 2205, 855, 450) << Red
                           << Default << PGothic << 15.75 << true << left << true << 4
                           << u"プリズムB Base方向"_s;
    QTest::newRow("Command1") << u"Command1"_s << -1 << button << u"\u3000合成\u3000C=A+B"_s
                              << QRect(7200, 1440, 1335, 855) << Default << u"255,192,128"_s << Gothic << 12.0
                              << true << centre << true << 5 << QString();
    QTest::newRow("Command4") << u"Command4"_s << -1 << button << u"print"_s << QRect(960, 5400, 855, 615)
                              << Default << Default << PGothic << 9.75 << false << centre << false << 0
                              << QString();
    QTest::newRow("Command2") << u"Command2"_s << -1 << button << u"リセット"_s
                              << QRect(2280, 5400, 1095, 615) << Default << Default << Gothic << 9.0 << false
                              << centre << false << 7 << QString();
    // END names no font: the window's default.
    QTest::newRow("Command3") << u"Command3"_s << -1 << button << u"END"_s << QRect(3840, 5400, 1095, 615)
                              << Default << u"255,192,255"_s << QString() << 0.0 << false << centre << false
                              << 6 << QString();
    QTest::newRow("Label1") << u"Label1"_s << -1 << label << u"プリズムの合成"_s << QRect(360, 240, 3015, 375)
                            << Default << u"255,255,192"_s << Pop << 18.0 << false << centre << true << -1
                            << QString();
    QTest::newRow("Label2")
        << u"Label2"_s << -1 << label
        << u"２枚のプリズムＡ,Ｂの数値を打ち込み、合成ボタンを押すと、合成プリズムＣを計算します。"_s
        << QRect(3720, 240, 5655, 495) << Default << Default << Gothic << 9.75 << true << left << true << -1
        << QString();
    QTest::newRow("Label3(0)") << u"Label3"_s << 0 << label << u"プリズム A  ="_s
                               << QRect(960, 1320, 1815, 375) << Blue << Default << PGothic << 14.25 << true
                               << right << true << -1 << QString();
    QTest::newRow("Label3(1)") << u"Label3"_s << 1 << label << u"△  Base\u3000     \u3000°"_s
                               << QRect(3840, 1320, 2655, 375) << Blue << Default << PGothic << 14.25 << true
                               << left << true << -1 << QString();
    QTest::newRow("Label4") << u"Label4"_s << -1 << label << u"プリズム B  = "_s
                            << QRect(960, 2280, 1935, 375) << Red << Default << PGothic << 14.25 << true
                            << right << true << -1 << QString();
    QTest::newRow("Label3(4)") << u"Label3"_s << 4 << label << u"△  Base\u3000     \u3000°"_s
                               << QRect(3840, 2280, 2655, 375) << Red << Default << PGothic << 14.25 << true
                               << left << true << -1 << QString();
    QTest::newRow("Label5") << u"Label5"_s << -1 << label << u"合成プリズムＣは・・・"_s
                            << QRect(960, 3720, 4215, 375) << Black << Default << Gothic << 14.25 << true
                            << left << true << -1 << QString();
    QTest::newRow("Label6") << u"Label6"_s << -1 << label << QString() << QRect(1080, 4200, 4935, 615)
                            << Black << Default << PGothic << 18.0 << true << centre << true << -1
                            << QString();
    QTest::newRow("Label9") << u"Label9"_s << -1 << label << u"A"_s << QRect(5400, 5280, 375, 255) << Default
                            << Default << PGothic << 12.0 << true << centre << false << -1 << QString();
    QTest::newRow("Label12") << u"Label12"_s << -1 << label << u"B"_s << QRect(5400, 5520, 375, 255)
                             << Default << Default << PGothic << 12.0 << true << centre << false << -1
                             << QString();
    QTest::newRow("Label13") << u"Label13"_s << -1 << label << u"C"_s << QRect(5400, 5760, 375, 255)
                             << Default << Default << PGothic << 12.0 << true << centre << false << -1
                             << QString();
}

void FormTest::controls()
{
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(int, kind);
    QFETCH(QString, caption);
    QFETCH(QRect, rect);
    QFETCH(QString, text);
    QFETCH(QString, background);
    QFETCH(QString, family);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(int, align);
    QFETCH(bool, visible);
    QFETCH(int, tab);
    QFETCH(QString, accessibleName);

    const form::Control* c = form::find(name.toStdString(), index);
    QVERIFY(c);
    QCOMPARE(int(c->kind), kind);
    QCOMPARE(q(c->caption), caption);
    QCOMPARE(QRect(c->rect.left, c->rect.top, c->rect.width, c->rect.height), rect);
    QCOMPARE(rgb(c->text), text);
    QCOMPARE(rgb(c->background), background);
    QCOMPARE(q(c->font.family), family);
    if (!family.isEmpty()) {
        QCOMPARE(c->font.points, points);
        QCOMPARE(c->font.bold, bold);
        QCOMPARE(c->font.italic, name == u"Label1"_s);  // only the title is italic
    }
    if (kind != int(form::Kind::TextBox))
        QCOMPARE(int(c->align), align);
    QCOMPARE(c->visible, visible);
    QCOMPARE(c->tab, tab);
    QCOMPARE(q(c->accessibleName), accessibleName);
}

void FormTest::nothingElseIsOnTheForm()
{
    // The controls listed above are all the controls the user ever sees;
    // the window's own font is a Japanese form's default.
    QCOMPARE(form::description().controls.size(), size_t(19));
    const form::Font& f = form::description().windowFont;
    QCOMPARE(q(f.family), PGothic);
    QCOMPARE(f.points, 9.0);
    QVERIFY(!f.bold && !f.italic);
    // Labels lie beneath the entries and buttons: they come first.
    bool seenFocusable = false;
    for (const form::Control& c : form::description().controls) {
        if (c.kind == form::Kind::Label)
            QVERIFY2(!seenFocusable, qPrintable(q(c.name)));
        else
            seenFocusable = true;
    }
}

void FormTest::lines_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("colour");
    QTest::addColumn<int>("width");
    QTest::addColumn<QLine>("legend");  // null: a vector, placed by each compute

    QTest::newRow("Line1") << u"Line1"_s << Blue << 2 << QLine();
    QTest::newRow("Line2") << u"Line2"_s << Red << 2 << QLine();
    QTest::newRow("Line3") << u"Line3"_s << Black << 3 << QLine();
    QTest::newRow("Line4") << u"Line4"_s << Blue << 2 << QLine(5880, 5400, 6480, 5400);
    QTest::newRow("Line5") << u"Line5"_s << Red << 2 << QLine(5880, 5640, 6480, 5640);
    QTest::newRow("Line6") << u"Line6"_s << Black << 3 << QLine(5880, 5880, 6480, 5880);
}

void FormTest::lines()
{
    QFETCH(QString, name);
    QFETCH(QString, colour);
    QFETCH(int, width);
    QFETCH(QLine, legend);

    const form::Line* line = nullptr;
    for (const form::Line& l : form::description().lines)
        if (q(l.name) == name)
            line = &l;
    QVERIFY(line);
    QCOMPARE(rgb(line->colour), colour);
    QCOMPARE(line->width, width);
    QCOMPARE(line->fixed.has_value(), !legend.isNull());
    if (line->fixed) {
        const form::Rect& r = *line->fixed;
        QCOMPARE(QLine(r.left, r.top, r.left + r.width, r.top + r.height), legend);
    }
}

namespace {

QJsonValue value(const std::optional<form::Rgb>& c)
{
    return c ? QJsonValue(QJsonArray{c->r, c->g, c->b}) : QJsonValue(QJsonValue::Null);
}

QJsonValue value(const std::optional<form::Rect>& r)
{
    return r ? QJsonValue(QJsonArray{r->left, r->top, r->width, r->height}) : QJsonValue(QJsonValue::Null);
}

QJsonObject value(const form::Font& f)
{
    return {
        {u"family"_s, q(f.family)}, {u"points"_s, f.points}, {u"bold"_s, f.bold}, {u"italic"_s, f.italic}};
}

}  // namespace

void FormTest::json()
{
    // The page reads the description as JSON and nothing else: every field
    // it reads says what the description says.
    QJsonParseError error;
    const QJsonDocument doc
        = QJsonDocument::fromJson(QByteArray::fromStdString(form::description_json()), &error);
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
    const QJsonObject o = doc.object();
    const form::Description& d = form::description();
    QCOMPARE(o[u"windowTitle"_s].toString(), q(d.windowTitle));
    QCOMPARE(o[u"programTitle"_s].toString(), q(d.programTitle));
    QCOMPARE(o[u"twipsPerPixel"_s].toInt(), form::TwipsPerPixel);
    QCOMPARE(o[u"messageA"_s].toString(), q(d.messageA));
    QCOMPARE(o[u"messageB"_s].toString(), q(d.messageB));
    QCOMPARE(o[u"endedNotice"_s].toString(), q(d.endedNotice));
    QCOMPARE(o[u"unavailableNotice"_s].toString(), q(d.unavailableNotice));
    QCOMPARE(o[u"waitingText"_s].toString(), q(d.waitingText));
    QCOMPARE(o[u"coreFailedMessage"_s].toString(), q(d.coreFailedMessage));
    QCOMPARE(o[u"diagramArea"_s], value(std::optional(d.diagramArea)));
    QCOMPARE(o[u"diagramRow"_s].toInt(), d.diagramRow);
    QCOMPARE(o[u"width"_s].toInt(), d.width);
    QCOMPARE(o[u"height"_s].toInt(), d.height);
    QCOMPARE(o[u"windowFont"_s].toObject(), value(d.windowFont));
    QCOMPARE(o[u"smallestTextScale"_s].toDouble(), d.smallestTextScale);
    const form::Palette& p = d.palette;
    const QJsonObject palette{{u"window"_s, value(p.window)}, {u"text"_s, value(p.text)},
        {u"field"_s, value(p.field)}, {u"frame"_s, value(p.frame)}, {u"buttonTop"_s, value(p.buttonTop)},
        {u"buttonBottom"_s, value(p.buttonBottom)}, {u"light"_s, value(p.light)},
        {u"midlight"_s, value(p.midlight)}, {u"dark"_s, value(p.dark)}, {u"shadow"_s, value(p.shadow)},
        {u"focus"_s, value(p.focus)}, {u"focusLight"_s, value(p.focusLight)},
        {u"focusAlpha"_s, p.focusAlpha}};
    QCOMPARE(o[u"palette"_s].toObject(), palette);

    const QJsonArray controls = o[u"controls"_s].toArray();
    QCOMPARE(size_t(controls.size()), d.controls.size());
    const QStringList kinds{u"TextBox"_s, u"CommandButton"_s, u"Label"_s};
    const QStringList aligns{u"left"_s, u"right"_s, u"centre"_s};
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const form::Control& c = d.controls[size_t(i)];
        const QString id = c.index >= 0 ? u"%1-%2"_s.arg(q(c.name)).arg(c.index) : q(c.name);
        const QJsonObject want{{u"kind"_s, kinds[int(c.kind)]}, {u"name"_s, q(c.name)}, {u"index"_s, c.index},
            {u"id"_s, id}, {u"role"_s, q(form::name(c.role))}, {u"caption"_s, q(c.caption)},
            {u"rect"_s, value(std::optional(c.rect))}, {u"text"_s, value(c.text)},
            {u"background"_s, value(c.background)}, {u"font"_s, value(c.font)},
            {u"align"_s, aligns[int(c.align)]}, {u"visible"_s, c.visible}, {u"tab"_s, c.tab},
            {u"accessibleName"_s, q(c.accessibleName)},
            {u"accessibleDescription"_s, q(c.accessibleDescription)}, {u"row"_s, c.row}};
        QCOMPARE(controls[i].toObject(), want);
    }
    const QJsonArray lines = o[u"lines"_s].toArray();
    QCOMPARE(size_t(lines.size()), d.lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const form::Line& l = d.lines[size_t(i)];
        const QJsonObject want{{u"name"_s, q(l.name)}, {u"role"_s, q(form::name(l.role))},
            {u"colour"_s, value(std::optional(l.colour))}, {u"width"_s, l.width},
            {u"fixed"_s, value(l.fixed)}};
        QCOMPARE(lines[i].toObject(), want);
    }
    const QJsonArray substitutions = o[u"substitutions"_s].toArray();
    QCOMPARE(size_t(substitutions.size()), form::substitutions().size());
    for (qsizetype i = 0; i < substitutions.size(); ++i) {
        const form::Substitution& sub = form::substitutions()[size_t(i)];
        QJsonArray standIns;
        for (std::string_view name : sub.standIns)
            standIns.append(q(name));
        QCOMPARE(substitutions[i].toObject(),
            (QJsonObject{{u"named"_s, q(sub.named)}, {u"standIns"_s, standIns}}));
    }
}

QTEST_GUILESS_MAIN(FormTest)
#include "tst_form.moc"
