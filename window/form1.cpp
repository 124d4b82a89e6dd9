// SPDX-License-Identifier: MIT
#include "form1.h"

#include "described.h"
#include "filledbutton.h"
#include "fitting.h"
#include "fonts.h"
#include "lineshape.h"
#include "printing.h"
#include "twips.h"

#include <form/form.h>
#include <texts/eyes.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <iterator>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

QColor colour(const form::Rgb& c)
{
    return QColor(c.r, c.g, c.b);
}

void setColour(QWidget* widget, QPalette::ColorRole role, const std::optional<form::Rgb>& c)
{
    if (!c)
        return;
    QPalette palette = widget->palette();
    palette.setColor(role, colour(*c));
    widget->setPalette(palette);
}

Qt::Alignment alignment(form::Align a)
{
    switch (a) {
    case form::Align::Right:
        return Qt::AlignRight | Qt::AlignTop;
    case form::Align::Centre:
        return Qt::AlignHCenter | Qt::AlignTop;
    case form::Align::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

QRect pixels(const form::Rect& r)
{
    return twips::rect(r.left, r.top, r.width, r.height);
}

// The form's own colours, whatever the desktop's theme: the page draws the
// same ones.
QPalette formPalette(const form::Palette& p, QPalette colours)
{
    colours.setColor(QPalette::Window, colour(p.window));
    colours.setColor(QPalette::Button, colour(p.window));
    colours.setColor(QPalette::Base, colour(p.field));
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        colours.setColor(role, colour(p.text));
    colours.setColor(QPalette::Light, colour(p.light));
    colours.setColor(QPalette::Midlight, colour(p.midlight));
    colours.setColor(QPalette::Dark, colour(p.dark));
    colours.setColor(QPalette::Shadow, colour(p.shadow));
    return colours;
}

}  // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent)
{
    const form::Description& layout = form::description();
    setObjectName(described(layout.windowTitle));
    setWindowTitle(described(layout.windowTitle));
    setFixedSize(twips::toPixels(layout.width), twips::toPixels(layout.height));
    // The window's own font, which controls naming none ("END") inherit.
    setFont(fonts::make(layout.windowFont));
    setPalette(formPalette(layout.palette, palette()));
    buildControls(layout.controls);
    buildLines(layout.lines);
    // The actions reach every control they act on through its role: a
    // description without one of them is a fault of the program, found at
    // once rather than at the first click.
    const QObject* const kept[] = {Text1, Text2, Text3, Text4, Command1, Command2, Command3, Command4, Label6,
        Label9, Label12, Label13, Line1, Line2, Line3, Line4, Line5, Line6};
    if (std::find(std::begin(kept), std::end(kept), nullptr) != std::end(kept))
        qFatal("Form1: the form's description lacks a control the actions need");
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    // Any change counts: typed, pasted, undone, an input method's commit, an
    // assistive tool's; an input method's text still being composed does not
    // change the text, so clears nothing yet.
    for (QLineEdit* field : {Text1, Text2, Text3, Text4})
        connect(field, &QLineEdit::textChanged, this, &Form1::clearResult);
    addCopies(layout.eyes);

    Text1->setFocus();
}

Form1::~Form1() = default;

void Form1::buildControls(std::span<const form::Control> controls)
{
    // Creation order is stacking order: the labels lie beneath the entries
    // and buttons, which follow in tab order.
    QList<QWidget*> tabOrder;
    for (const form::Control& control : controls) {
        QWidget* widget = nullptr;
        switch (control.kind) {
        case form::Kind::Label:
            widget = makeLabel(control);
            break;
        case form::Kind::TextBox:
            widget = makeEntry(control);
            break;
        case form::Kind::CommandButton:
            widget = makeButton(control);
            break;
        }
        keep(control.role, widget);
        if (control.tab >= 0)
            tabOrder.append(widget);
    }

    // Hidden buttons drop out of the chain by themselves.
    for (qsizetype i = 0; i + 1 < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i], tabOrder[i + 1]);
    if (tabOrder.size() > 1)
        setTabOrder(tabOrder.last(), tabOrder.first());
}

// The members the actions use, by the role the description gives each
// control; a control of another kind than its role needs is not kept.
void Form1::keep(form::Role role, QWidget* widget)
{
    // A role given twice would leave the first control without its action.
    const auto as = [widget, role]<typename T>(T*& member) {
        if (member)
            qFatal("form: role %d is given to more than one control", int(role));
        member = qobject_cast<T*>(widget);
    };
    switch (role) {
    case form::Role::APower:
        return as(Text1);
    case form::Role::ADirection:
        return as(Text2);
    case form::Role::BPower:
        return as(Text3);
    case form::Role::BDirection:
        return as(Text4);
    case form::Role::Compute:
        return as(Command1);
    case form::Role::Reset:
        return as(Command2);
    case form::Role::End:
        return as(Command3);
    case form::Role::Print:
        return as(Command4);
    case form::Role::Result:
        return as(Label6);
    case form::Role::LetterA:
        return as(Label9);
    case form::Role::LetterB:
        return as(Label12);
    case form::Role::LetterC:
        return as(Label13);
    case form::Role::None:
    case form::Role::Title:
        return;
    }
}

// The result line's menu copies the result line or either eye's parts; the
// same copies from the keyboard, anywhere in the window: Ctrl+Shift+C, R
// and L. Offered while a result shows.
void Form1::addCopies(const form::EyeWords& words)
{
    const auto copy = [this](std::string_view caption, QKeyCombination keys) {
        auto* action = new QAction(described(caption), Label6);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setEnabled(false);
        connect(action, &QAction::triggered, this,
            [action] { QGuiApplication::clipboard()->setText(action->data().toString()); });
        Label6->addAction(action);
        return action;
    };
    m_copyResult = copy(words.copyResult, Qt::CTRL | Qt::SHIFT | Qt::Key_C);
    m_copyRight = copy(words.copyRight, Qt::CTRL | Qt::SHIFT | Qt::Key_R);
    m_copyLeft = copy(words.copyLeft, Qt::CTRL | Qt::SHIFT | Qt::Key_L);
    Label6->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void Form1::addResultAction(QAction* action)
{
    action->setShortcutContext(Qt::WindowShortcut);
    Label6->addAction(action);
}

QString Form1::programTitle()
{
    return described(form::description().programTitle);
}

QWidget* Form1::makeLabel(const form::Control& c)
{
    // The result line shrinks a long result to fit instead of cutting it.
    const bool result = c.role == form::Role::Result;
    const double smallest = form::description().smallestTextScale;
    QLabel* label = result ? new FittingLabel(described(c.caption), smallest, this)
                           : new QLabel(described(c.caption), this);
    label->setObjectName(described(c.name));
    if (c.index >= 0)
        label->setProperty("index", c.index);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(alignment(c.align));
    label->setGeometry(pixels(c.rect));
    QFont font = fonts::make(c.font);
    if (c.role == form::Role::Title) {
        // A face that does not declare Latin (Motoya L Maruberi does not)
        // makes Qt open one engine per script of the caption, each after its
        // own fontconfig match. The title's caption is fixed and every face
        // it may be drawn with holds all its glyphs: one engine serves.
        font.setStyleStrategy(QFont::NoFontMerging);
    }
    label->setFont(font);
    setColour(label, QPalette::WindowText, c.text);
    if (c.background) {
        setColour(label, QPalette::Window, c.background);
        label->setAutoFillBackground(true);
    }
    // A screen reader speaks the result itself; the description says what it is.
    if (!c.accessibleDescription.empty())
        label->setAccessibleDescription(described(c.accessibleDescription));
    if (result)
        m_resultDescription = label->accessibleDescription();
    label->setVisible(c.visible);
    return label;
}

QWidget* Form1::makeEntry(const form::Control& c)
{
    auto* edit = new EntryField(form::description().smallestTextScale, this);
    edit->setObjectName(described(c.name));
    edit->setGeometry(pixels(c.rect));
    edit->setFont(fonts::make(c.font));
    setColour(edit, QPalette::Text, c.text);
    edit->setAccessibleName(described(c.accessibleName));
    return edit;
}

QWidget* Form1::makeButton(const form::Control& c)
{
    QPushButton* button = c.background ? new FilledButton(described(c.caption), colour(*c.background), this)
                                       : new QPushButton(described(c.caption), this);
    button->setObjectName(described(c.name));
    button->setGeometry(pixels(c.rect));
    if (!c.font.family.empty())
        button->setFont(fonts::make(c.font));
    // Not a dialog: no button answers Enter or Escape typed in a field.
    // Enter on a focused button presses it, as on Windows.
    button->setDefault(false);
    button->setAutoDefault(true);
    button->setVisible(c.visible);
    return button;
}

void Form1::buildLines(std::span<const form::Line> lines)
{
    for (const form::Line& l : lines) {
        auto* shape = new LineShape(described(l.name), colour(l.colour), l.width, this);
        connect(shape, &LineShape::changed, this, qOverload<>(&QWidget::update));
        // The legend's lines never move.
        if (l.fixed) {
            shape->setStart(float(l.fixed->left), float(l.fixed->top));
            shape->setEnd(float(l.fixed->left + l.fixed->width), float(l.fixed->top + l.fixed->height));
        }
        lineOf(l.role) = shape;
    }
}

LineShape*& Form1::lineOf(form::LineRole role)
{
    switch (role) {
    case form::LineRole::VectorA:
        return Line1;
    case form::LineRole::VectorB:
        return Line2;
    case form::LineRole::VectorC:
        return Line3;
    case form::LineRole::LegendA:
        return Line4;
    case form::LineRole::LegendB:
        return Line5;
    case form::LineRole::LegendC:
        break;
    }
    return Line6;
}

void Form1::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (const LineShape* line : {Line1, Line2, Line3, Line4, Line5, Line6})
        line->paint(painter);
}

void Form1::showMessage(const QString& message)
{
    QMessageBox box(QMessageBox::NoIcon, programTitle(), message, QMessageBox::Ok, this);
    box.exec();
}

void Form1::Command1_Click()
{
    // The entries go into the state exactly as typed.
    const prism::Shown shown = prism::compute(m_state, Text1->text().toStdString(),
        Text2->text().toStdString(), Text3->text().toStdString(), Text4->text().toStdString());
    switch (shown.outcome) {
    case prism::Outcome::RejectA:
        showMessage(described(form::description().messageA));
        return;
    case prism::Outcome::RejectB:
        showMessage(described(form::description().messageB));
        return;
    case prism::Outcome::Composed:
        break;
    }

    Label6->setText(QString::fromStdString(shown.result));
    showEyes(shown.eyes);
    Command2->show();
    Command3->show();
    Command4->show();
    update_diagram(shown);
}

void Form1::update_diagram(const prism::Shown& shown)
{
    if (!shown.scaled) {
        // No scale exists (every rounded power is 0.0): an earlier diagram
        // beside this result would be a wrong picture, so show none.
        setDiagramVisible(false);
        return;
    }
    LineShape* const vectors[] = {Line1, Line2, Line3};
    for (size_t i = 0; i < shown.ends.size(); ++i) {
        vectors[i]->setStart(prism::DiagramOrigin.x, prism::DiagramOrigin.y);
        vectors[i]->setEnd(shown.ends[i].x, shown.ends[i].y);
    }
    setDiagramVisible(true);
    // The lines are drawn on the form itself: the form says what they show.
    setAccessibleDescription(QString::fromStdString(shown.words));
}

void Form1::setDiagramVisible(bool visible)
{
    for (LineShape* line : {Line1, Line2, Line3, Line4, Line5, Line6})
        line->setVisible(visible);
    for (QLabel* letter : {Label9, Label12, Label13})
        letter->setVisible(visible);
    // Nothing said of a diagram that is gone.
    if (!visible)
        setAccessibleDescription(QString());
}

// As reset leaves them: the entries, the buttons, the focus and the record
// of the last compute stay as they are.
void Form1::clearResult()
{
    Label6->clear();
    showEyes(std::nullopt);
    setDiagramVisible(false);
}

// The result line in a lens order's words for each eye, beside it: in its
// tooltip, its accessible description and its menu's copies, while it shows
// a result; at rest, only what it is. Then C is offered, or withdrawn.
void Form1::showEyes(const std::optional<prism::Eyes>& eyes)
{
    const QString& resting = m_resultDescription;
    const texts::EyesTexts t = eyes ? texts::eyes_texts(*eyes) : texts::EyesTexts{};
    const QString text = eyes ? QString::fromStdString(texts::eyes_summary(*eyes)) : QString();
    Label6->setToolTip(text);
    Label6->setAccessibleDescription(eyes ? resting + u'\n' + text : resting);
    const auto offer = [](QAction* copy, const QString& what) {
        copy->setData(what);
        copy->setEnabled(!what.isEmpty());
    };
    offer(m_copyResult, eyes ? Label6->text() : QString());
    offer(m_copyRight, QString::fromStdString(t.copyRight));
    offer(m_copyLeft, QString::fromStdString(t.copyLeft));
    emit resultChanged(eyes.has_value());
}

// Typed into B as any edit is: the shown result and diagram go.
void Form1::putIntoB(const QString& power, const QString& direction)
{
    Text3->setText(power);
    Text4->setText(direction);
}

void Form1::Command2_Click()
{
    for (QLineEdit* field : {Text1, Text2, Text3, Text4})
        field->setText(QString());
    clearResult();
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
