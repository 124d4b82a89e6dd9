// SPDX-License-Identifier: MIT
// The vector diagram drawn by a compute, and the reset and end actions, on
// the offscreen platform.
#include "formdriver.h"
#include "places.h"

#include <QEventLoop>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

bool near(float actual, double expected)
{
    return std::abs(actual - expected) <= 0.006;
}

}  // namespace

class DiagramTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void endPoints_data();
    void endPoints();
    void legendStaysPut();
    void shownAfterCompute();
    void noScaleHidesDiagram_data();
    void noScaleHidesDiagram();
    void refusalAfterAnEditLeavesDiagramHidden();
    void resetClearsEntriesResultAndDiagram();
    void resetTwiceIsResetOnce();
    void computeAfterResetRestoresDiagram();
    void zeroLengthLineLeavesNoDot();
    void endLeavesEventLoopWithStatusZero();

private:
    FormFixture m_fixture;
    std::unique_ptr<Form1>& m_form = m_fixture.form;
    std::unique_ptr<FormDriver>& m_ui = m_fixture.ui;

    bool diagramIs(bool visible) const;
    bool diagramVisible() const { return diagramIs(true); }
    bool diagramHidden() const { return diagramIs(false); }
};

void DiagramTest::init()
{
    QVERIFY(m_fixture.open());
}

void DiagramTest::cleanup()
{
    m_fixture.close();
}

// Every line and legend letter of the diagram shown (or every one hidden).
bool DiagramTest::diagramIs(bool visible) const
{
    for (int n = 1; n <= 6; ++n)
        if (m_ui->line(n)->isVisible() != visible)
            return false;
    for (const char* letter : {"Label9", "Label12", "Label13"})
        if (m_ui->label(letter)->isVisible() != visible)
            return false;
    return true;
}

void DiagramTest::endPoints_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QPointF>("a");
    QTest::addColumn<QPointF>("b");
    QTest::addColumn<QPointF>("c");

    QTest::newRow("worked example") << QStringList{"3", "0", "4", "90"} << QPointF(8880, 4200)
                                    << QPointF(7799.995, 2760) << QPointF(8879.995, 2760);
    QTest::newRow("A left, B zero, C on A") << QStringList{"2", "180", "0", "0"} << QPointF(6000, 4200.013)
                                            << QPointF(7800, 4200) << QPointF(6000, 4200.013);
    QTest::newRow("past the right edge, unclipped")
        << QStringList{"0.14", "0", "0", "0"} << QPointF(10320, 4200) << QPointF(7800, 4200)
        << QPointF(10320, 4200);
}

void DiagramTest::endPoints()
{
    QFETCH(QStringList, entries);
    QFETCH(QPointF, a);
    QFETCH(QPointF, b);
    QFETCH(QPointF, c);

    QVERIFY(!m_ui->compute(entries));
    const QPointF expected[] = {a, b, c};
    for (int n = 1; n <= 3; ++n) {
        LineShape* line = m_ui->line(n);
        QCOMPARE(line->x1(), 7800.0f);
        QCOMPARE(line->y1(), 4200.0f);
        const QPointF e = expected[n - 1];
        QVERIFY2(near(line->x2(), e.x()) && near(line->y2(), e.y()),
            qPrintable(QStringLiteral("Line%1 ends at (%2, %3)").arg(n).arg(line->x2()).arg(line->y2())));
    }
}

void DiagramTest::legendStaysPut()
{
    QVERIFY(!m_ui->compute({"3", "0", "4", "90"}));
    const struct {
        int n;
        float y;
        QColor colour;
        int width;
    } legend[] = {{4, 5400, Qt::blue, 2}, {5, 5640, Qt::red, 2}, {6, 5880, Qt::black, 3}};
    for (const auto& l : legend) {
        LineShape* line = m_ui->line(l.n);
        QCOMPARE(QPointF(line->x1(), line->y1()), QPointF(5880, l.y));
        QCOMPARE(QPointF(line->x2(), line->y2()), QPointF(6480, l.y));
        QCOMPARE(line->colour(), l.colour);
        QCOMPARE(line->width(), l.width);
    }
    QCOMPARE(m_ui->line(1)->colour(), QColor(Qt::blue));
    QCOMPARE(m_ui->line(2)->colour(), QColor(Qt::red));
    QCOMPARE(m_ui->line(3)->colour(), QColor(Qt::black));
    QCOMPARE(m_ui->line(3)->width(), 3);
}

void DiagramTest::shownAfterCompute()
{
    QVERIFY(diagramHidden());
    QVERIFY(!m_ui->compute({"3", "0", "4", "90"}));
    QVERIFY(diagramVisible());
    QCOMPARE(m_ui->label("Label9")->text(), u"A"_s);
    QCOMPARE(m_ui->label("Label12")->text(), u"B"_s);
    QCOMPARE(m_ui->label("Label13")->text(), u"C"_s);
}

void DiagramTest::noScaleHidesDiagram_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("result");
    QTest::newRow("both powers 0") << QStringList{"0", "0", "0", "90"} << u"0.0△ Base 0°"_s;
    QTest::newRow("all below 0.05") << QStringList{"0.04", "0", "0.04", "180"} << u"0.0△ Base 270°"_s;
}

void DiagramTest::noScaleHidesDiagram()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, result);

    QVERIFY(!m_ui->compute({"3", "0", "4", "90"}));
    QVERIFY(diagramVisible());
    QVERIFY(!m_ui->compute(entries));
    // The result is shown; the earlier diagram is not left beside it.
    QCOMPARE(m_ui->label("Label6")->text(), result);
    QVERIFY(diagramHidden());
    for (int n : {2, 3, 4})
        QVERIFY(m_ui->command(n)->isVisible());
}

void DiagramTest::refusalAfterAnEditLeavesDiagramHidden()
{
    // Typing -4 hid the diagram; the refusal that follows changes nothing,
    // not even the lines' end points.
    QVERIFY(!m_ui->compute({"3", "0", "4", "90"}));
    QVERIFY(m_ui->compute({"3", "0", "-4", "90"}));
    QVERIFY(diagramHidden());
    QCOMPARE(m_ui->line(1)->x2(), 8880.0f);
}

void DiagramTest::resetClearsEntriesResultAndDiagram()
{
    QVERIFY(!m_ui->compute({"3", "0", "4", "90"}));
    const prism::CompositionState before = m_form->state();
    const float endX = m_ui->line(3)->x2();

    m_ui->command(2)->setFocus();
    QVERIFY(!m_ui->click(m_ui->command(2)));

    for (int n = 1; n <= 4; ++n)
        QVERIFY(m_ui->text(n)->text().isEmpty());
    QVERIFY(m_ui->label("Label6")->text().isEmpty());
    QVERIFY(diagramHidden());
    for (int n : {2, 3, 4})
        QVERIFY(m_ui->command(n)->isVisible());
    QCOMPARE(m_form->focusWidget(), m_ui->command(2));
    // The record and the end points wait for the next compute.
    QCOMPARE(m_form->state().CP, before.CP);
    QCOMPARE(m_form->state().AP, before.AP);
    QCOMPARE(m_ui->line(3)->x2(), endX);
}

void DiagramTest::resetTwiceIsResetOnce()
{
    QVERIFY(!m_ui->compute({"3", "0", "4", "90"}));
    QVERIFY(!m_ui->click(m_ui->command(2)));
    QVERIFY(!m_ui->click(m_ui->command(2)));
    QVERIFY(m_ui->label("Label6")->text().isEmpty());
    QVERIFY(diagramHidden());
    QVERIFY(m_ui->command(2)->isVisible());
}

void DiagramTest::computeAfterResetRestoresDiagram()
{
    QVERIFY(!m_ui->compute({"3", "0", "4", "90"}));
    QVERIFY(!m_ui->click(m_ui->command(2)));
    QVERIFY(!m_ui->compute({"2", "180", "0", "0"}));
    QVERIFY(diagramVisible());
    QCOMPARE(m_ui->label("Label6")->text(), u"2.0△ Base 180°"_s);
    QVERIFY(near(m_ui->line(1)->x2(), 6000));

    QVERIFY(!m_ui->click(m_ui->command(2)));
    QVERIFY(!m_ui->compute({"3", "0", "4", "90"}));
    QCOMPARE(m_ui->label("Label6")->text(), u"5.0△ Base 53°"_s);
    QCOMPARE(m_ui->line(1)->x2(), 8880.0f);
}

void DiagramTest::zeroLengthLineLeavesNoDot()
{
    // B = 0: Line2 starts and ends at the origin. Only A (blue) may show there.
    QVERIFY(!m_ui->compute({"2", "0", "0", "0"}));
    const QImage image = m_form->grab().toImage();
    const QPoint origin = places::origin();
    for (int dy = -3; dy <= 3; ++dy)
        for (int dx = -3; dx <= 3; ++dx) {
            const QColor c = image.pixelColor(origin + QPoint(dx, dy));
            QVERIFY2(!(c.red() > 200 && c.green() < 80 && c.blue() < 80),
                qPrintable(QStringLiteral("red at %1,%2").arg(dx).arg(dy)));
        }
}

void DiagramTest::endLeavesEventLoopWithStatusZero()
{
    QVERIFY(!m_ui->compute({"3", "0", "4", "90"}));
    QEventLoop loop;
    QTimer::singleShot(0, [this] { QTest::mouseClick(m_ui->command(3), Qt::LeftButton); });
    QTimer::singleShot(5000, &loop, [&loop] { loop.exit(99); });
    QCOMPARE(loop.exec(), 0);
}

PRISM_WINDOW_TEST_MAIN(DiagramTest)
#include "tst_diagram.moc"
