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
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

const form::LensWords& words()
{
    return form::lens_words();
}

QString text(const std::string& s)
{
    return QString::fromStdString(s);
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
    // Its parts on one page that scrolls where the screen is shorter than
    // they are, so that the window always fits whole on the screen.
    m_content = new QWidget(this);
    auto* layout = new QVBoxLayout(m_content);
    auto* sides = new QHBoxLayout;
    for (Side& side : m_sides)
        sides->addWidget(buildSide(side));
    layout->addLayout(sides);
    layout->addWidget(buildNear());
    layout->addWidget(buildCheck());

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
    auto* page = new QScrollArea(this);
    page->setWidget(m_content);
    page->setWidgetResizable(true);
    page->setFrameShape(QFrame::NoFrame);
    auto* whole = new QVBoxLayout(this);
    whole->setContentsMargins(0, 0, 0, 0);
    whole->addWidget(page);
    offer();
}

// Its parts whole, as tall as they are at their own width, and room for a
// scroll bar beside them should an answer run longer than its room.
QSize LensWindow::sizeHint() const
{
    const QSize content = m_content->sizeHint();
    return {content.width() + style()->pixelMetric(QStyle::PM_ScrollBarExtent),
        std::max(content.height(), m_content->heightForWidth(content.width()))};
}

QWidget* LensWindow::buildSide(Side& side)
{
    const form::LensWords& w = words();
    const texts::LensEyeCaptions captions = texts::lens_captions(side.eye);
    auto* box = new QGroupBox(text(captions.eye), this);
    auto* column = new QVBoxLayout(box);
    // A group's result, named after it ("右眼 偏心からプリズム").
    const auto result = [&](QLabel*& label, form::LensGroup of) {
        label = new QLabel(box);
        label->setObjectName(text(captions.eye) + u' ' + described(w.groups[size_t(of)]));
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label->setMinimumHeight(label->fontMetrics().lineSpacing());  // a line before it answers
        column->addWidget(label);
    };
    const auto edited = [this, &side] {
        showSide(side, std::nullopt);
        showAnswer(m_near, std::nullopt);
        showAnswer(m_check, std::nullopt);
    };
    // Each group under its heading: the lens on one line, each size on a
    // line of its own with its way; each group's result under it.
    std::optional<form::LensGroup> group;
    QHBoxLayout* lensLine = nullptr;
    QGridLayout* sizes = nullptr;
    for (size_t field = 0; field < prism::LensFieldCount; ++field) {
        const form::LensEntryWords& e = w.entries[field];
        if (group != e.group) {
            if (group == form::LensGroup::Decentration)
                result(side.prism, *group);
            if (group == form::LensGroup::Prism)
                result(side.offset, *group);
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
        auto* edit = new QLineEdit(box);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(u"−30.000"_s) + 12);
        edit->setObjectName(text(captions.names[field]));
        edit->setAccessibleName(edit->objectName());
        auto* label = new QLabel(described(e.label), box);
        label->setBuddy(edit);
        side.entries[field] = edit;
        connect(edit, &QLineEdit::returnPressed, this, &LensWindow::compute);
        connect(edit, &QLineEdit::textChanged, this, edited);
        if (e.choice.empty()) {
            lensLine->addWidget(label);
            lensLine->addWidget(edit);
            continue;
        }
        // A size's way: in or out across, up or down; a prism's by its base.
        const size_t way = field - size_t(prism::LensField::CentreX);
        const bool across = way % 2 == 0;
        const auto& names = e.group == form::LensGroup::Decentration ? w.offsetWays : w.prismChoices;
        auto* choice = new QComboBox(box);
        choice->addItems({described(names[across ? 0 : 2]), described(names[across ? 1 : 3])});
        choice->setObjectName(text(captions.choices[field]));
        choice->setAccessibleName(choice->objectName());
        side.ways[way] = choice;
        connect(choice, &QComboBox::currentIndexChanged, this, edited);
        const int row = sizes->rowCount();
        sizes->addWidget(label, row, 0);
        sizes->addWidget(edit, row, 1);
        sizes->addWidget(choice, row, 2);
        sizes->setColumnStretch(3, 1);
    }
    side.intoB = new QPushButton(text(captions.intoB), box);
    side.intoB->setObjectName(side.intoB->text());
    connect(side.intoB, &QPushButton::clicked, this,
        [this, &side] { emit putIntoB(text(side.shown->bPower), text(side.shown->bDirection)); });
    side.copy = new QPushButton(text(captions.copy), box);
    side.copy->setObjectName(side.copy->text());
    connect(side.copy, &QPushButton::clicked, this,
        [&side] { QGuiApplication::clipboard()->setText(text(side.shown->copy)); });
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
        connect(edit, &QLineEdit::textChanged, this, [this] { showAnswer(m_near, std::nullopt); });
        return edit;
    };
    m_depth = entry(w.depthLabel, w.depthName, w.depthAtStart);
    m_inset = entry(w.insetLabel, w.insetName, {});
    line->addStretch();
    column->addLayout(line);
    // Room for its longest answer: the eyes, both imbalances, the
    // slab-off and two notes.
    addAnswer(m_near, box, column, w.nearHeading, w.copyNear, 7);
    return box;
}

QWidget* LensWindow::buildCheck()
{
    const form::LensWords& w = words();
    auto* box = new QGroupBox(described(w.checkHeading), this);
    auto* column = new QVBoxLayout(box);
    for (std::string_view says : {w.checkScope, w.checkOrdered}) {
        auto* note = new QLabel(described(says), box);
        note->setWordWrap(true);
        column->addWidget(note);
    }
    // Room for both eyes and the pair's two lines, each of which may wrap.
    addAnswer(m_check, box, column, w.checkHeading, w.copyCheck, 6);
    return box;
}

// The answer's lines under its entries, named after its part, with room
// for `room` lines from the start, so that the window opens as tall as it
// will need and nothing is squeezed when it answers; its copy under them.
void LensWindow::addAnswer(
    Answer& answer, QWidget* box, QBoxLayout* column, std::string_view name, std::string_view copy, int room)
{
    answer.label = new QLabel(box);
    answer.label->setObjectName(described(name));
    answer.label->setWordWrap(true);
    answer.label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    answer.label->setMinimumHeight(answer.label->fontMetrics().lineSpacing() * room);
    answer.label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    column->addWidget(answer.label);
    answer.copy = new QPushButton(described(copy), box);
    answer.copy->setObjectName(answer.copy->text());
    connect(answer.copy, &QPushButton::clicked, this,
        [&answer] { QGuiApplication::clipboard()->setText(text(answer.shown->copy)); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(answer.copy);
    buttons->addStretch();
    column->addLayout(buttons);
    showAnswer(answer, std::nullopt);
}

void LensWindow::showAnswer(Answer& answer, const std::optional<texts::Lines>& shown)
{
    answer.shown = shown;
    QStringList lines;
    for (const std::string& line : shown ? shown->lines : std::vector<std::string>{})
        lines << text(line);
    answer.label->setText(lines.join(u'\n'));
    answer.copy->setEnabled(shown && !shown->copy.empty());
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

void LensWindow::showSide(Side& side, const std::optional<texts::LensEyeTexts>& shown)
{
    side.shown = shown;
    side.prism->setText(shown ? text(shown->prism) : QString());
    side.offset->setText(shown ? text(shown->offset) : QString());
    side.copy->setEnabled(shown.has_value());
    offer();
}

void LensWindow::compute()
{
    std::array<std::array<std::string, prism::LensFieldCount>, 2> typed;
    prism::LensToolEntries entries;
    for (size_t n = 0; n < m_sides.size(); ++n) {
        const Side& side = m_sides[n];
        prism::LensEntries& e = entries.eyes[n];
        for (size_t f = 0; f < prism::LensFieldCount; ++f)
            e.texts[f] = typed[n][f] = side.entries[f]->text().toStdString();
        const auto first = [&](size_t way) { return side.ways[way]->currentIndex() == 0; };
        e.centreIn = first(0);
        e.centreUp = first(1);
        e.baseIn = first(2);
        e.baseUp = first(3);
        e.readIn = first(4);
        e.readUp = first(5);
    }
    const std::string depth = m_depth->text().toStdString(), inset = m_inset->text().toStdString();
    entries.depth = depth;
    entries.inset = inset;
    const prism::LensToolShown shown = prism::lens_tool(entries);
    const texts::LensToolTexts t = texts::lens_texts(shown);
    for (size_t n = 0; n < m_sides.size(); ++n)
        showSide(m_sides[n], t.eyes[n]);
    showAnswer(m_near, t.near);
    showAnswer(m_check, t.check);
    if (!shown.refused)
        return;
    const prism::LensToolRefusal& r = *shown.refused;
    QLineEdit* refused = !r.eye ? (r.near == prism::NearField::Depth ? m_depth : m_inset)
                                : m_sides[r.eye == prism::Eye::Right ? 0 : 1].entries[size_t(r.entry.field)];
    say(refused, t.refusal);
}

// A refused entry's message; the focus then goes to the entry.
void LensWindow::say(QLineEdit* entry, const std::string& says)
{
    QMessageBox box(
        QMessageBox::NoIcon, described(form::description().programTitle), text(says), QMessageBox::Ok, this);
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
        side.entries[size_t(prism::LensField::PrismX)]->setText(text(wanted[i].x));
        side.entries[size_t(prism::LensField::PrismY)]->setText(text(wanted[i].y));
        side.ways[2]->setCurrentIndex(wanted[i].in ? 0 : 1);
        side.ways[3]->setCurrentIndex(wanted[i].up ? 0 : 1);
    }
}
