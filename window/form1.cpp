// SPDX-License-Identifier: MIT
#include "form1.h"

#include "filledbutton.h"
#include "fitting.h"
#include "fonts.h"
#include "lineshape.h"
#include "printing.h"
#include "twips.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>

#include <string_view>

using namespace Qt::StringLiterals;

namespace {

// Rejection messages, one per prism; "～" is the full-width tilde.
const QString MessageA = u"Ａの度数（正の数）、Base方向（0～360°）を入れて下さい"_s;
const QString MessageB = u"Ｂの度数（正の数）、Base方向（0～360°）を入れて下さい"_s;

// The caption behind a direction field: "△  Base" shows left of the field
// and "°" just right of it; the blanks between run under the field.
const QString DirectionCaption = u"△  Base\u3000     \u3000°"_s;

const QColor Blue(0, 0, 255);
const QColor Red(255, 0, 0);
const QColor Black(0, 0, 0);

struct LabelRow {
    const char* name;
    int index;  // member of the Label3 control array, or -1
    QString caption;
    QRect geometry;     // in pixels
    QColor text;        // invalid: the platform's window-text colour
    QColor background;  // invalid: transparent
    const char16_t* family;
    double pointSize;
    bool bold;
    bool italic;
    Qt::Alignment alignment;
    bool visible;
};

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    if (!colour.isValid())
        return;
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

}  // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(u"Form1"_s);
    setWindowTitle(u"Form1"_s);
    setFixedSize(twips::toPixels(9870), twips::toPixels(6375));
    // The window's own font, which "END" inherits.
    setFont(fonts::windowDefault());

    // Creation order is stacking order: the labels lie beneath the entries
    // and buttons, which follow in tab order.
    buildLabels();
    buildEntries();
    buildButtons();
    buildLines();

    Text1->setFocus();
}

Form1::~Form1() = default;

QString Form1::programTitle()
{
    return u"プリズムの合成"_s;
}

void Form1::buildLabels()
{
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignTop;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignTop;
    const Qt::Alignment centre = Qt::AlignHCenter | Qt::AlignTop;
    const QColor none;
    const QColor paleYellow(255, 255, 192);
    using namespace fonts;

    const LabelRow rows[] = {
        {"Label1", -1, u"プリズムの合成"_s, twips::rect(360, 240, 3015, 375), none, paleYellow, Pop, 18,
            false, true, centre, true},
        {"Label2", -1,
            u"２枚のプリズムＡ,Ｂの数値を打ち込み、合成ボタンを押すと、合成プリズムＣを計算します。"_s,
            twips::rect(3720, 240, 5655, 495), none, none, Gothic, 9.75, true, false, left, true},
        {"Label3", 0, u"プリズム A  ="_s, twips::rect(960, 1320, 1815, 375), Blue, none, PGothic, 14.25,
            true, false, right, true},
        {"Label3", 1, DirectionCaption, twips::rect(3840, 1320, 2655, 375), Blue, none, PGothic, 14.25, true,
            false, left, true},
        {"Label4", -1, u"プリズム B  = "_s, twips::rect(960, 2280, 1935, 375), Red, none, PGothic, 14.25,
            true, false, right, true},
        {"Label3", 4, DirectionCaption, twips::rect(3840, 2280, 2655, 375), Red, none, PGothic, 14.25, true,
            false, left, true},
        {"Label5", -1, u"合成プリズムＣは・・・"_s, twips::rect(960, 3720, 4215, 375), Black, none, Gothic,
            14.25, true, false, left, true},
        {"Label6", -1, QString(), twips::rect(1080, 4200, 4935, 615), Black, none, PGothic, 18, true, false,
            centre, true},
        {"Label9", -1, u"A"_s, twips::rect(5400, 5280, 375, 255), none, none, PGothic, 12, true, false,
            centre, false},
        {"Label12", -1, u"B"_s, twips::rect(5400, 5520, 375, 255), none, none, PGothic, 12, true, false,
            centre, false},
        {"Label13", -1, u"C"_s, twips::rect(5400, 5760, 375, 255), none, none, PGothic, 12, true, false,
            centre, false},
    };

    for (const LabelRow& row : rows) {
        // The result line shrinks a long result to fit instead of cutting it.
        auto* label = row.name == std::string_view("Label6") ? new FittingLabel(row.caption, this)
                                                              : new QLabel(row.caption, this);
        label->setObjectName(QString::fromLatin1(row.name));
        if (row.index >= 0)
            label->setProperty("index", row.index);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(row.alignment);
        label->setGeometry(row.geometry);
        label->setFont(fonts::make(QString::fromUtf16(row.family), row.pointSize, row.bold, row.italic));
        setColour(label, QPalette::WindowText, row.text);
        if (row.background.isValid()) {
            setColour(label, QPalette::Window, row.background);
            label->setAutoFillBackground(true);
        }
        label->setVisible(row.visible);
    }

    // A face that does not declare Latin (Motoya L Maruberi does not) makes
    // Qt open one engine per script of the caption, each after its own
    // fontconfig match. The title's caption is fixed and every face it may be
    // drawn with holds all its glyphs, so one engine without fallback serves.
    auto* title = findChild<QLabel*>(u"Label1"_s);
    QFont titleFont = title->font();
    titleFont.setStyleStrategy(QFont::NoFontMerging);
    title->setFont(titleFont);

    Label6 = findChild<QLabel*>(u"Label6"_s);
    Label9 = findChild<QLabel*>(u"Label9"_s);
    Label12 = findChild<QLabel*>(u"Label12"_s);
    Label13 = findChild<QLabel*>(u"Label13"_s);
    // A screen reader speaks the result itself; the description says what it is.
    Label6->setAccessibleDescription(u"合成プリズムＣ"_s);
}

void Form1::buildEntries()
{
    const QFont font = fonts::make(QString::fromUtf16(fonts::PGothic), 15.75, true);
    const auto entry = [&](const char* name, QRect r, const QColor& colour, const QString& accessibleName) {
        auto* edit = new EntryField(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setGeometry(r);
        edit->setFont(font);
        setColour(edit, QPalette::Text, colour);
        edit->setAccessibleName(accessibleName);
        return edit;
    };
    Text1 = entry("Text1", twips::rect(3000, 1260, 735, 450), Blue, u"プリズムA 度数"_s);
    Text2 = entry("Text2", twips::rect(5040, 1260, 855, 450), Blue, u"プリズムA Base方向"_s);
    Text3 = entry("Text3", twips::rect(3000, 2235, 735, 420), Red, u"プリズムB 度数"_s);
    Text4 = entry("Text4", twips::rect(5040, 2205, 855, 450), Red, u"プリズムB Base方向"_s);
}

void Form1::buildButtons()
{
    const auto place = [this](QPushButton* button, const char* name, QRect r, bool visible) {
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(r);
        // Not a dialog: no button answers Enter or Escape typed in a field.
        // Enter on a focused button presses it, as on Windows.
        button->setDefault(false);
        button->setAutoDefault(true);
        button->setVisible(visible);
    };

    Command4 = new QPushButton(u"print"_s, this);
    place(Command4, "Command4", twips::rect(960, 5400, 855, 615), false);
    Command4->setFont(fonts::make(QString::fromUtf16(fonts::PGothic), 9.75, false));

    Command1 = new FilledButton(u"\u3000合成\u3000C=A+B"_s, QColor(255, 192, 128), this);
    place(Command1, "Command1", twips::rect(7200, 1440, 1335, 855), true);
    Command1->setFont(fonts::make(QString::fromUtf16(fonts::Gothic), 12, true));

    Command3 = new FilledButton(u"END"_s, QColor(255, 192, 255), this);
    place(Command3, "Command3", twips::rect(3840, 5400, 1095, 615), false);

    Command2 = new QPushButton(u"リセット"_s, this);
    place(Command2, "Command2", twips::rect(2280, 5400, 1095, 615), false);
    Command2->setFont(fonts::make(QString::fromUtf16(fonts::Gothic), 9, false));

    // Tab order: print, the four entries, compute, end, reset. Hidden
    // buttons drop out of the chain by themselves.
    QWidget* order[] = {Command4, Text1, Text2, Text3, Text4, Command1, Command3, Command2};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    setTabOrder(Command2, Command4);

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
}

void Form1::buildLines()
{
    const auto line = [this](const char* name, const QColor& colour, int width) {
        auto* shape = new LineShape(QString::fromLatin1(name), colour, width, this);
        connect(shape, &LineShape::changed, this, qOverload<>(&QWidget::update));
        return shape;
    };
    Line1 = line("Line1", Blue, 2);
    Line2 = line("Line2", Red, 2);
    Line3 = line("Line3", Black, 3);
    Line4 = line("Line4", Blue, 2);
    Line5 = line("Line5", Red, 2);
    Line6 = line("Line6", Black, 3);
    // The legend lines never move.
    Line4->setStart(5880, 5400);
    Line4->setEnd(6480, 5400);
    Line5->setStart(5880, 5640);
    Line5->setEnd(6480, 5640);
    Line6->setStart(5880, 5880);
    Line6->setEnd(6480, 5880);
}

void Form1::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (const LineShape* line : {Line1, Line2, Line3, Line4, Line5, Line6})
        line->paint(painter);
}

void Form1::showMessage(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, programTitle(), text, QMessageBox::Ok, this);
    box.exec();
}

void Form1::Command1_Click()
{
    // The entries go into the state exactly as typed.
    m_state.AP = Text1->text().toStdString();
    m_state.ABase = Text2->text().toStdString();
    m_state.BP = Text3->text().toStdString();
    m_state.BBase = Text4->text().toStdString();

    switch (prism::evaluate(m_state)) {
    case prism::Outcome::RejectA:
        showMessage(MessageA);
        return;
    case prism::Outcome::RejectB:
        showMessage(MessageB);
        return;
    case prism::Outcome::Composed:
        break;
    }

    Label6->setText(QString::fromStdString(prism::result_text(m_state)));
    Command2->show();
    Command3->show();
    Command4->show();
    update_diagram();
}

void Form1::update_diagram()
{
    if (!prism::round_and_scale(m_state)) {
        // No scale exists (every rounded power is 0.0): an earlier diagram
        // beside this result would be a wrong picture, so show none.
        setDiagramVisible(false);
        return;
    }
    const auto place = [](LineShape* line, double xs, double ys) {
        line->setStart(prism::DiagramOrigin.x, prism::DiagramOrigin.y);
        const prism::TwipPoint end = prism::end_point(xs, ys);
        line->setEnd(end.x, end.y);
    };
    place(Line1, m_state.AXs, m_state.AYs);
    place(Line2, m_state.BXs, m_state.BYs);
    place(Line3, m_state.CXs, m_state.CYs);
    setDiagramVisible(true);
}

void Form1::setDiagramVisible(bool visible)
{
    for (LineShape* line : {Line1, Line2, Line3, Line4, Line5, Line6})
        line->setVisible(visible);
    for (QLabel* letter : {Label9, Label12, Label13})
        letter->setVisible(visible);
}

void Form1::Command2_Click()
{
    for (QLineEdit* field : {Text1, Text2, Text3, Text4})
        field->setText(QString());
    Label6->setText(QString());
    setDiagramVisible(false);
}

void Form1::Command3_Click()
{
    QCoreApplication::exit(0);
}

void Form1::Command4_Click()
{
    const printing::Outcome outcome = printing::printWindow(*this, programTitle());
    if (outcome.result != printing::Result::Printed)
        showMessage(printing::message(outcome));
}
