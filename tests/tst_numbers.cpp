// SPDX-License-Identifier: MIT
// The entry-text conversion and the "#0" / "#0.0" number patterns.
#include "decimal.h"

#include <prism/prism.h>

#include <QtTest>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

using namespace Qt::StringLiterals;

class NumbersTest : public QObject {
    Q_OBJECT

private slots:
    void accepts_data();
    void accepts();
    void refuses_data();
    void refuses();
    void formats_data();
    void formats();
    void formatRoundTripsThroughParser();
    void readsDecimalsAsTheLibraryDoes_data();
    void readsDecimalsAsTheLibraryDoes();
};

void NumbersTest::accepts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    QTest::newRow("integer") << u"3"_s << 3.0;
    QTest::newRow("decimal") << u"2.25"_s << 2.25;
    QTest::newRow("leading point") << u".5"_s << 0.5;
    QTest::newRow("trailing point") << u"5."_s << 5.0;
    QTest::newRow("plus sign") << u"+.5"_s << 0.5;
    QTest::newRow("minus sign") << u"-1"_s << -1.0;
    QTest::newRow("exponent") << u"1e2"_s << 100.0;
    QTest::newRow("signed exponent") << u"25E-1"_s << 2.5;
    QTest::newRow("blanks around") << u"  \t3.5 "_s << 3.5;
    QTest::newRow("pasted with its line end") << u"3.5\r\n"_s << 3.5;
    QTest::newRow("ideographic spaces around") << u"\u30003\u3000"_s << 3.0;
    QTest::newRow("full-width digits") << u"３６０"_s << 360.0;
    QTest::newRow("full-width point") << u"５．５"_s << 5.5;
    QTest::newRow("full-width signs") << u"－１"_s << -1.0;
    QTest::newRow("full-width plus and exponent") << u"＋１ｅ２"_s << 100.0;
    QTest::newRow("mixed widths") << u"1２.5"_s << 12.5;
    QTest::newRow("leading zeros") << u"007"_s << 7.0;
    QTest::newRow("correctly rounded") << u"0.1"_s << 0.1;
    QTest::newRow("largest double") << u"1.7976931348623157e308"_s << std::numeric_limits<double>::max();
    QTest::newRow("underflow is zero") << u"1e-400"_s << 0.0;
    QTest::newRow("tiny with many zeros is zero") << u"0.0000001e-400"_s << 0.0;
    QTest::newRow("subnormal kept") << u"4.9406564584124654e-324"_s
                                    << std::numeric_limits<double>::denorm_min();
    QTest::newRow("huge exponent on zero") << u"0e999999999999"_s << 0.0;
}

void NumbersTest::accepts()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    const auto n = prism::to_number(text.toStdString());
    QVERIFY(n.has_value());
    QCOMPARE(*n, value);
}

void NumbersTest::refuses_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QString();
    QTest::newRow("blanks only") << u" \u3000 "_s;
    QTest::newRow("letters") << u"abc"_s;
    QTest::newRow("trailing junk") << u"3a"_s;
    QTest::newRow("nan") << u"nan"_s;
    QTest::newRow("inf") << u"inf"_s;
    QTest::newRow("infinity") << u"-Infinity"_s;
    QTest::newRow("hexadecimal") << u"0x10"_s;
    QTest::newRow("hex float") << u"0x1p3"_s;
    QTest::newRow("digit grouping") << u"1,000"_s;
    QTest::newRow("decimal comma") << u"1,5"_s;
    QTest::newRow("full-width comma") << u"１，５"_s;
    QTest::newRow("lone point") << u"."_s;
    QTest::newRow("lone sign") << u"-"_s;
    QTest::newRow("lone exponent") << u"e5"_s;
    QTest::newRow("exponent without digits") << u"1e"_s;
    QTest::newRow("exponent sign without digits") << u"1e+"_s;
    QTest::newRow("two signs") << u"+-1"_s;
    QTest::newRow("blank after sign") << u"- 1"_s;
    QTest::newRow("blank inside") << u"1 2"_s;
    QTest::newRow("two points") << u"1.2.3"_s;
    QTest::newRow("overflow") << u"1e400"_s;
    QTest::newRow("overflow by digits") << QString(400, u'9');
    QTest::newRow("newline inside") << u"1\n2"_s;
    QTest::newRow("NUL") << QString::fromUtf16(u"1\u0000", 2);
    QTest::newRow("emoji") << u"1😀"_s;
    QTest::newRow("right-to-left mark") << u"\u200F1"_s;
    QTest::newRow("other full-width letter") << u"１ａ"_s;
    QTest::newRow("minus sign U+2212") << u"\u22121"_s;
}

void NumbersTest::refuses()
{
    QFETCH(QString, text);
    QVERIFY(!prism::to_number(text.toStdString()).has_value());
}

void NumbersTest::formats_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");

    QTest::newRow("one decimal") << 4.9999911843215692 << 1 << u"5.0"_s;
    QTest::newRow("integer digit always") << 0.04 << 1 << u"0.0"_s;
    QTest::newRow("whole") << 53.130112806934093 << 0 << u"53"_s;
    QTest::newRow("rounds up to next ten") << 359.6008418230407 << 0 << u"360"_s;
    QTest::newRow("carry through nines") << 99.96 << 1 << u"100.0"_s;
    // Halves away from zero, decided on the 15-digit decimal form.
    QTest::newRow("0.15 is a half") << 0.15 << 1 << u"0.2"_s;
    QTest::newRow("2.25 is a half") << 2.25 << 1 << u"2.3"_s;
    QTest::newRow("3.25 is a half") << 3.25 << 1 << u"3.3"_s;
    QTest::newRow("0.5 whole") << 0.5 << 0 << u"1"_s;
    QTest::newRow("2.5 whole") << 2.5 << 0 << u"3"_s;
    QTest::newRow("just below a half stays below") << 3.24999995 << 1 << u"3.2"_s;
    QTest::newRow("negative half away from zero") << -2.25 << 1 << u"-2.3"_s;
    QTest::newRow("no negative zero") << -0.04 << 1 << u"0.0"_s;
    QTest::newRow("negative zero itself") << -0.0 << 1 << u"0.0"_s;
    QTest::newRow("tiny negative whole") << -0.4 << 0 << u"0"_s;
    QTest::newRow("tiny") << 7.3400039960581239e-06 << 1 << u"0.0"_s;
    QTest::newRow("just reaches a tenth") << 0.05 << 1 << u"0.1"_s;
    QTest::newRow("no grouping") << 1234567.25 << 1 << u"1234567.3"_s;
    QTest::newRow("large exact") << 1e20 << 1 << u"100000000000000000000.0"_s;
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << 1 << u"nan"_s;
    QTest::newRow("inf") << -std::numeric_limits<double>::infinity() << 0 << u"-inf"_s;
}

void NumbersTest::formats()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(prism::format_number(value, decimals)), text);
}

void NumbersTest::formatRoundTripsThroughParser()
{
    // The scaling step writes one-decimal texts and reads them back.
    for (double x : {0.0, 0.04, 0.05, 0.14, 1.25, 3.24999995, 359.96, 1e-9, 12345.678, 1e15}) {
        const auto back = prism::to_number(prism::format_number(x, 1));
        QVERIFY(back.has_value());
        QVERIFY2(std::fabs(*back - x) <= 0.05 + 1e-12, qPrintable(QString::number(x)));
    }
}

void NumbersTest::readsDecimalsAsTheLibraryDoes_data()
{
    QTest::addColumn<QByteArray>("text");
    const QByteArray zeros(120000, '0');
    // 1 + 2^-53 exactly: halfway between 1 and the next double.
    const QByteArray half = "1.00000000000000011102230246251565404236316680908203125";
    QTest::newRow("a tenth") << QByteArray("0.1");
    QTest::newRow("2^53 + 1, a tie: to even") << QByteArray("9007199254740993");
    QTest::newRow("2^53 + 3, a tie: to even") << QByteArray("9007199254740995");
    QTest::newRow("the largest double") << QByteArray("1.7976931348623157e308");
    QTest::newRow("just past it: out of range") << QByteArray("1.7976931348623159e308");
    QTest::newRow("the smallest subnormal") << QByteArray("4.9406564584124654e-324");
    QTest::newRow("below half of it: out of range") << QByteArray("2.4703282292062327e-324");
    QTest::newRow("above half of it") << QByteArray("2.4703282292062328e-324");
    QTest::newRow("the smallest normal") << QByteArray("2.2250738585072014e-308");
    QTest::newRow("a tie") << half;
    QTest::newRow("a tie, and a digit past 800 more") << half + zeros.left(900) + "1";
    QTest::newRow("a tie, and only zeros past 800: to even") << half + zeros.left(900);
    QTest::newRow("1 and 800 zeros, e-800") << "1" + zeros.left(800) + "e-800";
    QTest::newRow("120000 zeros after the point, e120001") << "0." + zeros + "5e120001";
    QTest::newRow("zero, whatever its exponent") << QByteArray("0.000e99999999999999999999");
}

// Where the C++ library has no floating-point from_chars (the WebAssembly
// build), decimals are read by hand: exactly as the library reads them.
void NumbersTest::readsDecimalsAsTheLibraryDoes()
{
    QFETCH(QByteArray, text);
    double want = -1, got = -1;
    const auto library = std::from_chars(text.cbegin(), text.cend(), want);
    const auto ours = prism::detail::decimal_to_double(text.cbegin(), text.cend(), got);
    QCOMPARE(ours.ec, library.ec);
    QCOMPARE(std::memcmp(&got, &want, sizeof got), 0);
}

QTEST_GUILESS_MAIN(NumbersTest)
#include "tst_numbers.moc"
