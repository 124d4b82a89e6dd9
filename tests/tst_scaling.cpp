// SPDX-License-Identifier: MIT
// The diagram's scale (largest rounded power drawn 10 units long) and the
// window coordinates of the vector ends.
#include "entries.h"

#include <QtTest>

using namespace Qt::StringLiterals;

using prism::CompositionState;

namespace {

CompositionState composed(const char* ap, const char* aBase, const char* bp, const char* bBase)
{
    CompositionState s = entries(ap, aBase, bp, bBase);
    prism::compose(s);
    return s;
}

}  // namespace

class ScalingTest : public QObject {
    Q_OBJECT

private slots:
    void scale_data();
    void scale();
    void noScaleLeavesDiagramUntouched_data();
    void noScaleLeavesDiagramUntouched();
    void endPoints_data();
    void endPoints();
    void diagramInWords_data();
    void diagramInWords();
    void computeIsTheSteps_data() { scale_data(); }
    void computeIsTheSteps();
    void computeOfARefusalChangesNoResult();
};

void ScalingTest::scale_data()
{
    QTest::addColumn<QByteArrayList>("in");
    QTest::addColumn<QString>("ap");
    QTest::addColumn<QString>("bp");
    QTest::addColumn<float>("mag");

    QTest::newRow("worked example: C largest")
        << QByteArrayList{"3", "0", "4", "90"} << u"3.0"_s << u"4.0"_s << 2.0f;
    QTest::newRow("same direction: C largest")
        << QByteArrayList{"2", "0", "2", "0"} << u"2.0"_s << u"2.0"_s << 2.5f;
    QTest::newRow("tie of A and B goes to A")
        << QByteArrayList{"5", "0", "5", "180"} << u"5.0"_s << u"5.0"_s << 2.0f;
    QTest::newRow("tie of B and C goes to B")
        << QByteArrayList{"0.04", "0", "1", "0"} << u"0.0"_s << u"1.0"_s << 10.0f;
    QTest::newRow("half rounds up before scaling")
        << QByteArrayList{"2.25", "0", "1", "0"} << u"2.3"_s << u"1.0"_s << static_cast<float>(10 / 3.3);
    QTest::newRow("float vertical parts keep C below the half")
        << QByteArrayList{"2.25", "45", "1", "45"} << u"2.3"_s << u"1.0"_s << 3.125f;
    QTest::newRow("A largest") << QByteArrayList{"8", "10", "1", "200"} << u"8.0"_s << u"1.0"_s << 1.25f;
    QTest::newRow("small power, large scale")
        << QByteArrayList{"0.14", "0", "0", "0"} << u"0.1"_s << u"0.0"_s << 100.0f;
    QTest::newRow("power text rounded to a tenth") << QByteArrayList{"12.54", "0", "0.05", "0"} << u"12.5"_s
                                                   << u"0.1"_s << static_cast<float>(10 / 12.6);
}

void ScalingTest::scale()
{
    QFETCH(QByteArrayList, in);
    QFETCH(QString, ap);
    QFETCH(QString, bp);
    QFETCH(float, mag);

    auto s = composed(in[0], in[1], in[2], in[3]);
    QVERIFY(prism::round_and_scale(s));
    QCOMPARE(QString::fromStdString(s.AP), ap);
    QCOMPARE(QString::fromStdString(s.BP), bp);
    QCOMPARE(s.MAG, mag);
    // Horizontal scaled parts in double from the float scale, vertical in float.
    QCOMPARE(s.AXs, s.AX * static_cast<double>(mag));
    QCOMPARE(s.AYs, mag * s.AY);
    QCOMPARE(s.CXs, s.CX * static_cast<double>(mag));
    QCOMPARE(s.CYs, s.CY * mag);
}

void ScalingTest::noScaleLeavesDiagramUntouched_data()
{
    QTest::addColumn<QByteArrayList>("in");
    QTest::newRow("both powers 0") << QByteArrayList{"0", "0", "0", "90"};
    QTest::newRow("everything below 0.05") << QByteArrayList{"0.04", "0", "0.04", "180"};
}

void ScalingTest::noScaleLeavesDiagramUntouched()
{
    QFETCH(QByteArrayList, in);

    auto s = composed("3", "0", "4", "90");
    QVERIFY(prism::round_and_scale(s));
    const auto before = s;

    auto next = composed(in[0], in[1], in[2], in[3]);
    next.MAG = before.MAG;
    next.AXs = before.AXs;
    next.CYs = before.CYs;
    QVERIFY(!prism::round_and_scale(next));
    QCOMPARE(next.MAG, before.MAG);
    QCOMPARE(next.AXs, before.AXs);
    QCOMPARE(next.CYs, before.CYs);
    QCOMPARE(QString::fromStdString(next.AP), u"0.0"_s);
}

void ScalingTest::endPoints_data()
{
    QTest::addColumn<QByteArrayList>("in");
    QTest::addColumn<QPointF>("a");
    QTest::addColumn<QPointF>("b");
    QTest::addColumn<QPointF>("c");

    QTest::newRow("worked example") << QByteArrayList{"3", "0", "4", "90"} << QPointF(8880, 4200)
                                    << QPointF(7799.995, 2760) << QPointF(8879.995, 2760);
    QTest::newRow("A left, B zero length") << QByteArrayList{"2", "180", "0", "0"} << QPointF(6000, 4200.013)
                                           << QPointF(7800, 4200) << QPointF(6000, 4200.013);
    QTest::newRow("down is larger window y")
        << QByteArrayList{"4", "270", "0", "0"} << QPointF(7800.020, 6000) << QPointF(7800, 4200)
        << QPointF(7800.020, 6000);
    QTest::newRow("small power runs past the window edge") << QByteArrayList{"0.14", "0", "0",
        "0"} << QPointF(10320, 4200) << QPointF(7800, 4200) << QPointF(10320, 4200);
}

void ScalingTest::endPoints()
{
    QFETCH(QByteArrayList, in);
    QFETCH(QPointF, a);
    QFETCH(QPointF, b);
    QFETCH(QPointF, c);

    auto s = composed(in[0], in[1], in[2], in[3]);
    QVERIFY(prism::round_and_scale(s));
    const auto check = [](prism::TwipPoint p, QPointF expected) {
        // End points are stated to a thousandth of a twip.
        return std::abs(p.x - expected.x()) <= 0.006 && std::abs(p.y - expected.y()) <= 0.006;
    };
    const auto pa = prism::end_point(s.AXs, s.AYs);
    const auto pb = prism::end_point(s.BXs, s.BYs);
    const auto pc = prism::end_point(s.CXs, s.CYs);
    QVERIFY2(check(pa, a), qPrintable(QStringLiteral("A (%1, %2)").arg(pa.x).arg(pa.y)));
    QVERIFY2(check(pb, b), qPrintable(QStringLiteral("B (%1, %2)").arg(pb.x).arg(pb.y)));
    QVERIFY2(check(pc, c), qPrintable(QStringLiteral("C (%1, %2)").arg(pc.x).arg(pc.y)));
}

// The diagram said in words: each vector as the result line writes C, the
// powers to a tenth as drawn, the directions in whole degrees.
void ScalingTest::diagramInWords_data()
{
    QTest::addColumn<QByteArrayList>("in");
    QTest::addColumn<QString>("words");
    QTest::newRow("worked example") << QByteArrayList{"3", "0", "4", "90"}
                                    << u"A 3.0△ Base 0°、B 4.0△ Base 90°、C 5.0△ Base 53°"_s;
    QTest::newRow("powers and directions rounded as shown") << QByteArrayList{
        "2.25", "359.6", "１", "44.5"} << u"A 2.3△ Base 360°、B 1.0△ Base 45°、C 3.0△ Base 13°"_s;
}

void ScalingTest::diagramInWords()
{
    QFETCH(QByteArrayList, in);
    QFETCH(QString, words);
    CompositionState s = composed(in[0], in[1], in[2], in[3]);
    QVERIFY(prism::round_and_scale(s));
    QCOMPARE(QString::fromStdString(prism::diagram_text(s)), words);
    // C reads as the result line does.
    QVERIFY(words.endsWith(u"C "_s + QString::fromStdString(prism::result_text(s))));
}

// The one road every front end takes is the same as the steps one by one.
void ScalingTest::computeIsTheSteps()
{
    QFETCH(QByteArrayList, in);
    CompositionState steps = entries(in[0], in[1], in[2], in[3]);
    QCOMPARE(prism::evaluate(steps), prism::Outcome::Composed);
    const std::string result = prism::result_text(steps);
    QVERIFY(prism::round_and_scale(steps));

    CompositionState road;
    const prism::Shown shown = prism::compute(
        road, in[0].toStdString(), in[1].toStdString(), in[2].toStdString(), in[3].toStdString());
    QCOMPARE(shown.outcome, prism::Outcome::Composed);
    QCOMPARE(shown.result, result);
    QVERIFY(shown.scaled);
    const prism::TwipPoint ends[] = {prism::end_point(steps.AXs, steps.AYs),
        prism::end_point(steps.BXs, steps.BYs), prism::end_point(steps.CXs, steps.CYs)};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(shown.ends[size_t(i)].x, ends[i].x);
        QCOMPARE(shown.ends[size_t(i)].y, ends[i].y);
    }
    QCOMPARE(shown.words, prism::diagram_text(steps));
    QCOMPARE(road.AP, steps.AP);
    QCOMPARE(road.MAG, steps.MAG);
}

void ScalingTest::computeOfARefusalChangesNoResult()
{
    CompositionState s;
    const prism::Shown first = prism::compute(s, "3", "0", "4", "90");
    const prism::Shown refused = prism::compute(s, "3", "0", "4", "361");
    QCOMPARE(refused.outcome, prism::Outcome::RejectB);
    QVERIFY(refused.result.empty() && !refused.scaled);
    // The entries are taken as typed; the results stay those of the last compute.
    QCOMPARE(s.BBase, std::string("361"));
    QCOMPARE(s.MAG, 2.0f);
    QCOMPARE(prism::result_text(s), first.result);
}

QTEST_GUILESS_MAIN(ScalingTest)
#include "tst_scaling.moc"
