// SPDX-License-Identifier: MIT
// The lens tool's window as a user meets it, on the offscreen platform,
// beside the composer's window as the program joins them: both eyes and
// every way, where the wearer reads, the refusals, the fills from C and the
// put into B, and where the window opens.
#include "formdriver.h"
#include "placement.h"

#include <QClipboard>
#include <QComboBox>

using namespace Qt::StringLiterals;

namespace {

// Types into the lens tool's entries and picks its ways ("外方", "BO" …),
// each by its accessible name, as a user does.
void enterLens(const Form1& form, const QList<std::pair<QString, QString>>& entries)
{
    for (const auto& [name, text] : entries)
        if (auto* way = form.findChild<QComboBox*>(name)) {
            way->setCurrentIndex(way->findText(text, Qt::MatchStartsWith));
        } else {
            QLineEdit* entry = form.findChild<QLineEdit*>(name);
            entry->clear();
            FormDriver::typeInto(entry, text);
        }
}

}  // namespace

class LensWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void lensTool();
    void lensToolAtNear();
    void lensToolRefusesAnEntry();
    void lensToolEveryWay();
    void lensToolFills();
    void lensToolChecksAPair();
    void lensToolOpensBeside_data();
    void lensToolOpensBeside();

private:
    FormFixture m_fixture;
    std::unique_ptr<Form1>& m_form = m_fixture.form;
    std::unique_ptr<FormDriver>& m_ui = m_fixture.ui;
};

void LensWindowTest::init()
{
    QVERIFY(m_fixture.open());
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void LensWindowTest::cleanup()
{
    m_fixture.close();
}

// The lens tool opened from the keyboard beside a result: the worked
// example in the right eye (S -3.00, C -2.00, AX 30, the centre 5 mm in and
// 2 mm up; 1.00△ base out wanted), computed with Enter, as an order writes
// it; its prism put into B's entries, which clears the composer's result.
void LensWindowTest::lensTool()
{
    QVERIFY(!m_ui->compute({u"3"_s, u"0"_s, u"4"_s, u"90"_s}));
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    QTest::keyClick(m_ui->text(1), Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
    const auto find = [&]<typename T = QLineEdit>(const QString& name)
    {
        return m_form->findChild<T*>(name);
    };
    QTRY_VERIFY(find.operator()<QWidget>(u"LensWindow"_s)->isVisible());
    // Whole on the screen, which is too narrow for both windows side by side.
    QVERIFY(m_form->screen()->availableGeometry().contains(
        find.operator()<QWidget>(u"LensWindow"_s)->frameGeometry()));
    for (const auto& [name, text] :
        {std::pair{u"右眼 S"_s, u"-3"_s}, {u"右眼 C"_s, u"−2"_s}, {u"右眼 AX"_s, u"30"_s},
            {u"右眼 水平偏心"_s, u"5"_s}, {u"右眼 垂直偏心"_s, u"2"_s}, {u"右眼 水平プリズム"_s, u"1"_s}})
        FormDriver::typeInto(find(name), text);
    find.operator()<QComboBox>(u"右眼 水平プリズムの基底"_s)->setCurrentIndex(1);
    QTest::keyClick(find(u"右眼 S"_s), Qt::Key_Return);
    QCOMPARE(find.operator()<QLabel>(u"右眼 偏心からプリズム"_s)->text(),
        u"1.58△ BO、0.47△ BD（1.64△ Base 196°）"_s);
    QCOMPARE(find.operator()<QLabel>(u"右眼 プリズムから偏心"_s)->text(), u"3.0 mm 内方、0.6 mm 上方"_s);
    QTest::mouseClick(find.operator()<QPushButton>(u"右眼のプリズムをＢに"_s), Qt::LeftButton);
    QCOMPARE(m_ui->text(3)->text() + u' ' + m_ui->text(4)->text(), u"1.64 196.5"_s);
    QVERIFY(m_ui->label("Label6")->text().isEmpty());
}

// Where the wearer reads, the worked check: 10 mm down through -5.00 and
// -3.00 read 5.00△ and 3.00△ base down, 2.00△ apart, the right eye's more
// base down: a slab-off of 2.00△ on the right lens or a reverse slab on
// the left. Its copy is the line a lab order takes.
void LensWindowTest::lensToolAtNear()
{
    m_fixture.tools->openLens();
    FormDriver::typeInto(m_form->findChild<QLineEdit*>(u"右眼 S"_s), u"-5"_s);
    FormDriver::typeInto(m_form->findChild<QLineEdit*>(u"左眼 S"_s), u"-3"_s);
    QTest::mouseClick(m_form->findChild<QPushButton*>(u"計算"_s), Qt::LeftButton);
    const QString imbalance = u"上下プリズム差（近用）：2.00△（右眼のほうが基底下方）"_s;
    const QString slab
        = u"スラブオフ 2.00△ 基底上方を右眼のレンズに、または逆スラブ 2.00△ 基底下方を左眼のレンズに"_s;
    QCOMPARE(m_form->findChild<QLabel*>(u"近用部の上下プリズム差"_s)->text(),
        u"右眼（近用部）：5.00△ BD\n左眼（近用部）：3.00△ BD\n"_s + imbalance + u'\n' + slab
            + u"\nスラブオフは 0.5△ 刻みで作られます。注文する量は眼鏡店で決めて下さい"_s);
    QTest::mouseClick(m_form->findChild<QPushButton*>(u"上下プリズム差をコピー"_s), Qt::LeftButton);
    QVERIFY(QGuiApplication::clipboard()->text().startsWith(imbalance + u'　' + slab));
    // An edit clears it: no imbalance beside lenses it was not computed from.
    FormDriver::typeInto(m_form->findChild<QLineEdit*>(u"左眼 S"_s), u"5"_s);
    QVERIFY(m_form->findChild<QLabel*>(u"近用部の上下プリズム差"_s)->text().isEmpty());
}

// A bad entry says which and what it takes, and takes the focus; nothing
// typed is lost, and the other eye computes. Of two, the first is named;
// an axis is asked for where a cylinder needs one, then for its range.
void LensWindowTest::lensToolRefusesAnEntry()
{
    m_fixture.tools->openLens();
    const auto find = [&](const QString& name) { return m_form->findChild<QLineEdit*>(name); };
    const auto computed = [&](const QString& atEntry) {
        const auto seen = m_ui->answering([&] { QTest::keyClick(find(atEntry), Qt::Key_Return); });
        return seen ? seen->text : QString();
    };
    enterLens(*m_form, {{u"右眼 S"_s, u"31"_s}, {u"左眼 C"_s, u"-2"_s}, {u"左眼 水平プリズム"_s, u"1"_s}});
    QCOMPARE(computed(u"左眼 C"_s), u"右眼 S には −30.00 から 30.00 までの数を入れて下さい"_s);
    QCOMPARE(m_form->findChild<QWidget*>(u"LensWindow"_s)->focusWidget(), find(u"右眼 S"_s));
    QCOMPARE(find(u"右眼 S"_s)->text(), u"31"_s);
    QVERIFY(m_form->findChild<QLabel*>(u"右眼 偏心からプリズム"_s)->text().isEmpty());

    enterLens(*m_form, {{u"右眼 S"_s, u"-5"_s}, {u"右眼 水平偏心"_s, u"4"_s}});
    QCOMPARE(computed(u"右眼 S"_s), u"C が 0 でないときは、左眼 AX も入れて下さい"_s);
    QCOMPARE(m_form->findChild<QWidget*>(u"LensWindow"_s)->focusWidget(), find(u"左眼 AX"_s));
    QCOMPARE(
        m_form->findChild<QLabel*>(u"右眼 偏心からプリズム"_s)->text(), u"2.00△ BO（2.00△ Base 180°）"_s);
    FormDriver::typeInto(find(u"左眼 AX"_s), u"181"_s);
    QCOMPARE(computed(u"左眼 AX"_s), u"左眼 AX には 0 から 180 までの数を入れて下さい"_s);
    QCOMPARE(find(u"左眼 AX"_s)->text(), u"181"_s);
    QCOMPARE(find(u"左眼 C"_s)->text(), u"-2"_s);
}

// Both eyes and every way that is not the first: -5.00 D with its centre
// 4 mm out and 4 mm up (the left's in and down) gives 2△ in and 2△ down
// (the left's out and up); 1△ out and 1△ up (the left's out and down)
// wants the centre 2 mm in and 2 mm down (the left's in and up). Read 10 mm
// below: 2△ across and 7△ (3△) down, 4△ apart near and far.
void LensWindowTest::lensToolEveryWay()
{
    m_fixture.tools->openLens();
    for (const QString& eye : {u"右眼 "_s, u"左眼 "_s}) {
        const bool right = eye == u"右眼 "_s;
        enterLens(*m_form,
            {{eye + u"S"_s, u"-5"_s}, {eye + u"水平偏心"_s, u"4"_s}, {eye + u"垂直偏心"_s, u"4"_s},
                {eye + u"水平偏心の向き"_s, right ? u"外方"_s : u"内方"_s},
                {eye + u"垂直偏心の向き"_s, right ? u"上方"_s : u"下方"_s}, {eye + u"水平プリズム"_s, u"1"_s},
                {eye + u"垂直プリズム"_s, u"1"_s}, {eye + u"水平プリズムの基底"_s, u"BO"_s},
                {eye + u"垂直プリズムの基底"_s, right ? u"BU"_s : u"BD"_s}});
    }
    QTest::mouseClick(m_form->findChild<QPushButton*>(u"計算"_s), Qt::LeftButton);
    const auto text = [&](const QString& name) { return m_form->findChild<QLabel*>(name)->text(); };
    QCOMPARE(text(u"右眼 偏心からプリズム"_s), u"2.00△ BI、2.00△ BD（2.83△ Base 315°）"_s);
    QCOMPARE(text(u"右眼 プリズムから偏心"_s), u"2.0 mm 内方、2.0 mm 下方"_s);
    QCOMPARE(text(u"近用部の上下プリズム差"_s),
        u"右眼（近用部）：2.00△ BI、7.00△ BD\n左眼（近用部）：2.00△ BO、3.00△ BD\n"
        u"上下プリズム差（近用）：4.00△（右眼のほうが基底下方）\n上下プリズム差（遠用）：4.00△（右眼のほうが基底下方）"_s);
    QTest::mouseClick(m_form->findChild<QPushButton*>(u"左眼の結果をコピー"_s), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(),
        u"左眼 偏心からプリズム：2.00△ BO、2.00△ BU（2.83△ Base 45°）\n"
        u"左眼 プリズムから偏心：2.0 mm 内方、2.0 mm 上方"_s);
}

// The fills from the worked result (C 3△ toward the right eye's nose, 4△
// up) as the eyes' table reads it, offered only while the composer shows a
// result; an eye's prism put into B only where it has one.
void LensWindowTest::lensToolFills()
{
    m_fixture.tools->openLens();
    const auto button = [&](const QString& name) { return m_form->findChild<QPushButton*>(name); };
    QVERIFY(!button(u"Ｃを右眼に"_s)->isEnabled());
    QVERIFY(!m_ui->compute({u"3"_s, u"0"_s, u"4"_s, u"90"_s}));
    enterLens(*m_form, {{u"右眼 S"_s, u"-5"_s}, {u"右眼 水平偏心"_s, u"4"_s}, {u"左眼 S"_s, u"-3"_s}});
    QTest::mouseClick(button(u"計算"_s), Qt::LeftButton);
    QVERIFY(button(u"右眼のプリズムをＢに"_s)->isEnabled());
    QVERIFY(!button(u"左眼のプリズムをＢに"_s)->isEnabled());
    const auto wanted = [&](const QString& eye) {
        QStringList parts;
        for (const QString& way : {u"水平"_s, u"垂直"_s})
            if (const QString size = m_form->findChild<QLineEdit*>(eye + u' ' + way + u"プリズム"_s)->text();
                !size.isEmpty())
                parts << size + u' '
                        + m_form->findChild<QComboBox*>(eye + u' ' + way + u"プリズムの基底"_s)
                              ->currentText()
                              .left(2);
        return parts.join(u' ');
    };
    for (const auto& [fill, right, left] : {std::tuple{u"Ｃを右眼に"_s, u"3.00 BI 4.00 BU"_s, QString()},
             {u"Ｃを右眼に・半分ずつ"_s, u"1.50 BI 2.00 BU"_s, u"1.50 BI 2.00 BD"_s},
             {u"Ｃを左眼に"_s, QString(), u"3.00 BO 4.00 BU"_s},
             {u"Ｃを左眼に・半分ずつ"_s, u"1.50 BO 2.00 BD"_s, u"1.50 BO 2.00 BU"_s}}) {
        QTest::mouseClick(button(fill), Qt::LeftButton);
        QCOMPARE(QStringList({fill, wanted(u"右眼"_s), wanted(u"左眼"_s)}), QStringList({fill, right, left}));
    }
    QTest::mouseClick(button(u"計算"_s), Qt::LeftButton);
    FormDriver::typeInto(m_ui->text(1), u"5"_s);
    QVERIFY(!button(u"Ｃを右眼に"_s)->isEnabled());
    QVERIFY(!button(u"右眼のプリズムをＢに"_s)->isEnabled());
}

// A finished pair of the worked lens, read 1.58△ BO and 0.47△ BD on the
// right at its reference point, none on the left: its optical centre 5.0 mm
// in and 2.0 mm up, over both of ANSI Z80.1's millimetre limits. It copies
// as it shows; an edit clears it.
void LensWindowTest::lensToolChecksAPair()
{
    m_fixture.tools->openLens();
    for (const QString& eye : {u"右眼 "_s, u"左眼 "_s})
        enterLens(*m_form, {{eye + u"S"_s, u"-3"_s}, {eye + u"C"_s, u"-2"_s}, {eye + u"AX"_s, u"30"_s}});
    enterLens(*m_form,
        {{u"右眼 実測 水平プリズム"_s, u"1.58"_s}, {u"右眼 実測 水平プリズムの基底"_s, u"BO"_s},
            {u"右眼 実測 垂直プリズム"_s, u"0.47"_s}, {u"右眼 実測 垂直プリズムの基底"_s, u"BD"_s}});
    QTest::keyClick(m_form->findChild<QLineEdit*>(u"右眼 実測 垂直プリズム"_s), Qt::Key_Return);
    const QString shows
        = u"右眼：ずれ 1.58△ BO、0.47△ BD（プリズム基準点 5.0 mm 内方、2.0 mm 上方）\n左眼：ずれなし\n"
          u"上下：0.47△（右眼のほうが基底下方）、高さの差 2.0 mm：垂直方向の度数が 3.375 D "
          u"を超えるため 1.0 mm まで（ANSI Z80.1）　不合格\n"
          u"水平：1.58△ BO、PD との差 5.0 mm 狭い：水平方向の度数が 2.75 D を超えるため 2.5 mm "
          u"まで（ANSI Z80.1）　不合格"_s;
    QLabel* check = m_form->findChild<QLabel*>(u"仕上がりの検査"_s);
    QCOMPARE(check->text(), shows);
    QTest::mouseClick(m_form->findChild<QPushButton*>(u"検査結果をコピー"_s), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), shows);
    FormDriver::typeInto(m_form->findChild<QLineEdit*>(u"左眼 実測 水平プリズム"_s), u"1"_s);
    QVERIFY(check->text().isEmpty());
}

// The lens window's place: to the composer's right, else below it (its left
// edge under the composer's), else moved whole onto the screen.
void LensWindowTest::lensToolOpensBeside_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QPoint>("at");
    const QRect owner(100, 50, 500, 400);  // right edge 599, bottom 449
    QTest::newRow("wide screen") << QRect(0, 0, 1280, 1024) << QPoint(608, 50);
    QTest::newRow("narrow screen") << QRect(0, 0, 900, 1024) << QPoint(100, 458);
    QTest::newRow("small screen") << QRect(0, 0, 900, 700) << QPoint(500, 50);
    QTest::newRow("short screen") << QRect(0, 0, 1280, 500) << QPoint(608, 0);
}

void LensWindowTest::lensToolOpensBeside()
{
    QFETCH(QRect, screen);
    QFETCH(QPoint, at);
    QCOMPARE(placement::beside(QRect(100, 50, 500, 400), QSize(400, 500), screen), at);
}

PRISM_WINDOW_TEST_MAIN(LensWindowTest)
#include "tst_lenswindow.moc"
