// SPDX-License-Identifier: MIT
// Composition of two prisms, the entry checks in front of it, and the result
// line. Values the user sees are checked to the digit; values that decide a
// rounding are checked to the bit.
#include "entries.h"

#include <QtTest>

#include <cmath>
#include <numbers>
#include <random>

using namespace Qt::StringLiterals;

using prism::CompositionState;
using prism::Outcome;

namespace {

// Agreement to the digits a figure is written with: |actual - expected| is
// below half a unit of its last stated digit.
bool agrees(double actual, double expected, double lastDigit)
{
    return std::fabs(actual - expected) <= lastDigit / 2;
}

}  // namespace

class CompositionTest : public QObject {
    Q_OBJECT

private slots:
    void composes_data();
    void composes();
    void splitsPrecisionBetweenDoubleAndFloat();
    void nonNumericEntryKeepsPreviousDirection();
    void agreesWithIndependentFormulation();
    void evaluate_data();
    void evaluate();
    void refusedHugeEntryKeepsPreviousResult();
    void resultText_data();
    void resultText();
    void eyes_data();
    void eyes();
};

void CompositionTest::composes_data()
{
    QTest::addColumn<QByteArrayList>("in");
    QTest::addColumn<double>("cx");
    QTest::addColumn<double>("cxDigit");
    QTest::addColumn<double>("cy");
    QTest::addColumn<double>("cyDigit");
    QTest::addColumn<double>("cp");
    QTest::addColumn<double>("cpDigit");
    QTest::addColumn<double>("cBase");
    QTest::addColumn<double>("cBaseDigit");

    // Exact figures (digit 0) are the quadrant rules' integers or exact sums.
    QTest::newRow("worked example 3@0 + 4@90, rule 5")
        << QByteArrayList{"3", "0", "4", "90"} << 2.9999853 << 1e-7 << 4.0 << 0.0 << 4.9999912 << 1e-7
        << 53.13 << 0.01;
    QTest::newRow("B zero, rule 1") << QByteArrayList{"2", "0", "0", "0"} << 2.0 << 0.0 << 0.0 << 0.0 << 2.0
                                    << 0.0 << 0.0 << 0.0;
    QTest::newRow("null resultant gets direction 0")
        << QByteArrayList{"0", "123", "0", "321"} << 0.0 << 0.0 << 0.0 << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("nearly cancelling 45/225, rule 8")
        << QByteArrayList{"1", "45", "1", "225"} << 5.2e-6 << 1e-7 << -5.2e-6 << 1e-7 << 0.0000073 << 1e-7
        << 315.05 << 0.01;
    QTest::newRow("nearly cancelling 0/180, rule 8")
        << QByteArrayList{"3", "0", "3", "180"} << 8e-11 << 1e-11 << -2.2e-5 << 1e-6 << 0.000022 << 1e-6
        << 270.0004 << 1e-4;
    // 3.1416 > pi turns every direction slightly counter-clockwise; the
    // axis directions then fall under the quadrant rules, not the axis rules.
    QTest::newRow("90 alone, rule 6 not 2") << QByteArrayList{"4", "90", "0", "0"} << -0.0000147 << 1e-7
                                            << 4.0 << 0.0 << 4.0 << 1e-9 << 90.0004 << 1e-4;
    QTest::newRow("180 alone, rule 7 not 3") << QByteArrayList{"4", "180", "0", "0"} << -4.0 << 1e-9
                                             << -0.0000294 << 1e-7 << 4.0 << 1e-9 << 180.0004 << 1e-4;
    QTest::newRow("270 alone, rule 8 not 4") << QByteArrayList{"4", "270", "0", "0"} << 0.0000441 << 1e-7
                                             << -4.0 << 0.0 << 4.0 << 1e-9 << 270.0008 << 1e-4;
    QTest::newRow("360 alone, rule 5") << QByteArrayList{"1", "360", "0", "0"} << 1.0 << 1e-9 << 0.0000147
                                       << 1e-7 << 1.0 << 1e-9 << 0.0008 << 1e-4;
    QTest::newRow("B carries the direction, rule 6")
        << QByteArrayList{"3", "30", "2", "120"} << 1.5980659 << 1e-7 << 3.232049 << 1e-6 << 3.6055450 << 1e-7
        << 63.69 << 0.01;
    // Float vertical components that cancel exactly reach the axis rules.
    QTest::newRow("vertical parts cancel, pointing left: rule 3")
        << QByteArrayList{"2", "180", "1", "360"} << -1.0 << 1e-9 << 0.0 << 0.0 << 1.0 << 1e-9 << 180.0
        << 0.0;
    QTest::newRow("vertical parts cancel, pointing right: rule 1")
        << QByteArrayList{"4", "90", "4", "270"} << 0.0000294 << 1e-7 << 0.0 << 0.0 << 0.0000294 << 1e-7
        << 0.0 << 0.0;
}

void CompositionTest::composes()
{
    QFETCH(QByteArrayList, in);
    QFETCH(double, cx);
    QFETCH(double, cxDigit);
    QFETCH(double, cy);
    QFETCH(double, cyDigit);
    QFETCH(double, cp);
    QFETCH(double, cpDigit);
    QFETCH(double, cBase);
    QFETCH(double, cBaseDigit);

    auto s = entries(in[0], in[1], in[2], in[3]);
    s.CBase = -1;  // every finite case must set it
    prism::compose(s);

    QVERIFY2(agrees(s.CX, cx, cxDigit), qPrintable(QString::number(s.CX, 'g', 17)));
    QVERIFY2(agrees(s.CY, cy, cyDigit), qPrintable(QString::number(s.CY, 'g', 17)));
    QVERIFY2(agrees(s.CP, cp, cpDigit), qPrintable(QString::number(s.CP, 'g', 17)));
    QVERIFY2(agrees(s.CBase, cBase, cBaseDigit), qPrintable(QString::number(s.CBase, 'g', 17)));
}

void CompositionTest::splitsPrecisionBetweenDoubleAndFloat()
{
    // Horizontal components in double, vertical ones rounded to float. A
    // vertical sum or square carried in double would show in these bits.
    auto s = entries("1", "45", "1", "225");
    prism::compose(s);
    QCOMPARE(s.AY, 0.70710808f);
    QCOMPARE(s.BY, -0.707113266f);
    QCOMPARE(s.CY, 0.70710808f - 0.707113266f);
    QCOMPARE(s.AX, 0.70710548251123639);
    QCOMPARE(s.CX, 5.1947250964134994e-06);

    // 2.25 and 1 at 45°: in full double C is 3.25 and would show as 3.3; with
    // float vertical components it is 3.24999995 and shows as 3.2.
    auto t = entries("2.25", "45", "1", "45");
    prism::compose(t);
    QVERIFY(t.CP < 3.25);
    QVERIFY(agrees(t.CP, 3.24999995, 1e-8));
    QCOMPARE(prism::result_text(t), std::string("3.2\u25B3 Base 45\u00B0"));

    // The worked example to the last bit: CY exactly 4, CX = 3 + 4cos(4 * 3.1416/180 * 90 / 4).
    auto w = entries("3", "0", "4", "90");
    prism::compose(w);
    QCOMPARE(w.CY, 4.0f);
    QCOMPARE(w.BX, 4 * std::cos(90 * 3.1416 / 180));
    QCOMPARE(w.CP, std::sqrt(w.CX * w.CX + 16.0));
}

void CompositionTest::nonNumericEntryKeepsPreviousDirection()
{
    // compose itself checks nothing; a text that is not a number must not
    // invent a direction.
    auto s = entries("abc", "0", "1", "0");
    s.CBase = 42;
    prism::compose(s);
    QVERIFY(std::isnan(s.CX));
    QCOMPARE(s.CBase, 42.0);
}

void CompositionTest::agreesWithIndependentFormulation()
{
    // Long double, exact pi and atan2: agreement within the 3.1416 residue
    // catches a wrong quadrant rule, a swapped sine and cosine, a lost sign.
    std::mt19937_64 rng(20261208);
    std::uniform_real_distribution<double> power(0.0, 20.0);
    std::uniform_int_distribution<int> tenthDegree(0, 3600);
    constexpr long double pi = std::numbers::pi_v<long double>;
    for (int i = 0; i < 5000; ++i) {
        const double ap = std::round(power(rng) * 100) / 100;
        const double bp = std::round(power(rng) * 100) / 100;
        const double aBase = tenthDegree(rng) / 10.0;
        const double bBase = tenthDegree(rng) / 10.0;
        auto s = entries(std::to_string(ap).c_str(), std::to_string(aBase).c_str(),
            std::to_string(bp).c_str(), std::to_string(bBase).c_str());
        prism::compose(s);

        const long double x = ap * std::cos(aBase * pi / 180) + bp * std::cos(bBase * pi / 180);
        const long double y = ap * std::sin(aBase * pi / 180) + bp * std::sin(bBase * pi / 180);
        const double refPower = static_cast<double>(std::hypot(x, y));
        double refBase = static_cast<double>(std::atan2(y, x) * 180 / pi);
        if (refBase < 0)
            refBase += 360;

        const QString row = QStringLiteral("%1@%2 + %3@%4").arg(ap).arg(aBase).arg(bp).arg(bBase);
        const double scale = ap + bp;
        QVERIFY2(std::fabs(s.CP - refPower) <= 2e-5 * scale + 1e-12, qPrintable(row));
        QVERIFY2(s.CBase >= 0 && s.CBase <= 360, qPrintable(row));
        if (refPower < 1e-2 * scale)
            continue;  // direction of a nearly null resultant is ill-conditioned
        double diff = std::fabs(s.CBase - refBase);
        diff = std::min(diff, 360 - diff);
        const double allowed = 0.002 + 3e-5 * scale / refPower * 180 / std::numbers::pi;
        QVERIFY2(diff <= allowed, qPrintable(row + QStringLiteral(": %1 vs %2").arg(s.CBase).arg(refBase)));
    }
}

void CompositionTest::evaluate_data()
{
    QTest::addColumn<QByteArrayList>("in");
    QTest::addColumn<Outcome>("outcome");

    const auto A = Outcome::RejectA;
    const auto B = Outcome::RejectB;
    const auto ok = Outcome::Composed;
    QTest::newRow("worked example") << QByteArrayList{"3", "0", "4", "90"} << ok;
    QTest::newRow("power 0 and directions 0 and 360 accepted") << QByteArrayList{"0", "0", "0", "360"} << ok;
    QTest::newRow("A power empty") << QByteArrayList{"", "0", "4", "90"} << A;
    QTest::newRow("A direction empty") << QByteArrayList{"3", "", "4", "90"} << A;
    QTest::newRow("A power negative") << QByteArrayList{"-1", "0", "4", "90"} << A;
    QTest::newRow("A direction below 0") << QByteArrayList{"3", "-0.5", "4", "90"} << A;
    QTest::newRow("A direction above 360") << QByteArrayList{"3", "360.5", "4", "90"} << A;
    QTest::newRow("A before B") << QByteArrayList{"-1", "0", "4", "400"} << A;
    QTest::newRow("B power empty") << QByteArrayList{"3", "0", "", "90"} << B;
    QTest::newRow("B direction empty") << QByteArrayList{"3", "0", "4", ""} << B;
    QTest::newRow("B power negative") << QByteArrayList{"3", "0", "-0.1", "90"} << B;
    QTest::newRow("B direction 361") << QByteArrayList{"3", "0", "4", "361"} << B;
    QTest::newRow("B direction -0.5") << QByteArrayList{"3", "0", "4", "-0.5"} << B;
    // Entries that are not numbers are refused like empty ones.
    QTest::newRow("A letters") << QByteArrayList{"abc", "0", "4", "90"} << A;
    QTest::newRow("A decimal comma") << QByteArrayList{"1,5", "0", "4", "90"} << A;
    QTest::newRow("B nan") << QByteArrayList{"3", "0", "nan", "90"} << B;
    QTest::newRow("B blank only") << QByteArrayList{"3", "0", "4", "   "} << B;
    // A composition without a finite result blames the larger power, A on a tie.
    QTest::newRow("A huge at 90: square overflows float") << QByteArrayList{"1e20", "90", "1", "0"} << A;
    QTest::newRow("B huge at 90") << QByteArrayList{"1", "0", "1e20", "90"} << B;
    QTest::newRow("equal huge powers blame A") << QByteArrayList{"1e20", "90", "1e20", "90"} << A;
    QTest::newRow("A beyond float at 90") << QByteArrayList{"1e39", "90", "0", "0"} << A;
    QTest::newRow("double overflow of the sum") << QByteArrayList{"1.7e308", "0", "1.7e308", "0"} << A;
    QTest::newRow("huge horizontal power still finite") << QByteArrayList{"1e39", "0", "0", "0"} << ok;
}

void CompositionTest::evaluate()
{
    QFETCH(QByteArrayList, in);
    QFETCH(Outcome, outcome);

    auto s = entries(in[0], in[1], in[2], in[3]);
    QCOMPARE(prism::evaluate(s), outcome);
    // The entries are kept exactly as typed, whatever the outcome.
    QCOMPARE(s.AP, in[0].toStdString());
    QCOMPARE(s.BBase, in[3].toStdString());
    if (outcome == Outcome::Composed) {
        QVERIFY(std::isfinite(s.CP));
        QVERIFY(std::isfinite(s.CBase));
    }
}

void CompositionTest::refusedHugeEntryKeepsPreviousResult()
{
    auto s = entries("3", "0", "4", "90");
    QCOMPARE(prism::evaluate(s), Outcome::Composed);
    const double cp = s.CP;
    const float cy = s.CY;
    s.AP = "1e20";
    s.ABase = "90";
    QCOMPARE(prism::evaluate(s), Outcome::RejectA);
    QCOMPARE(s.CP, cp);
    QCOMPARE(s.CY, cy);
    QCOMPARE(s.AP, std::string("1e20"));
}

void CompositionTest::resultText_data()
{
    QTest::addColumn<QByteArrayList>("in");
    QTest::addColumn<QString>("text");

    QTest::newRow("worked example") << QByteArrayList{"3", "0", "4", "90"} << u"5.0△ Base 53°"_s;
    QTest::newRow("B zero") << QByteArrayList{"2", "0", "0", "0"} << u"2.0△ Base 0°"_s;
    QTest::newRow("cancelling pair") << QByteArrayList{"1", "45", "1", "225"} << u"0.0△ Base 315°"_s;
    QTest::newRow("two directions") << QByteArrayList{"3", "30", "2", "120"} << u"3.6△ Base 64°"_s;
    QTest::newRow("359.6008 rounds up to 360")
        << QByteArrayList{"1", "359.6", "0", "0"} << u"1.0△ Base 360°"_s;
    QTest::newRow("half of a tenth rounds away from zero")
        << QByteArrayList{"2.25", "0", "1", "0"} << u"3.3△ Base 0°"_s;
    QTest::newRow("full-width entries") << QByteArrayList{"３", "０", "４", "９０"} << u"5.0△ Base 53°"_s;
    // C's power is the double just below 10: its fifteen digits round up to 10.
    QTest::newRow("fifteen nines carried") << QByteArrayList{"3", "180", "7", "180"} << u"10.0△ Base 180°"_s;
}

void CompositionTest::resultText()
{
    QFETCH(QByteArrayList, in);
    QFETCH(QString, text);

    auto s = entries(in[0], in[1], in[2], in[3]);
    QCOMPARE(prism::evaluate(s), Outcome::Composed);
    QCOMPARE(QString::fromStdString(prism::result_text(s)), text);
}

void CompositionTest::eyes_data()
{
    QTest::addColumn<QByteArrayList>("in");
    // C as the right eye's, then as the left eye's: that eye's parts / the
    // split, "right half | left half". Empty: no prism at all.
    QTest::addColumn<QString>("asRight");
    QTest::addColumn<QString>("asLeft");

    // Facing the wearer: 0° is base in for the right eye, out for the left.
    QTest::newRow("worked example")
        << QByteArrayList{"3", "0", "4", "90"}
        << u"3.0△ BI、4.0△ BU / 2.50△ Base 53° 1.50△ BI、2.00△ BU | 2.50△ Base 233° 1.50△ BI、2.00△ BD"_s
        << u"3.0△ BO、4.0△ BU / 2.50△ Base 233° 1.50△ BO、2.00△ BD | 2.50△ Base 53° 1.50△ BO、2.00△ BU"_s;
    // A published pair: 2△ BI with 1.5△ BU, split as 1.25△ at 37° and 217°.
    QTest::newRow("published pair")
        << QByteArrayList{"2", "0", "1.5", "90"}
        << u"2.0△ BI、1.5△ BU / 1.25△ Base 37° 1.00△ BI、0.75△ BU | 1.25△ Base 217° 1.00△ BI、0.75△ BD"_s
        << u"2.0△ BO、1.5△ BU / 1.25△ Base 217° 1.00△ BO、0.75△ BD | 1.25△ Base 37° 1.00△ BO、0.75△ BU"_s;
    QTest::newRow("0°") << QByteArrayList{"2", "0", "0", "0"}
                        << u"2.0△ BI / 1.00△ Base 0° 1.00△ BI | 1.00△ Base 180° 1.00△ BI"_s
                        << u"2.0△ BO / 1.00△ Base 180° 1.00△ BO | 1.00△ Base 0° 1.00△ BO"_s;
    QTest::newRow("90°") << QByteArrayList{"0", "0", "2", "90"}
                         << u"2.0△ BU / 1.00△ Base 90° 1.00△ BU | 1.00△ Base 270° 1.00△ BD"_s
                         << u"2.0△ BU / 1.00△ Base 270° 1.00△ BD | 1.00△ Base 90° 1.00△ BU"_s;
    QTest::newRow("180°") << QByteArrayList{"2", "180", "0", "0"}
                          << u"2.0△ BO / 1.00△ Base 180° 1.00△ BO | 1.00△ Base 0° 1.00△ BO"_s
                          << u"2.0△ BI / 1.00△ Base 0° 1.00△ BI | 1.00△ Base 180° 1.00△ BI"_s;
    QTest::newRow("270°") << QByteArrayList{"2", "270", "0", "0"}
                          << u"2.0△ BD / 1.00△ Base 270° 1.00△ BD | 1.00△ Base 90° 1.00△ BU"_s
                          << u"2.0△ BD / 1.00△ Base 90° 1.00△ BU | 1.00△ Base 270° 1.00△ BD"_s;
    QTest::newRow("second quadrant")
        << QByteArrayList{"3", "180", "4", "90"}
        << u"3.0△ BO、4.0△ BU / 2.50△ Base 127° 1.50△ BO、2.00△ BU | 2.50△ Base 307° 1.50△ BO、2.00△ BD"_s
        << u"3.0△ BI、4.0△ BU / 2.50△ Base 307° 1.50△ BI、2.00△ BD | 2.50△ Base 127° 1.50△ BI、2.00△ BU"_s;
    // The other eye's direction passes 360 and is taken modulo 360.
    QTest::newRow("third quadrant")
        << QByteArrayList{"3", "180", "4", "270"}
        << u"3.0△ BO、4.0△ BD / 2.50△ Base 233° 1.50△ BO、2.00△ BD | 2.50△ Base 53° 1.50△ BO、2.00△ BU"_s
        << u"3.0△ BI、4.0△ BD / 2.50△ Base 53° 1.50△ BI、2.00△ BU | 2.50△ Base 233° 1.50△ BI、2.00△ BD"_s;
    QTest::newRow("fourth quadrant")
        << QByteArrayList{"3", "0", "4", "270"}
        << u"3.0△ BI、4.0△ BD / 2.50△ Base 307° 1.50△ BI、2.00△ BD | 2.50△ Base 127° 1.50△ BI、2.00△ BU"_s
        << u"3.0△ BO、4.0△ BD / 2.50△ Base 127° 1.50△ BO、2.00△ BU | 2.50△ Base 307° 1.50△ BO、2.00△ BD"_s;
    // 0.0157△ up: "0.0" whole, left out; "0.01" as a half, kept.
    QTest::newRow("a part that reads 0.0")
        << QByteArrayList{"3", "0.3", "0", "0"}
        << u"3.0△ BI / 1.50△ Base 0° 1.50△ BI、0.01△ BU | 1.50△ Base 180° 1.50△ BI、0.01△ BD"_s
        << u"3.0△ BO / 1.50△ Base 180° 1.50△ BO、0.01△ BD | 1.50△ Base 0° 1.50△ BO、0.01△ BU"_s;
    // 0.1△ shown; its horizontal and vertical sizes, 0.042△ each, read "0.0".
    QTest::newRow("every whole part reads 0.0")
        << QByteArrayList{"0.06", "45", "0", "0"}
        << u" / 0.03△ Base 45° 0.02△ BI、0.02△ BU | 0.03△ Base 225° 0.02△ BI、0.02△ BD"_s
        << u" / 0.03△ Base 225° 0.02△ BO、0.02△ BD | 0.03△ Base 45° 0.02△ BO、0.02△ BU"_s;
    // 359.6008° is written 360°; the other eye's 179.6008° is 180°.
    QTest::newRow("359.6°") << QByteArrayList{"1", "359.6", "0", "0"}
                            << u"1.0△ BI / 0.50△ Base 360° 0.50△ BI | 0.50△ Base 180° 0.50△ BI"_s
                            << u"1.0△ BO / 0.50△ Base 180° 0.50△ BO | 0.50△ Base 360° 0.50△ BO"_s;
    QTest::newRow("no prism") << QByteArrayList{"0", "0", "0", "0"} << QString() << QString();
    // C is 0.0000073△, written 0.0: no prism either.
    QTest::newRow("a prism that reads 0.0")
        << QByteArrayList{"1", "45", "1", "225"} << QString() << QString();
}

void CompositionTest::eyes()
{
    QFETCH(QByteArrayList, in);
    QFETCH(QString, asRight);
    QFETCH(QString, asLeft);

    auto s = entries(in[0], in[1], in[2], in[3]);
    QCOMPARE(prism::evaluate(s), Outcome::Composed);
    const prism::Eyes e = prism::eyes(s);
    // Each part as an order writes it, "3.0△ BI", the parts joined with "、".
    const auto parts = [](const prism::Parts& ps) {
        std::string out;
        for (const auto& p : ps)
            if (p)
                out += (out.empty() ? "" : "、") + p->size + "△ " + std::string(p->letters);
        return out;
    };
    const auto written = [&](const prism::Reading& r) {
        return QString::fromStdString(parts(r.parts) + " / " + r.right.prism + ' ' + parts(r.right.parts)
            + " | " + r.left.prism + ' ' + parts(r.left.parts));
    };
    QCOMPARE(e.needed, !asRight.isEmpty());
    if (e.needed) {
        QCOMPARE(written(e.asRight), asRight);
        QCOMPARE(written(e.asLeft), asLeft);
    }
}

QTEST_GUILESS_MAIN(CompositionTest)
#include "tst_composition.moc"
