// SPDX-License-Identifier: MIT
// The prism a lens makes, and the decentration for a prism: Prentice's rule
// for a sphero-cylindrical lens, both ways; and the prisms wanted filled from
// C. (What the tool shows for each eye and where the wearer reads, word for
// word, is tst_texts's table.)
#include <prism/lens.h>

#include <QTest>

using namespace Qt::StringLiterals;

class LensTest : public QObject {
    Q_OBJECT

private slots:
    void roundTrip();
    void fills();
};

// The offset for the prism an offset gives is that offset, for any lens
// with power along both meridians.
void LensTest::roundTrip()
{
    for (const prism::Lens lens :
        {prism::Lens{-3, -2, 30}, prism::Lens{2.25, 1.5, 163}, prism::Lens{-8, 3, 7}})
        for (const prism::Vector c : {prism::Vector{5, 2}, prism::Vector{-3.5, 7}, prism::Vector{0.2, -12}}) {
            const auto back = prism::decentration_for_prism(lens, prism::prism_from_decentration(lens, c));
            QVERIFY(back);
            QVERIFY(std::fabs(back->x - c.x) < 1e-9 && std::fabs(back->y - c.y) < 1e-9);
        }
}

// The wanted prisms filled from the worked example's C as the eyes' table
// reads it: as the right eye's 3.0△ BI and 4.0△ BU, split 1.50△ BI, 2.00△
// BU and 1.50△ BI, 2.00△ BD; as the left eye's, each way out.
void LensTest::fills()
{
    const auto of = [](prism::Fill fill) {
        QStringList out;
        for (const prism::Wanted& w : prism::wanted_from(2.9999853, 4.0, fill))
            out << (w.x.empty() ? u"-"_s
                                : QString::fromStdString(w.x) + (w.in ? u" BI "_s : u" BO "_s)
                        + QString::fromStdString(w.y) + (w.up ? u" BU"_s : u" BD"_s));
        return out.join(u" | "_s);
    };
    QCOMPARE(of(prism::Fill::AsRight), u"3.00 BI 4.00 BU | -"_s);
    QCOMPARE(of(prism::Fill::SplitAsRight), u"1.50 BI 2.00 BU | 1.50 BI 2.00 BD"_s);
    QCOMPARE(of(prism::Fill::AsLeft), u"- | 3.00 BO 4.00 BU"_s);
    QCOMPARE(of(prism::Fill::SplitAsLeft), u"1.50 BO 2.00 BD | 1.50 BO 2.00 BU"_s);
}

QTEST_GUILESS_MAIN(LensTest)
#include "tst_lens.moc"
