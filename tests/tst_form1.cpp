// SPDX-License-Identifier: MIT
// The window as a user meets it, on the offscreen platform: layout, captions,
// focus and tab order, the compute action and its messages.
#include "formdriver.h"

#include <QAccessible>
#include <QFontDatabase>
#include <QFontInfo>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString MessageA = u"Ａの度数（正の数）、Base方向（0～360°）を入れて下さい"_s;
const QString MessageB = u"Ｂの度数（正の数）、Base方向（0～360°）を入れて下さい"_s;

// Twips to device-independent pixels, 15 to 1.
QRect px(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsAsLaidOut();
    void controls_data();
    void controls();
    void labelFontsAndColours_data();
    void labelFontsAndColours();
    void titleFaceDrawsItsWholeCaption();
    void computes_data();
    void computes();
    void rejects_data();
    void rejects();
    void rejectionLeavesPreviousResult();
    void secondComputeReplacesResult();
    void actionNeverMovesFocus();
    void tabOrder();
    void enterAndEscapeInFieldsDoNothing();
    void enterOnFocusedButtonPressesIt();
    void accessibleNames();

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
    QCOMPARE(m_form->windowTitle(), u"Form1"_s);
    QCOMPARE(m_form->size(), QSize(658, 425));
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());

    for (int n = 1; n <= 4; ++n) {
        QVERIFY(m_ui->text(n)->isVisible());
        QVERIFY(m_ui->text(n)->text().isEmpty());
    }
    QVERIFY(m_ui->command(1)->isVisible());
    for (int n : {2, 3, 4})
        QVERIFY2(!m_ui->command(n)->isVisible(), qPrintable(QString::number(n)));
    for (const char* name : {"Label1", "Label2", "Label4", "Label5", "Label6"})
        QVERIFY2(m_ui->label(name)->isVisible(), name);
    for (int index : {0, 1, 4})
        QVERIFY(m_ui->label3(index)->isVisible());
    QVERIFY(m_ui->label("Label6")->text().isEmpty());
    for (const char* name : {"Label9", "Label12", "Label13"})
        QVERIFY2(!m_ui->label(name)->isVisible(), name);
    for (int n = 1; n <= 6; ++n)
        QVERIFY(!m_ui->line(n)->isVisible());

    QCOMPARE(m_form->focusWidget(), m_ui->text(1));
}

void Form1Test::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("geometry");

    const int none = -1;
    QTest::newRow("Text1") << u"Text1"_s << none << QString() << px(3000, 1260, 735, 450);
    QTest::newRow("Text2") << u"Text2"_s << none << QString() << px(5040, 1260, 855, 450);
    QTest::newRow("Text3") << u"Text3"_s << none << QString() << px(3000, 2235, 735, 420);
    QTest::newRow("Text4") << u"Text4"_s << none << QString() << px(5040, 2205, 855, 450);
    QTest::newRow("Command1") << u"Command1"_s << none << u"\u3000合成\u3000C=A+B"_s
                              << px(7200, 1440, 1335, 855);
    QTest::newRow("Command4") << u"Command4"_s << none << u"print"_s << px(960, 5400, 855, 615);
    QTest::newRow("Command2") << u"Command2"_s << none << u"リセット"_s << px(2280, 5400, 1095, 615);
    QTest::newRow("Command3") << u"Command3"_s << none << u"END"_s << px(3840, 5400, 1095, 615);
    QTest::newRow("Label1") << u"Label1"_s << none << u"プリズムの合成"_s << px(360, 240, 3015, 375);
    QTest::newRow("Label2")
        << u"Label2"_s << none
        << u"２枚のプリズムＡ,Ｂの数値を打ち込み、合成ボタンを押すと、合成プリズムＣを計算します。"_s
        << px(3720, 240, 5655, 495);
    QTest::newRow("Label3(0)") << u"Label3"_s << 0 << u"プリズム A  ="_s << px(960, 1320, 1815, 375);
    QTest::newRow("Label3(1)") << u"Label3"_s << 1 << u"△  Base\u3000     \u3000°"_s
                               << px(3840, 1320, 2655, 375);
    QTest::newRow("Label4") << u"Label4"_s << none << u"プリズム B  = "_s << px(960, 2280, 1935, 375);
    QTest::newRow("Label3(4)") << u"Label3"_s << 4 << u"△  Base\u3000     \u3000°"_s
                               << px(3840, 2280, 2655, 375);
    QTest::newRow("Label5") << u"Label5"_s << none << u"合成プリズムＣは・・・"_s
                            << px(960, 3720, 4215, 375);
    QTest::newRow("Label6") << u"Label6"_s << none << QString() << px(1080, 4200, 4935, 615);
    QTest::newRow("Label9") << u"Label9"_s << none << u"A"_s << px(5400, 5280, 375, 255);
    QTest::newRow("Label12") << u"Label12"_s << none << u"B"_s << px(5400, 5520, 375, 255);
    QTest::newRow("Label13") << u"Label13"_s << none << u"C"_s << px(5400, 5760, 375, 255);
}

void Form1Test::controls()
{
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(QString, caption);
    QFETCH(QRect, geometry);

    QWidget* widget = index >= 0 ? m_ui->label3(index) : m_form->findChild<QWidget*>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), geometry);
    if (auto* label = qobject_cast<QLabel*>(widget))
        QCOMPARE(label->text(), caption);
    else if (auto* button = qobject_cast<QPushButton*>(widget))
        QCOMPARE(button->text(), caption);
}

void Form1Test::labelFontsAndColours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QColor>("colour");

    const QString pGothic = u"ＭＳ Ｐゴシック"_s;
    const QString gothic = u"ＭＳ ゴシック"_s;
    const QColor blue(0, 0, 255), red(255, 0, 0), black(0, 0, 0);
    QTest::newRow("Text1") << u"Text1"_s << -1 << pGothic << 15.75 << true << blue;
    QTest::newRow("Text2") << u"Text2"_s << -1 << pGothic << 15.75 << true << blue;
    QTest::newRow("Text3") << u"Text3"_s << -1 << pGothic << 15.75 << true << red;
    QTest::newRow("Text4") << u"Text4"_s << -1 << pGothic << 15.75 << true << red;
    QTest::newRow("Label3(0)") << u"Label3"_s << 0 << pGothic << 14.25 << true << blue;
    QTest::newRow("Label3(1)") << u"Label3"_s << 1 << pGothic << 14.25 << true << blue;
    QTest::newRow("Label4") << u"Label4"_s << -1 << pGothic << 14.25 << true << red;
    QTest::newRow("Label3(4)") << u"Label3"_s << 4 << pGothic << 14.25 << true << red;
    QTest::newRow("Label5") << u"Label5"_s << -1 << gothic << 14.25 << true << black;
    QTest::newRow("Label6") << u"Label6"_s << -1 << pGothic << 18.0 << true << black;
    QTest::newRow("Label2") << u"Label2"_s << -1 << gothic << 9.75 << true << QColor();
    QTest::newRow("Label9") << u"Label9"_s << -1 << pGothic << 12.0 << true << QColor();
    QTest::newRow("Command1") << u"Command1"_s << -1 << gothic << 12.0 << true << QColor();
    QTest::newRow("Command4") << u"Command4"_s << -1 << pGothic << 9.75 << false << QColor();
    QTest::newRow("Command2") << u"Command2"_s << -1 << gothic << 9.0 << false << QColor();
    // No font of its own: the window's default face.
    QTest::newRow("Command3") << u"Command3"_s << -1 << pGothic << 9.0 << false << QColor();
}

void Form1Test::labelFontsAndColours()
{
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(QString, family);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(QColor, colour);

    QWidget* widget = index >= 0 ? m_ui->label3(index) : m_form->findChild<QWidget*>(name);
    QVERIFY(widget);
    // The named face where it is installed, otherwise an installed face that
    // covers Japanese; either way the face the text is really drawn with.
    const QString requested = widget->font().family();
    if (QFontDatabase::families().contains(family))
        QCOMPARE(requested, family);
    else
        QVERIFY2(QFontDatabase::writingSystems(requested).contains(QFontDatabase::Japanese),
            qPrintable(requested));
    QCOMPARE(QFontInfo(widget->font()).family(), requested);
    QCOMPARE(widget->font().pointSizeF(), points);
    QCOMPARE(widget->font().weight(), bold ? QFont::Bold : QFont::Normal);
    if (colour.isValid()) {
        const auto role = qobject_cast<QLineEdit*>(widget) ? QPalette::Text : QPalette::WindowText;
        QCOMPARE(widget->palette().color(role), colour);
    }
}

// The title is drawn without glyph fallback, so the face it resolves to must
// hold every character of its caption (a missing one would show as a box).
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

    QTest::newRow("A power empty") << QStringList{"", "0", "4", "90"} << MessageA;
    QTest::newRow("A direction empty") << QStringList{"3", "", "4", "90"} << MessageA;
    QTest::newRow("A power negative, B direction 400: A first")
        << QStringList{"-1", "0", "4", "400"} << MessageA;
    QTest::newRow("A direction -0.5") << QStringList{"3", "-0.5", "4", "90"} << MessageA;
    QTest::newRow("A direction 360.5") << QStringList{"3", "360.5", "4", "90"} << MessageA;
    QTest::newRow("A letters") << QStringList{"abc", "0", "4", "90"} << MessageA;
    QTest::newRow("A decimal comma") << QStringList{"1,5", "0", "4", "90"} << MessageA;
    QTest::newRow("B direction 361") << QStringList{"3", "0", "4", "361"} << MessageB;
    QTest::newRow("B power empty") << QStringList{"3", "0", "", "90"} << MessageB;
    QTest::newRow("B nan") << QStringList{"3", "0", "nan", "90"} << MessageB;
    QTest::newRow("A square overflows a float") << QStringList{"1e20", "90", "4", "90"} << MessageA;
    QTest::newRow("B larger of two huge powers") << QStringList{"1e20", "90", "1e21", "90"} << MessageB;
}

void Form1Test::rejects()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, message);

    const auto seen = m_ui->compute(entries);
    QVERIFY(seen);
    QCOMPARE(seen->text, message);
    QCOMPARE(seen->title, Form1::programTitle());
    QCOMPARE(seen->title, u"プリズムの合成"_s);
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

void Form1Test::rejectionLeavesPreviousResult()
{
    QVERIFY(!m_ui->compute({"3", "0", "4", "90"}));
    const auto seen = m_ui->compute({"3", "0", "4", "361"});
    QVERIFY(seen);
    QCOMPARE(seen->text, MessageB);
    QCOMPARE(m_ui->label("Label6")->text(), u"5.0△ Base 53°"_s);
    for (int n : {2, 3, 4})
        QVERIFY(m_ui->command(n)->isVisible());
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
    QCOMPARE(seen->text, MessageA);
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
    QCOMPARE(m_ui->text(1)->accessibleName(), u"プリズムA 度数"_s);
    QCOMPARE(m_ui->text(2)->accessibleName(), u"プリズムA Base方向"_s);
    QCOMPARE(m_ui->text(3)->accessibleName(), u"プリズムB 度数"_s);
    QCOMPARE(m_ui->text(4)->accessibleName(), u"プリズムB Base方向"_s);

    QVERIFY(!m_ui->compute({"3", "0", "4", "90"}));
    QAccessibleInterface* result = QAccessible::queryAccessibleInterface(m_ui->label("Label6"));
    QVERIFY(result);
    QCOMPARE(result->text(QAccessible::Name), u"5.0△ Base 53°"_s);
    QVERIFY(!result->text(QAccessible::Description).isEmpty());
}

PRISM_WINDOW_TEST_MAIN(Form1Test)
#include "tst_form1.moc"

