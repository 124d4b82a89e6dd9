// SPDX-License-Identifier: MIT
// Whatever is typed or pasted into the four fields, the window answers with
// the prism's message or the correct result: never a crash, a hang, or a
// number the arithmetic did not produce.
#include "formdriver.h"

#include <form/form.h>

#include <QClipboard>
#include <QElapsedTimer>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString MessageA = described(form::description().messageA);
const QString MessageB = described(form::description().messageB);

// Every row starts from A = 3 at 0° and B = 4 at 90° and replaces one field.
const QStringList Baseline{"3", "0", "4", "90"};

}  // namespace

class HostileTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void pasted_data();
    void pasted();
    void typedFullWidth_data();
    void typedFullWidth();

private:
    void expect(int field, const QString& expected);

    FormFixture m_fixture;
    std::unique_ptr<Form1>& m_form = m_fixture.form;
    std::unique_ptr<FormDriver>& m_ui = m_fixture.ui;
};

void HostileTest::init()
{
    QVERIFY(m_fixture.open());
    m_ui->type(Baseline);
}

void HostileTest::cleanup()
{
    m_fixture.close();
}

// Computes and checks: a message (MessageA/MessageB) or the result line.
void HostileTest::expect(int field, const QString& expected)
{
    QElapsedTimer timer;
    timer.start();
    const auto seen = m_ui->click(m_ui->command(1));
    QVERIFY2(timer.elapsed() < 2000, qPrintable(QStringLiteral("took %1 ms").arg(timer.elapsed())));
    const QString shown = seen ? seen->text : m_ui->label(("Label6"))->text();
    QVERIFY2(shown == expected,
        qPrintable(QStringLiteral("field %1 holding %2 chars gave \"%3\"")
                       .arg(field)
                       .arg(m_ui->text(field)->text().size())
                       .arg(shown.left(80))));
    if (seen)
        QVERIFY(m_ui->label("Label6")->text().isEmpty());
    QVERIFY(!m_ui->label("Label6")->text().contains(u"nan"_s, Qt::CaseInsensitive));
    QVERIFY(!m_ui->label("Label6")->text().contains(u"inf"_s, Qt::CaseInsensitive));
}

void HostileTest::pasted_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    const QString worked = u"5.0△ Base 53°"_s;
    const QString bAlone = u"4.0△ Base 90°"_s;
    // A field keeps at most 32767 characters: 100,000 ones are cut to a
    // number far beyond a double, 3 and 99,999 blanks to a plain 3.
    QTest::newRow("100,000 digits") << 1 << QString(100000, u'1') << MessageA;
    QTest::newRow("3 and 99,999 blanks") << 1 << u"3"_s + QString(99999, u' ') << worked;
    QTest::newRow("100,000 digits after a point") << 3 << u"4."_s + QString(99998, u'0') << worked;
    QTest::newRow("control character") << 1 << u"3\u0001"_s << MessageA;
    QTest::newRow("NUL inside") << 2 << QString::fromUtf16(u"0\u00000", 3) << MessageA;
    QTest::newRow("escape sequence") << 3 << u"\u001b[2J4"_s << MessageB;
    QTest::newRow("multi-line paste") << 1 << u"3\n4\n90"_s << MessageA;
    QTest::newRow("cell with its line end") << 4 << u"90\r\n"_s << worked;
    QTest::newRow("right-to-left mark") << 1 << u"\u200F3"_s << MessageA;
    QTest::newRow("right-to-left override") << 4 << u"\u202E09"_s << MessageB;
    QTest::newRow("emoji") << 3 << u"4😀"_s << MessageB;
    QTest::newRow("lone surrogate") << 3 << QString(QChar(0xD800)) + u"4"_s << MessageB;
    QTest::newRow("1e-400 is zero") << 1 << u"1e-400"_s << bAlone;
    QTest::newRow("1e400 overflows") << 1 << u"1e400"_s << MessageA;
    QTest::newRow("huge exponent digits") << 3 << u"1e99999999999999999999"_s << MessageB;
    QTest::newRow("-0 is zero") << 1 << u"-0"_s << bAlone;
    QTest::newRow("+.5") << 1 << u"+.5"_s << u"4.0△ Base 83°"_s;
    QTest::newRow("lone point") << 2 << u"."_s << MessageA;
    QTest::newRow("lone exponent") << 4 << u"e5"_s << MessageB;
    QTest::newRow("nan") << 1 << u"nan"_s << MessageA;
    QTest::newRow("infinity") << 3 << u"Infinity"_s << MessageB;
    QTest::newRow("hexadecimal") << 4 << u"0x5A"_s << MessageB;
    QTest::newRow("grouped digits") << 1 << u"1,000"_s << MessageA;
    QTest::newRow("blanks only") << 2 << u"   "_s << MessageA;
    QTest::newRow("square overflows the float") << 3 << u"1e20"_s << MessageB;
}

void HostileTest::pasted()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QString, expected);

    QLineEdit* edit = m_ui->text(field);
    edit->clear();
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QVERIFY(!edit->text().isEmpty());
    expect(field, expected);
}

void HostileTest::typedFullWidth_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("digits") << 1 << u"３"_s << u"5.0△ Base 53°"_s;
    QTest::newRow("point") << 1 << u"５．５"_s << u"6.8△ Base 36°"_s;
    QTest::newRow("plus") << 3 << u"＋４"_s << u"5.0△ Base 53°"_s;
    QTest::newRow("minus power") << 1 << u"－３"_s << MessageA;
    QTest::newRow("exponent") << 4 << u"９ｅ１"_s << u"5.0△ Base 53°"_s;
    QTest::newRow("ideographic spaces") << 2 << u"\u3000０\u3000"_s << u"5.0△ Base 53°"_s;
    QTest::newRow("full-width comma") << 1 << u"３，０"_s << MessageA;
    QTest::newRow("full-width letters") << 3 << u"ＩＮＦ"_s << MessageB;
    QTest::newRow("katakana prolonged mark as minus") << 3 << u"ー４"_s << MessageB;
    QTest::newRow("half-width katakana") << 2 << u"ｾﾞﾛ"_s << MessageA;
}

void HostileTest::typedFullWidth()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QString, expected);

    m_ui->text(field)->clear();
    FormDriver::typeInto(m_ui->text(field), text);
    QCOMPARE(m_ui->text(field)->text(), text);
    expect(field, expected);
}

PRISM_WINDOW_TEST_MAIN(HostileTest)
#include "tst_hostile.moc"
