// SPDX-License-Identifier: MIT
#include "lenswindow.h"

#include "described.h"
#include "fonts.h"

#include <form/form.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

const form::LensWords& words()
{
    return form::description().lens;
}

QString eyeName(prism::Eye eye)
{
    const form::EyeWords& w = form::description().eyes;
    return described(eye == prism::Eye::Right ? w.rightEye : w.leftEye);
}

// The parts of a result in the description's words, joined.
QString written(const prism::WayParts& parts, bool prism)
{
    const form::EyeWords& eyes = form::description().eyes;
    QStringList out;
    for (const auto& p : parts)
        if (p) {
            const size_t way = size_t(p->way);
            out << (prism ? described(eyes.part).arg(
                        QString::fromStdString(p->size), described(words().prismWays[way]))
                          : described(words().offsetPart)
                                .arg(QString::fromStdString(p->size), described(words().offsetWays[way])));
        }
    return out.join(described(eyes.separator));
}

// The two results of an eye as they show.
QString prismText(const prism::LensShown& s)
{
    const QString parts = written(s.prism, true);
    return parts.isEmpty() ? described(words().noPrism)
                           : parts + u'（' + QString::fromStdString(s.prismForm) + u'）';
}

QString offsetText(const prism::LensShown& s)
{
    if (s.blocked)
        return described(words().blocked).arg(*s.blocked);
    const QString parts = written(s.offset, false);
    if (s.tooFar)
        return described(words().tooFar).arg(parts);
    return parts.isEmpty() ? described(words().noOffset) : parts;
}

// Where the wearer reads, line by line; the lines a lab order takes
// (the imbalances and the suggestion) are the first `copied` after the
// eyes' two.
QStringList nearLines(const prism::NearShown& n)
{
    const form::LensWords& w = words();
    if (!n.bothLenses)
        return {described(w.needsBoth)};
    QStringList lines;
    for (size_t i = 0; i < 2; ++i) {
        const QString parts = written(n.prisms[i], true);
        lines << described(w.nearPrism)
                     .arg(eyeName(i == 0 ? prism::Eye::Right : prism::Eye::Left),
                         parts.isEmpty() ? described(w.noPrism) : parts);
    }
    const auto imbalance = [&](std::string_view says, const prism::NearShown::Imbalance& i) {
        return described(says).arg(QString::fromStdString(i.size))
            + (i.moreDown ? described(w.moreDown).arg(eyeName(*i.moreDown)) : QString());
    };
    lines << imbalance(w.nearImbalance, n.near);
    if (n.distance)
        lines << imbalance(w.farImbalance, *n.distance);
    if (n.slabOff) {
        const prism::Eye other = *n.slabOff == prism::Eye::Right ? prism::Eye::Left : prism::Eye::Right;
        lines << described(w.slabOff).arg(
            QString::fromStdString(n.correction), eyeName(*n.slabOff), eyeName(other));
        if (n.rarelyMade)
            lines << described(w.adapt);
        lines << described(w.steps);
    }
    return lines;
}

}  // namespace

LensWindow::LensWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    const form::LensWords& w = words();
    setObjectName(u"LensWindow"_s);
    setWindowTitle(described(w.title));
    setFont(fonts::make(w.font));
    // The composer's window ends the program; this one closes with it.
    setAttribute(Qt::WA_QuitOnClose, false);

    m_sides[1].eye = prism::Eye::Left;
    auto* layout = new QVBoxLayout(this);
    auto* sides = new QHBoxLayout;
    for (Side& side : m_sides)
        sides->addWidget(buildSide(side));
    layout->addLayout(sides);
    layout->addWidget(buildNear());

    auto* computeButton = new QPushButton(described(w.compute), this);
    computeButton->setObjectName(described(w.compute));
    connect(computeButton, &QPushButton::clicked, this, &LensWindow::compute);
    auto* computeLine = new QHBoxLayout;
    computeLine->addWidget(computeButton);
    computeLine->addStretch();
    layout->addLayout(computeLine);
    auto* fills = new QHBoxLayout;
    fills->addWidget(new QLabel(described(w.fillHeading), this));
    for (size_t i = 0; i < m_fills.size(); ++i) {
        m_fills[i] = new QPushButton(described(w.fills[i]), this);
        m_fills[i]->setObjectName(described(w.fills[i]));
        connect(m_fills[i], &QPushButton::clicked, this, [this, i] { fill(prism::Fill(i)); });
        fills->addWidget(m_fills[i]);
    }
    fills->addStretch();
    layout->addLayout(fills);
    offer();
}

QWidget* LensWindow::buildSide(Side& side)
{
    const form::LensWords& w = words();
    const QString eye = eyeName(side.eye);
    auto* box = new QGroupBox(eye, this);
    auto* column = new QVBoxLayout(box);
    // A group's result, named after it ("右眼 偏心からプリズム").
    const auto result = [&](QLabel*& label, form::LensGroup of) {
        label = new QLabel(box);
        label->setObjectName(eye + u' ' + described(w.groups[size_t(of)]));
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        column->addWidget(label);
    };
    // Each group under its heading: the lens on one line, each size on a
    // line of its own with its way; each group's result under it.
    std::optional<form::LensGroup> group;
    QHBoxLayout* lensLine = nullptr;
    QGridLayout* sizes = nullptr;
    for (const form::LensEntryWords& e : w.entries) {
        if (group != e.group) {
            if (group == form::LensGroup::Decentration)
                result(side.prism, *group);
            group = e.group;
            auto* heading = new QLabel(described(w.groups[size_t(e.group)]), box);
            QFont bold = heading->font();
            bold.setBold(true);
            heading->setFont(bold);
            column->addWidget(heading);
            if (e.group == form::LensGroup::Lens)
                column->addLayout(lensLine = new QHBoxLayout);
            else
                column->addLayout(sizes = new QGridLayout);
        }
        const size_t field = size_t(e.field);
        auto* edit = new QLineEdit(box);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(u"−30.000"_s) + 12);
        edit->setObjectName(eye + u' ' + described(e.name));
        edit->setAccessibleName(edit->objectName());
        auto* label = new QLabel(described(e.label), box);
        label->setBuddy(edit);
        side.entries[field] = edit;
        connect(edit, &QLineEdit::returnPressed, this, &LensWindow::compute);
        connect(edit, &QLineEdit::textChanged, this, [this, &side] {
            showSide(side, std::nullopt);
            showNear(std::nullopt);
        });
        if (e.choice.empty()) {
            lensLine->addWidget(label);
            lensLine->addWidget(edit);
            continue;
        }
        // A size's way: in or out across, up or down; a prism's by its base.
        const size_t way = field - size_t(form::LensField::CentreX);
        const bool across = way % 2 == 0;
        const auto& names = e.group == form::LensGroup::Prism ? w.prismChoices : w.offsetWays;
        auto* choice = new QComboBox(box);
        choice->addItems({described(names[across ? 0 : 2]), described(names[across ? 1 : 3])});
        choice->setObjectName(eye + u' ' + described(e.choice));
        choice->setAccessibleName(choice->objectName());
        side.ways[way] = choice;
        connect(choice, &QComboBox::currentIndexChanged, this, [this, &side] {
            showSide(side, std::nullopt);
            showNear(std::nullopt);
        });
        const int row = sizes->rowCount();
        sizes->addWidget(label, row, 0);
        sizes->addWidget(edit, row, 1);
        sizes->addWidget(choice, row, 2);
        sizes->setColumnStretch(3, 1);
    }
    result(side.offset, form::LensGroup::Prism);
    side.intoB = new QPushButton(described(w.intoB).arg(eye), box);
    side.intoB->setObjectName(side.intoB->text());
    connect(side.intoB, &QPushButton::clicked, this, [this, &side] {
        emit putIntoB(
            QString::fromStdString(side.shown->bPower), QString::fromStdString(side.shown->bDirection));
    });
    side.copy = new QPushButton(described(w.copy).arg(eye), box);
    side.copy->setObjectName(side.copy->text());
    connect(side.copy, &QPushButton::clicked, this, [&side, w] {
        const QString eye = eyeName(side.eye);
        QGuiApplication::clipboard()->setText(eye + u' ' + described(w.groups[1]) + u'：'
            + prismText(*side.shown) + u'\n' + eye + u' ' + described(w.groups[2]) + u'：'
            + offsetText(*side.shown));
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(side.intoB);
    buttons->addWidget(side.copy);
    buttons->addStretch();
    column->addLayout(buttons);
    column->addStretch();
    showSide(side, std::nullopt);
    return box;
}

QWidget* LensWindow::buildNear()
{
    const form::LensWords& w = words();
    auto* box = new QGroupBox(described(w.nearHeading), this);
    auto* column = new QVBoxLayout(box);
    auto* line = new QHBoxLayout;
    const auto entry = [&](std::string_view label, std::string_view name, std::string_view text) {
        auto* edit = new QLineEdit(described(text), box);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(u"30.000"_s) + 12);
        edit->setObjectName(described(name));
        edit->setAccessibleName(edit->objectName());
        auto* caption = new QLabel(described(label), box);
        caption->setBuddy(edit);
        line->addWidget(caption);
        line->addWidget(edit);
        connect(edit, &QLineEdit::returnPressed, this, &LensWindow::compute);
        connect(edit, &QLineEdit::textChanged, this, [this] { showNear(std::nullopt); });
        return edit;
    };
    m_depth = entry(w.depthLabel, w.depthName, w.depthAtStart);
    m_inset = entry(w.insetLabel, w.insetName, {});
    line->addStretch();
    column->addLayout(line);
    m_near = new QLabel(box);
    m_near->setObjectName(described(w.nearHeading));
    m_near->setWordWrap(true);
    m_near->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(m_near);
    m_copyNear = new QPushButton(described(w.copyNear), box);
    m_copyNear->setObjectName(m_copyNear->text());
    connect(m_copyNear, &QPushButton::clicked, this, [this] {
        // A line a lab order takes: the imbalances and the suggestion.
        QGuiApplication::clipboard()->setText(m_near->text().split(u'\n').mid(2).join(u'　'));
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_copyNear);
    buttons->addStretch();
    column->addLayout(buttons);
    showNear(std::nullopt);
    return box;
}

void LensWindow::showNear(const std::optional<prism::NearShown>& shown)
{
    const bool shows = shown && shown->refused == prism::NearShown::Refused::None;
    m_near->setText(shows ? nearLines(*shown).join(u'\n') : QString());
    m_copyNear->setEnabled(shows && shown->bothLenses);
}

void LensWindow::offerComposer(std::optional<prism::Vector> c)
{
    m_c = c;
    offer();
}

void LensWindow::offer()
{
    for (QPushButton* button : m_fills)
        if (button)
            button->setEnabled(m_c.has_value());
    for (Side& side : m_sides)
        if (side.intoB)
            side.intoB->setEnabled(m_c && side.shown && !side.shown->bPower.empty());
}

void LensWindow::showSide(Side& side, const std::optional<prism::LensShown>& shown)
{
    side.shown = shown && shown->lens && !shown->refused ? shown : std::nullopt;
    side.prism->setText(side.shown ? prismText(*side.shown) : QString());
    side.offset->setText(side.shown ? offsetText(*side.shown) : QString());
    side.copy->setEnabled(side.shown.has_value());
    offer();
}

void LensWindow::compute()
{
    const Side* refused = nullptr;
    prism::LensShown refusal;
    std::array<prism::LensShown, 2> read;
    for (size_t n = 0; n < m_sides.size(); ++n) {
        Side& side = m_sides[n];
        std::array<std::string, 7> texts;
        for (size_t i = 0; i < texts.size(); ++i)
            texts[i] = side.entries[i]->text().toStdString();
        const auto first = [&](size_t way) { return side.ways[way]->currentIndex() == 0; };
        const prism::LensShown shown = prism::lens_compute(side.eye,
            {texts[0], texts[1], texts[2], texts[3], texts[4], first(0), first(1), texts[5], texts[6],
                first(2), first(3)});
        showSide(side, shown);
        read[n] = shown;
        if (shown.refused && !refused) {
            refused = &side;
            refusal = shown;
        }
    }
    const prism::NearShown near
        = prism::near_compute(read[0], read[1], m_depth->text().toStdString(), m_inset->text().toStdString());
    showNear(refused ? std::nullopt : std::optional(near));
    if (refused)
        return refuse(*refused, refusal);
    if (near.refused == prism::NearShown::Refused::Depth)
        say(m_depth, words().sizeTakes);
    else if (near.refused == prism::NearShown::Refused::Inset)
        say(m_inset, words().insetTakes);
}

// The message of the first refused entry: its name and what it takes.
void LensWindow::refuse(const Side& side, const prism::LensShown& shown)
{
    const form::LensWords& w = words();
    QLineEdit* entry = side.entries[size_t(*shown.refused)];
    std::string_view says = w.sizeTakes;
    switch (*shown.refused) {
    case prism::LensEntry::Sphere:
    case prism::LensEntry::Cylinder:
        says = w.powerTakes;
        break;
    case prism::LensEntry::Axis:
        says = shown.needed ? w.axisNeeded : w.axisTakes;
        break;
    default:
        break;
    }
    say(entry, says);
}

// A refused entry's message (its words, %1 the entry's name); the focus
// then goes to the entry.
void LensWindow::say(QLineEdit* entry, std::string_view says)
{
    QMessageBox box(QMessageBox::NoIcon, described(form::description().programTitle),
        described(says).arg(entry->accessibleName()), QMessageBox::Ok, this);
    box.exec();
    entry->setFocus();
}

void LensWindow::fill(prism::Fill fill)
{
    if (!m_c)
        return;
    const std::array<prism::Wanted, 2> wanted = prism::wanted_from(m_c->x, m_c->y, fill);
    for (size_t i = 0; i < m_sides.size(); ++i) {
        Side& side = m_sides[i];
        const size_t x = size_t(form::LensField::PrismX);
        side.entries[x]->setText(QString::fromStdString(wanted[i].x));
        side.entries[x + 1]->setText(QString::fromStdString(wanted[i].y));
        side.ways[2]->setCurrentIndex(wanted[i].in ? 0 : 1);
        side.ways[3]->setCurrentIndex(wanted[i].up ? 0 : 1);
    }
}
