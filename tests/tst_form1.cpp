// SPDX-License-Identifier: MIT
// The window as a user meets it, on the offscreen platform: layout, captions,
// focus and tab order, the compute action and its messages.
#include "fitting.h"
#include "fonts.h"
#include "formdriver.h"

#include <form/form.h>

#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString& messageA()
{
    static const QString m = described(form::description().messageA);
    return m;
}

const QString& messageB()
{
    static const QString m = described(form::description().messageB);
    return m;
}

// What a user or a program does to an entry after a result is shown.
enum class Edit { InputMethodCommit, InputMethodPreedit, AccessibleInsert, SameText, FocusMoves, SelectAll };

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsAsLaidOut();
    void controls_data();
    void controls();
    void titleFaceDrawsItsWholeCaption();
    void computes_data();
    void computes();
    void rejects_data();
    void rejects();
    void refusalAfterAnEditLeavesResultCleared();
    void editsClearResult_data();
    void editsClearResult();
    void secondComputeReplacesResult();
    void actionNeverMovesFocus();
    void tabOrder();
    void enterAndEscapeInFieldsDoNothing();
    void enterOnFocusedButtonPressesIt();
    void accessibleNames();
    void eachEyeBesideTheResult_data();
    void eachEyeBesideTheResult();
    void fittingRule_data();
    void fittingRule();

private:
    FormFixture m_fixture;
    std::unique_ptr<Form1>& m_form = m_fixture.form;
    std::unique_ptr<FormDriver>& m_ui = m_fixture.ui;
};

void Form1Test::init()
{
    QVERIFY(m_fixture.open());
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void Form1Test::cleanup()
{
    m_fixture.close();
}

void Form1Test::startsAsLaidOut()
{
    const form::Description& layout = form::description();
    QCOMPARE(m_form->windowTitle(), described(layout.windowTitle));
    QCOMPARE(m_form->size(), QSize(layout.width / form::TwipsPerPixel, layout.height / form::TwipsPerPixel));
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
    for (int n = 1; n <= 4; ++n)
        QVERIFY(m_ui->text(n)->text().isEmpty());
    QVERIFY(m_ui->label("Label6")->text().isEmpty());
    for (int n = 1; n <= 6; ++n)
        QVERIFY(!m_ui->line(n)->isVisible());
    QCOMPARE(m_form->focusWidget(), m_ui->text(1));
}

void Form1Test::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    for (const form::Control& c : form::description().controls) {
        const QByteArray tag
            = (described(c.name) + (c.index >= 0 ? u"(%1)"_s.arg(c.index) : QString())).toUtf8();
        QTest::newRow(tag.constData()) << described(c.name) << c.index;
    }
}

// Each control as its description has it: place, caption, font, colours,
// visibility at start, accessible name.
void Form1Test::controls()
{
    QFETCH(QString, name);
    QFETCH(int, index);
    const form::Control& c = *form::find(name.toStdString(), index);

    QWidget* widget = index >= 0 ? m_ui->label3(index) : m_form->findChild<QWidget*>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(),
        QRect(c.rect.left / form::TwipsPerPixel, c.rect.top / form::TwipsPerPixel,
            c.rect.width / form::TwipsPerPixel, c.rect.height / form::TwipsPerPixel));
    QCOMPARE(widget->isVisible(), c.visible);
    if (auto* label = qobject_cast<QLabel*>(widget))
        QCOMPARE(label->text(), described(c.caption));
    else if (auto* button = qobject_cast<QPushButton*>(widget))
        QCOMPARE(button->text(), described(c.caption));
    QCOMPARE(widget->accessibleName(), described(c.accessibleName));

    // The font: the named face as this machine draws it, at the named size.
    const form::Font& font = c.font.family.empty() ? form::description().windowFont : c.font;
    QCOMPARE(widget->font().family(), fonts::family(described(font.family)));
    QCOMPARE(QFontInfo(widget->font()).family(), QFontInfo(QFont(widget->font().family())).family());
    QCOMPARE(widget->font().pointSizeF(), font.points);
    QCOMPARE(widget->font().weight(), font.bold ? QFont::Bold : QFont::Normal);
    QCOMPARE(widget->font().italic(), font.italic);
    if (c.text) {
        const auto role = qobject_cast<QLineEdit*>(widget) ? QPalette::Text : QPalette::WindowText;
        QCOMPARE(widget->palette().color(role), QColor(c.text->r, c.text->g, c.text->b));
    }
}

void Form1Test::titleFaceDrawsItsWholeCaption()
{
    auto* title = m_form->findChild<QLabel*>(u"Label1"_s);
    QVERIFY(title);
    QCOMPARE(title->font().pointSizeF(), 18.0);
    QVERIFY(title->font().italic());
    QCOMPARE(title->font().weight(), QFont::Normal);
    const QFontMetrics metrics(title->font());
    for (const char32_t c : title->text().toUcs4())
        QVERIFY2(metrics.inFontUcs4(c), qPrintable(QString::number(c, 16)));
}

void Form1Test::computes_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("result");

    QTest::newRow("worked example") << QStringList{"3", "0", "4", "90"} << u"5.0△ Base 53°"_s;
    QTest::newRow("B zero") << QStringList{"2", "0", "0", "0"} << u"2.0△ Base 0°"_s;
    QTest::newRow("nearly cancelling") << QStringList{"1", "45", "1", "225"} << u"0.0△ Base 315°"_s;
    QTest::newRow("two directions") << QStringList{"3", "30", "2", "120"} << u"3.6△ Base 64°"_s;
    QTest::newRow("359.6 shows 360") << QStringList{"1", "359.6", "0", "0"} << u"1.0△ Base 360°"_s;
    QTest::newRow("directions 0 and 360 accepted") << QStringList{"1", "0", "1", "360"} << u"2.0△ Base 0°"_s;
    QTest::newRow("full-width typing")
        << QStringList{u"３"_s, u"０"_s, u"４"_s, u"９０"_s} << u"5.0△ Base 53°"_s;
    QTest::newRow("blanks around") << QStringList{" 3 ", "0", "4", u"90\u3000"_s} << u"5.0△ Base 53°"_s;
}

void Form1Test::computes()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, result);

    const auto message = m_ui->compute(entries);
    QVERIFY2(!message, message ? qPrintable(message->text) : "");
    QCOMPARE(m_ui->label("Label6")->text(), result);
    for (int n : {2, 3, 4})
        QVERIFY(m_ui->command(n)->isVisible());
    // The entries stay as typed.
    for (int n = 1; n <= 4; ++n)
        QCOMPARE(m_ui->text(n)->text(), entries[n - 1]);
}

void Form1Test::rejects_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("message");

    QTest::newRow("A power empty") << QStringList{"", "0", "4", "90"} << messageA();
    QTest::newRow("A direction empty") << QStringList{"3", "", "4", "90"} << messageA();
    QTest::newRow("A power negative, B direction 400: A first")
        << QStringList{"-1", "0", "4", "400"} << messageA();
    QTest::newRow("A direction -0.5") << QStringList{"3", "-0.5", "4", "90"} << messageA();
    QTest::newRow("A direction 360.5") << QStringList{"3", "360.5", "4", "90"} << messageA();
    QTest::newRow("A letters") << QStringList{"abc", "0", "4", "90"} << messageA();
    QTest::newRow("A decimal comma") << QStringList{"1,5", "0", "4", "90"} << messageA();
    QTest::newRow("B direction 361") << QStringList{"3", "0", "4", "361"} << messageB();
    QTest::newRow("B power empty") << QStringList{"3", "0", "", "90"} << messageB();
    QTest::newRow("B nan") << QStringList{"3", "0", "nan", "90"} << messageB();
    QTest::newRow("A square overflows a float") << QStringList{"1e20", "90", "4", "90"} << messageA();
    QTest::newRow("B larger of two huge powers") << QStringList{"1e20", "90", "1e21", "90"} << messageB();
}

void Form1Test::rejects()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, message);

    const auto seen = m_ui->compute(entries);
    QVERIFY(seen);
    QCOMPARE(seen->text, message);
    QCOMPARE(seen->title, described(form::description().programTitle));
    QCOMPARE(seen->icon, QMessageBox::NoIcon);
    QCOMPARE(seen->buttonCount, 1);
    // Nothing else on screen changed.
    QVERIFY(m_ui->label("Label6")->text().isEmpty());
    for (int n : {2, 3, 4})
        QVERIFY(!m_ui->command(n)->isVisible());
    // The refused entries were still taken into the record as typed.
    QCOMPARE(QString::fromStdString(m_form->state().AP), entries[0]);
    QCOMPARE(QString::fromStdString(m_form->state().BBase), entries[3]);
}

void Form1Test::refusalAfterAnEditLeavesResultCleared()
{
    // The edit to 361 cleared the result; the refusal changes nothing more.
    QVERIFY(!m_ui->compute({"3", "0", "4", "90"}));
    const auto seen = m_ui->compute({"3", "0", "4", "361"});
    QVERIFY(seen);
    QCOMPARE(seen->text, messageB());
    QVERIFY(m_ui->label("Label6")->text().isEmpty());
    QVERIFY(!m_ui->line(3)->isVisible());
    for (int n : {2, 3, 4})
        QVERIFY(m_ui->command(n)->isVisible());
}

void Form1Test::editsClearResult_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("edit");
    QTest::addColumn<bool>("clears");
    QTest::newRow("an input method commits") << 3 << int(Edit::InputMethodCommit) << true;
    QTest::newRow("an input method composes") << 3 << int(Edit::InputMethodPreedit) << false;
    QTest::newRow("an assistive tool inserts") << 3 << int(Edit::AccessibleInsert) << true;
    QTest::newRow("the same text set again") << 3 << int(Edit::SameText) << false;
    QTest::newRow("the focus moves") << 3 << int(Edit::FocusMoves) << false;
    QTest::newRow("the text is selected") << 3 << int(Edit::SelectAll) << false;
    // Every entry: each one's result would otherwise print beside entries
    // it was not computed from.
    QTest::newRow("A's power changes") << 1 << int(Edit::InputMethodCommit) << true;
    QTest::newRow("A's direction changes") << 2 << int(Edit::InputMethodCommit) << true;
    QTest::newRow("B's direction changes") << 4 << int(Edit::InputMethodCommit) << true;
}

// A result on screen always belongs to the entries beside it: any change of
// an entry's text clears it, as reset does, and leaves everything else.
void Form1Test::editsClearResult()
{
    QFETCH(int, entry);
    QFETCH(int, edit);
    QFETCH(bool, clears);
    QVERIFY(!m_ui->compute({"3", "0", "4", "90"}));
    const QString shown = m_ui->label("Label6")->text();
    const prism::CompositionState before = m_form->state();
    QLineEdit* field = m_ui->text(entry);
    field->setFocus();

    switch (Edit(edit)) {
    case Edit::InputMethodCommit:
    case Edit::InputMethodPreedit: {
        QInputMethodEvent event(Edit(edit) == Edit::InputMethodPreedit ? u"５"_s : QString(), {});
        if (Edit(edit) == Edit::InputMethodCommit)
            event.setCommitString(u"５"_s);
        QApplication::sendEvent(field, &event);
        break;
    }
    case Edit::AccessibleInsert: {
        QAccessibleInterface* entry = QAccessible::queryAccessibleInterface(field);
        QVERIFY(entry && entry->editableTextInterface());
        entry->editableTextInterface()->insertText(1, u"5"_s);
        QCOMPARE(field->text(), u"45"_s);
        break;
    }
    case Edit::SameText:
        field->setText(field->text());
        break;
    case Edit::FocusMoves:
        QTest::keyClick(field, Qt::Key_Tab);
        break;
    case Edit::SelectAll:
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(field->selectedText(), u"4"_s);
        break;
    }

    QCOMPARE(m_ui->label("Label6")->text(), clears ? QString() : shown);
    for (int n = 1; n <= 6; ++n)
        QCOMPARE(m_ui->line(n)->isVisible(), !clears);
    for (const char* letter : {"Label9", "Label12", "Label13"})
        QCOMPARE(m_ui->label(letter)->isVisible(), !clears);
    // Nothing else changes: the buttons, the focus, the record.
    for (int n : {2, 3, 4})
        QVERIFY(m_ui->command(n)->isVisible());
    if (Edit(edit) != Edit::FocusMoves)
        QCOMPARE(m_form->focusWidget(), field);
    QCOMPARE(m_form->state().BP, before.BP);
    QCOMPARE(m_form->state().CXs, before.CXs);
}

void Form1Test::secondComputeReplacesResult()
{
    QVERIFY(!m_ui->compute({"3", "0", "4", "90"}));
    QVERIFY(!m_ui->compute({"3", "30", "2", "120"}));
    QCOMPARE(m_ui->label("Label6")->text(), u"3.6△ Base 64°"_s);
}

void Form1Test::actionNeverMovesFocus()
{
    m_ui->type({"3", "0", "4", "90"});
    m_ui->text(2)->setFocus();
    m_ui->command(1)->click();  // the action alone, without the mouse's own focus change
    QCOMPARE(m_ui->label("Label6")->text(), u"5.0△ Base 53°"_s);
    QCOMPARE(m_form->focusWidget(), m_ui->text(2));

    m_ui->text(1)->clear();
    m_ui->text(3)->setFocus();
    const auto seen = m_ui->answering([this] { m_ui->command(1)->click(); });
    QVERIFY(seen);
    QCOMPARE(seen->text, messageA());
    QTRY_COMPARE(m_form->focusWidget(), m_ui->text(3));
}

void Form1Test::tabOrder()
{
    const auto tabFrom = [this](QWidget* from) {
        from->setFocus();
        QTest::keyClick(from, Qt::Key_Tab);
        return m_form->focusWidget();
    };
    // Hidden buttons drop out of the chain.
    QCOMPARE(tabFrom(m_ui->text(1)), m_ui->text(2));
    QCOMPARE(tabFrom(m_ui->text(2)), m_ui->text(3));
    QCOMPARE(tabFrom(m_ui->text(3)), m_ui->text(4));
    QCOMPARE(tabFrom(m_ui->text(4)), m_ui->command(1));
    QCOMPARE(tabFrom(m_ui->command(1)), m_ui->text(1));

    QVERIFY(!m_ui->compute({"3", "0", "4", "90"}));
    QCOMPARE(tabFrom(m_ui->command(1)), m_ui->command(3));
    QCOMPARE(tabFrom(m_ui->command(3)), m_ui->command(2));
    QCOMPARE(tabFrom(m_ui->command(2)), m_ui->command(4));
    QCOMPARE(tabFrom(m_ui->command(4)), m_ui->text(1));
}

void Form1Test::enterAndEscapeInFieldsDoNothing()
{
    m_ui->type({"3", "0", "4", "90"});
    for (int n = 1; n <= 4; ++n) {
        QTest::keyClick(m_ui->text(n), Qt::Key_Return);
        QTest::keyClick(m_ui->text(n), Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(m_ui->text(n), Qt::Key_Escape);
    }
    QVERIFY(m_ui->label("Label6")->text().isEmpty());
    QVERIFY(m_form->isVisible());
    for (auto* button : m_form->findChildren<QPushButton*>())
        QVERIFY2(!button->isDefault(), qPrintable(button->objectName()));
}

void Form1Test::enterOnFocusedButtonPressesIt()
{
    m_ui->type({"3", "0", "4", "90"});
    m_ui->command(1)->setFocus();
    QTest::keyClick(m_ui->command(1), Qt::Key_Return);
    QCOMPARE(m_ui->label("Label6")->text(), u"5.0△ Base 53°"_s);
}

void Form1Test::accessibleNames()
{
    // The entries' names come from the description (checked by controls());
    // the result line speaks the result and says what it is (and, while it
    // shows one, each eye's words).
    QVERIFY(!m_ui->compute({"3", "0", "4", "90"}));
    QAccessibleInterface* result = QAccessible::queryAccessibleInterface(m_ui->label("Label6"));
    QVERIFY(result);
    QCOMPARE(result->text(QAccessible::Name), u"5.0△ Base 53°"_s);
    QVERIFY(result->text(QAccessible::Description)
                .startsWith(described(form::find("Label6")->accessibleDescription)));
}

// Each eye's words beside the result line while it shows: its tooltip and
// its accessible description, in the words an order is written in. The
// worked example: C as the right eye's is 3.0△ BI with 4.0△ BU, as the left
// eye's 3.0△ BO with 4.0△ BU; split, 2.50△ at 53° for the eye it was
// measured for and at 233° for the other. Its menu and the keyboard copy
// the result line and each eye's parts; gone, and the line's description at
// rest, after reset.
void Form1Test::eachEyeBesideTheResult_data()
{
    QTest::addColumn<QStringList>("in");
    QTest::addColumn<QString>("words");
    QTest::addColumn<QStringList>("copies");  // the result line, the right eye's parts, the left eye's
    QTest::newRow("the worked example")
        << QStringList{u"3"_s, u"0"_s, u"4"_s, u"90"_s}
        << u"Ｃを右眼に：右眼 3.0△ BI、4.0△ BU\n"
           u"半分ずつ：右眼 2.50△ Base 53°（1.50△ BI、2.00△ BU）　左眼 2.50△ Base 233°（1.50△ BI、2.00△ "
           u"BD）\n"
           u"Ｃを左眼に：左眼 3.0△ BO、4.0△ BU\n"
           u"半分ずつ：右眼 2.50△ Base 233°（1.50△ BO、2.00△ BD）　左眼 2.50△ Base 53°（1.50△ BO、2.00△ BU）"_s
        << QStringList{u"5.0△ Base 53°"_s, u"3.0△ BI、4.0△ BU"_s, u"3.0△ BO、4.0△ BU"_s};
    // 0.1△ shown, but its horizontal and vertical parts, 0.042△ each, read
    // 0.0: a prism is needed, each part too small to write.
    QTest::newRow("every part too small to write")
        << QStringList{u"0.06"_s, u"45"_s, u"0"_s, u"0"_s}
        << u"Ｃを右眼に：右眼 水平・垂直とも0.05△未満\n"
           u"半分ずつ：右眼 0.03△ Base 45°（0.02△ BI、0.02△ BU）　左眼 0.03△ Base 225°（0.02△ BI、0.02△ "
           u"BD）\n"
           u"Ｃを左眼に：左眼 水平・垂直とも0.05△未満\n"
           u"半分ずつ：右眼 0.03△ Base 225°（0.02△ BO、0.02△ BD）　左眼 0.03△ Base 45°（0.02△ BO、0.02△ BU）"_s
        << QStringList{u"0.1△ Base 45°"_s, QString(), QString()};
}

void Form1Test::eachEyeBesideTheResult()
{
    QFETCH(QStringList, in);
    QFETCH(QString, words);
    QFETCH(QStringList, copies);
    QLabel* result = m_ui->label("Label6");
    const QString resting = result->accessibleDescription();
    QVERIFY(!m_ui->compute(in));
    QCOMPARE(result->toolTip(), words);
    QCOMPARE(result->accessibleDescription(), resting + u'\n' + words);

    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    for (const auto& [key, copied] :
        {std::pair{Qt::Key_C, copies[0]}, {Qt::Key_R, copies[1]}, {Qt::Key_L, copies[2]}}) {
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(m_ui->text(1), key, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
    }
    QCOMPARE(m_ui->text(1)->text(), in[0]);

    // The result line's own menu, opened by the mouse, offers the copies.
    QStringList offered;
    QTimer::singleShot(0, this, [&] {
        if (QWidget* menu = QApplication::activePopupWidget()) {
            for (const QAction* action : menu->actions())
                offered << action->text();
            menu->close();
        }
    });
    QContextMenuEvent click(QContextMenuEvent::Mouse, {}, result->mapToGlobal(QPoint()));
    QApplication::sendEvent(result, &click);
    QTRY_COMPARE(offered,
        (QStringList{
            u"結果をコピー"_s, u"右眼の値をコピー"_s, u"左眼の値をコピー"_s, u"レンズの偏心とプリズム…"_s}));

    m_ui->click(m_ui->command(2));
    QVERIFY(result->toolTip().isEmpty());
    QCOMPARE(result->accessibleDescription(), resting);
    for (const QAction* copy : result->actions().first(3))
        QVERIFY(!copy->isEnabled());
}

void Form1Test::fittingRule_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("a power") << u"12.75"_s;
    QTest::newRow("a direction") << u"247.5"_s;
    QTest::newRow("narrow digits") << u"1111"_s;
}

// A number is drawn at its own size exactly where a line edit would not
// scroll it (scrolling by even a pixel cuts its first digit); otherwise at
// the largest quarter point that fits while the next one up does not, never
// below the smallest share, where it may still not fit. Widths from far too
// narrow to wide enough, across the line edit's own boundary.
void Form1Test::fittingRule()
{
    QFETCH(QString, text);
    const QFont font = m_ui->text(1)->font();
    const int advance = qCeil(QFontMetricsF(font).horizontalAdvance(text));
    // Qt's line edit as the judge of "fits": whether it scrolls the text
    // (its cursor at the end) from where its cursor stands in a wide field.
    const auto drawn = [&](QLineEdit&& edit, int width) {
        edit.setText(text);
        edit.setFont(font);
        edit.setFixedWidth(width);
        const QImage image = edit.grab().toImage();  // laid out and scrolled
        return std::pair{image, edit.inputMethodQuery(Qt::ImCursorRectangle).toRect().x()};
    };
    const qreal floor = form::description().smallestTextScale;
    const int unscrolled = drawn(QLineEdit(), advance * 3).second;
    for (int width = advance / 2; width <= advance + 16; ++width) {
        const auto [plain, cursor] = drawn(QLineEdit(), width);
        const bool drawnAsIs = drawn(EntryField(floor), width).first == plain;
        QVERIFY2(
            drawnAsIs == (cursor == unscrolled), qPrintable(u"%1 px, cursor at %2"_s.arg(width).arg(cursor)));
    }

    // The size picked for a line of each width, from too narrow for the
    // smallest size, through the first that takes it, to the full size.
    const qreal smallest = font.pointSizeF() * floor;
    QSet<int> seen;  // 0 whole, 1 smaller, 2 cannot fit
    for (int line = advance / 3; line <= advance + 2; ++line) {
        const std::optional<QFont> f = fitting::shrunk(font, text, line, floor);
        QCOMPARE(!f, fitting::fits(font, text, line));
        QFont larger = f.value_or(font);
        larger.setPointSizeF(larger.pointSizeF() + 0.25);
        if (!f)
            seen << 0;
        else if (fitting::fits(*f, text, line) && f->pointSizeF() >= smallest
            && !fitting::fits(larger, text, line))
            seen << 1;
        else if (f->pointSizeF() == smallest)
            seen << 2;
        else
            QFAIL(qPrintable(u"%1 pt in %2 px"_s.arg(f->pointSizeF()).arg(line)));
    }
    QCOMPARE(seen, (QSet{0, 1, 2}));
}

PRISM_WINDOW_TEST_MAIN(Form1Test)
#include "tst_form1.moc"
