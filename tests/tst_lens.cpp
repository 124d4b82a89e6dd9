// SPDX-License-Identifier: MIT
// The prism a lens makes, and the decentration for a prism: Prentice's rule
// for a sphero-cylindrical lens, checked against figures worked by hand.
#include <prism/prism.h>

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A result in the words an order is written in: the parts joined with "、",
// a prism's as "1.58△ BO", an offset's as "3.0 mm 内方".
QString written(const prism::WayParts& parts, bool prism)
{
    static const char* const prismWays[] = {"BI", "BO", "BU", "BD"};
    static const char* const offsetWays[] = {"内方", "外方", "上方", "下方"};
    QStringList out;
    for (const auto& p : parts)
        if (p)
            out << QString::fromStdString(p->size) + (prism ? u"△ "_s : u" mm "_s)
                    + QString::fromUtf8((prism ? prismWays : offsetWays)[int(p->way)]);
    return out.join(u'、');
}

// What one eye shows, as one line: the refused entry, or the prism, its
// 360° form and prism B's entries for it, then the offset (or why it
// cannot be had).
QString shown(const prism::LensShown& s)
{
    if (!s.lens)
        return u"nothing"_s;
    if (s.refused)
        return u"refused %1%2"_s.arg(int(*s.refused)).arg(s.needed ? u" (needed)"_s : QString());
    const QString prism = written(s.prism, true);
    QString offset = written(s.offset, false);
    if (s.blocked)
        offset = u"cannot: %1° has no power"_s.arg(*s.blocked);
    else if (s.tooFar)
        offset = u"too far: "_s + offset;
    return (prism.isEmpty() ? u"none"_s
                            : prism + u" ("_s + QString::fromStdString(s.prismForm) + u" → "_s
                       + QString::fromStdString(s.bPower + " " + s.bDirection) + u')')
        + u" | "_s + (offset.isEmpty() ? u"none"_s : offset);
}

}  // namespace

class LensTest : public QObject {
    Q_OBJECT

private slots:
    void eachEye_data();
    void eachEye();
    void roundTrip();
    void atNear_data();
    void atNear();
    void fills();
};

void LensTest::eachEye_data()
{
    // An eye, its lens (S, C, AX), the centre's offset (mm, in, up) and the
    // prism wanted (△, base in, base up). Right: +x is toward the nose.
    QTest::addColumn<bool>("right");
    QTest::addColumn<QStringList>("lens");
    QTest::addColumn<QStringList>("centre");  // x, y, "in"/"out", "up"/"down"
    QTest::addColumn<QStringList>("wanted");  // x, y, "in"/"out", "up"/"down"
    QTest::addColumn<QString>("shows");

    const QStringList worked{u"-3"_s, u"-2"_s, u"30"_s};
    // The worked example: 5 mm in and 2 mm up. One meridian's rule gives
    // 1.75△ and 0.9△ for either eye; the cross term of the oblique cylinder
    // makes them differ.
    QTest::newRow("worked example, right eye")
        << true << worked << QStringList{u"5"_s, u"2"_s, u"in"_s, u"up"_s}
        << QStringList{u"1"_s, u""_s, u"out"_s, u"up"_s}
        << u"1.58△ BO、0.47△ BD (1.64△ Base 196° → 1.64 196.5) | 3.0 mm 内方、0.6 mm 上方"_s;
    QTest::newRow("worked example, left eye")
        << false << worked << QStringList{u"5"_s, u"2"_s, u"in"_s, u"up"_s} << QStringList{}
        << u"1.92△ BO、1.33△ BD (2.34△ Base 325° → 2.34 325.3) | none"_s;
    // The same lens in the other cylinder sign: S + C, -C, AX + 90.
    // The minus sign an input method types, in S as in C.
    QTest::newRow("the worked lens in plus cylinder")
        << true << QStringList{u"−5"_s, u"+2"_s, u"120"_s} << QStringList{u"5"_s, u"2"_s, u"in"_s, u"up"_s}
        << QStringList{u"1"_s, u""_s, u"out"_s, u"up"_s}
        << u"1.58△ BO、0.47△ BD (1.64△ Base 196° → 1.64 196.5) | 3.0 mm 内方、0.6 mm 上方"_s;
    QTest::newRow("-5.00, the centre 4 mm in")
        << true << QStringList{u"-5"_s, u""_s, u""_s} << QStringList{u"4"_s, u""_s, u"in"_s, u"up"_s}
        << QStringList{} << u"2.00△ BO (2.00△ Base 180° → 2.00 180.0) | none"_s;
    QTest::newRow("a plus lens, the centre above")
        << false << QStringList{u"+2"_s, u""_s, u""_s} << QStringList{u""_s, u"4"_s, u"in"_s, u"up"_s}
        << QStringList{} << u"0.80△ BU (0.80△ Base 90° → 0.80 90.0) | none"_s;
    // F⁻¹·P: 2△ out over 4 D is 5 mm out; 1△ out over 4 D is 2.5 mm.
    QTest::newRow("+4.00 asked for 2.00△ out")
        << true << QStringList{u"4"_s, u"0"_s, u""_s} << QStringList{}
        << QStringList{u"2"_s, u"0"_s, u"out"_s, u"up"_s} << u"none | 5.0 mm 外方"_s;
    QTest::newRow("+4.00 asked for 1.00△ out, the left eye")
        << false << QStringList{u"4"_s, u"0"_s, u""_s} << QStringList{}
        << QStringList{u"1"_s, u""_s, u"out"_s, u"up"_s} << u"none | 2.5 mm 外方"_s;
    // Plano cylinders: power only across the axis. cos 90° is not 0 in
    // floating point; the part along the axis of no power is far under 0.005△.
    QTest::newRow("plano -2.00 x 90")
        << true << QStringList{u""_s, u"-2"_s, u"90"_s} << QStringList{u"5"_s, u"5"_s, u"in"_s, u"up"_s}
        << QStringList{u"1"_s, u""_s, u"out"_s, u"up"_s}
        << u"1.00△ BO (1.00△ Base 180° → 1.00 180.0) | 5.0 mm 内方"_s;
    QTest::newRow("plano -2.00 x 180")
        << true << QStringList{u"0"_s, u"−2"_s, u"180"_s} << QStringList{u"5"_s, u"5"_s, u"in"_s, u"up"_s}
        << QStringList{u""_s, u"1"_s, u"in"_s, u"up"_s}
        << u"1.00△ BD (1.00△ Base 270° → 1.00 270.0) | 5.0 mm 下方"_s;
    QTest::newRow("plano -2.00 x 90 asked for a vertical prism")
        << true << QStringList{u""_s, u"-2"_s, u"90"_s} << QStringList{}
        << QStringList{u"1"_s, u"1"_s, u"out"_s, u"up"_s} << u"none | cannot: 90° has no power"_s;
    // The meridian of no power named: along the axis, or across it.
    QTest::newRow("plano -2.00 x 180 asked for a horizontal prism")
        << true << QStringList{u""_s, u"-2"_s, u"180"_s} << QStringList{}
        << QStringList{u"1"_s, u""_s, u"in"_s, u"up"_s} << u"none | cannot: 0° has no power"_s;
    QTest::newRow("+2.00 -2.00 x 180 asked for a vertical prism")
        << true << QStringList{u"2"_s, u"-2"_s, u"180"_s} << QStringList{}
        << QStringList{u""_s, u"1"_s, u"in"_s, u"up"_s} << u"none | cannot: 90° has no power"_s;
    QTest::newRow("plano -2.00 x 90, a vertical part under 0.005△")
        << true << QStringList{u""_s, u"-2"_s, u"90"_s} << QStringList{}
        << QStringList{u"1"_s, u"0.004"_s, u"out"_s, u"up"_s} << u"none | 5.0 mm 内方"_s;
    // 2△ in over +0.50 D would need the centre 40 mm in: more than a lens is
    // cut with.
    QTest::newRow("+0.50 asked for 2.00△")
        << true << QStringList{u"0.5"_s, u""_s, u""_s} << QStringList{}
        << QStringList{u"2"_s, u""_s, u"in"_s, u"up"_s} << u"none | too far: 40.0 mm 内方"_s;
    // 30 mm is the furthest a lens is cut with: allowed, as an entry and as
    // an offset (3△ over +1.00 D).
    QTest::newRow("+1.00, 30 mm either way")
        << true << QStringList{u"1"_s, u""_s, u""_s} << QStringList{u"30"_s, u""_s, u"in"_s, u"up"_s}
        << QStringList{u"3"_s, u""_s, u"in"_s, u"up"_s}
        << u"3.00△ BI (3.00△ Base 0° → 3.00 0.0) | 30.0 mm 内方"_s;
    // 2△ at -0.014°: B's direction is written 0.0-359.9, as 0° and 360° are one.
    QTest::newRow("B's direction just under 360")
        << true << QStringList{u"-5"_s, u""_s, u""_s} << QStringList{u"4"_s, u"0.001"_s, u"out"_s, u"up"_s}
        << QStringList{} << u"2.00△ BI (2.00△ Base 360° → 2.00 0.0) | none"_s;
    QTest::newRow("full-width entries") << true << QStringList{u"－３"_s, u"－２"_s, u"３０"_s}
                                        << QStringList{u"５"_s, u"２"_s, u"in"_s, u"up"_s} << QStringList{}
                                        << u"1.58△ BO、0.47△ BD (1.64△ Base 196° → 1.64 196.5) | none"_s;

    // The checks, in order: S, C, AX, the offset, the prism; C 0 or empty
    // leaves AX unread; no lens, nothing read at all.
    QTest::newRow("no lens") << true << QStringList{u""_s, u""_s, u""_s}
                             << QStringList{u"x"_s, u""_s, u"in"_s, u"up"_s} << QStringList{} << u"nothing"_s;
    QTest::newRow("S over 30") << true << QStringList{u"30.01"_s, u""_s, u""_s} << QStringList{}
                               << QStringList{} << u"refused 0"_s;
    QTest::newRow("C not a number") << true << QStringList{u"1"_s, u"1,5"_s, u"90"_s} << QStringList{}
                                    << QStringList{} << u"refused 1"_s;
    QTest::newRow("a C with no AX") << true << QStringList{u"1"_s, u"-0.5"_s, u""_s} << QStringList{}
                                    << QStringList{} << u"refused 2 (needed)"_s;
    QTest::newRow("AX over 180") << true << QStringList{u"1"_s, u"-0.5"_s, u"181"_s} << QStringList{}
                                 << QStringList{} << u"refused 2"_s;
    QTest::newRow("C 0 leaves AX unread") << true << QStringList{u"1"_s, u"0"_s, u"abc"_s} << QStringList{}
                                          << QStringList{} << u"none | none"_s;
    QTest::newRow("an offset over 30 mm")
        << true << QStringList{u"1"_s, u""_s, u""_s} << QStringList{u""_s, u"31"_s, u"in"_s, u"up"_s}
        << QStringList{} << u"refused 4"_s;
    QTest::newRow("a negative prism") << true << QStringList{u"1"_s, u""_s, u""_s} << QStringList{}
                                      << QStringList{u"-1"_s, u""_s, u"in"_s, u"up"_s} << u"refused 5"_s;
    QTest::newRow("inf") << true << QStringList{u"1"_s, u""_s, u""_s} << QStringList{}
                         << QStringList{u""_s, u"inf"_s, u"in"_s, u"up"_s} << u"refused 6"_s;
}

void LensTest::eachEye()
{
    QFETCH(bool, right);
    QFETCH(QStringList, lens);
    QFETCH(QStringList, centre);
    QFETCH(QStringList, wanted);
    QFETCH(QString, shows);
    const auto pad = [](QStringList l) {
        while (l.size() < 4)
            l << (l.size() < 2 ? QString() : u"in"_s);
        return l;
    };
    centre = pad(centre);
    wanted = pad(wanted);
    std::string texts[7];
    const QStringList all{lens[0], lens[1], lens[2], centre[0], centre[1], wanted[0], wanted[1]};
    for (int i = 0; i < 7; ++i)
        texts[i] = all[i].toStdString();
    const prism::LensEntries e{texts[0], texts[1], texts[2], texts[3], texts[4], centre[2] == u"in"_s,
        centre[3] != u"down"_s, texts[5], texts[6], wanted[2] == u"in"_s, wanted[3] != u"down"_s};
    QCOMPARE(shown(prism::lens_compute(right ? prism::Eye::Right : prism::Eye::Left, e)), shows);
}

void LensTest::atNear_data()
{
    // Each eye's lens (S, C, AX) and the right eye's centre (mm, in, up);
    // the reading point's depth and inset. Shows each eye's prism there,
    // the imbalance near (and far where decentred), and the slab-off.
    QTest::addColumn<QStringList>("right");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<QStringList>("centre");
    QTest::addColumn<QStringList>("point");  // depth, inset
    QTest::addColumn<QString>("shows");
    const QStringList tenDown{u"10"_s, u""_s};
    // The worked check: 10 mm down through -5.00 and -3.00.
    QTest::newRow("worked check") << QStringList{u"-5"_s, u""_s, u""_s} << QStringList{u"-3"_s, u""_s, u""_s}
                                  << QStringList{} << tenDown
                                  << u"5.00△ BD | 3.00△ BD | near 2.00 right | slab-off 2.00 on right"_s;
    // An oblique cylinder: the reading point's place across matters.
    QTest::newRow("plano -2.00 x 45, no inset")
        << QStringList{u""_s, u"-2"_s, u"45"_s} << QStringList{u"0"_s, u""_s, u""_s} << QStringList{}
        << tenDown << u"1.00△ BI、1.00△ BD | none | near 1.00 right | slab-off 1.00 on right, rarely made"_s;
    QTest::newRow("plano -2.00 x 45, 2 mm in")
        << QStringList{u""_s, u"-2"_s, u"45"_s} << QStringList{u"0"_s, u""_s, u""_s} << QStringList{}
        << QStringList{u"10"_s, u"2"_s}
        << u"1.20△ BI、1.20△ BD | none | near 1.20 right | slab-off 1.20 on right, rarely made"_s;
    // Mirror lenses (the left axis 180 - the right's) differ only across:
    // F = [[-2.25, 0.433], [0.433, -2.75]] on the right, F12 negated on the
    // left; 10 mm down, 0 or 4 mm in.
    for (const QString& inset : {u"0"_s, u"4"_s})
        QTest::addRow("mirror lenses, %s mm in", qPrintable(inset))
            << QStringList{u"-2"_s, u"-1"_s, u"30"_s} << QStringList{u"-2"_s, u"-1"_s, u"150"_s}
            << QStringList{} << QStringList{u"10"_s, inset}
            << (inset == u"0"_s ? u"0.43△ BI、2.75△ BD | 0.43△ BI、2.75△ BD | near 0.00 | none"_s
                                : u"1.33△ BI、2.92△ BD | 1.33△ BI、2.92△ BD | near 0.00 | none"_s);
    // The thresholds, on the written size: 10 mm through -5.00 and the left.
    for (const auto& [left, shows] : {std::pair{u"-4.01"_s, u"near 0.99 right | none"_s},
             {u"-4"_s, u"near 1.00 right | slab-off 1.00 on right, rarely made"_s},
             {u"-3.51"_s, u"near 1.49 right | slab-off 1.49 on right, rarely made"_s},
             {u"-3.5"_s, u"near 1.50 right | slab-off 1.50 on right"_s}})
        QTest::addRow("threshold, left %s", qPrintable(left))
            << QStringList{u"-5"_s, u""_s, u""_s} << QStringList{left, u""_s, u""_s} << QStringList{}
            << tenDown
            << u"5.00△ BD | "_s + QString::fromStdString(prism::format_number(-left.toDouble(), 2))
                + u"△ BD | "_s + shows;
    // The right centre 2 mm up: 6△ at near, 1△ far; the slab-off corrects
    // only the change from distance to near.
    QTest::newRow("decentred")
        << QStringList{u"-5"_s, u""_s, u""_s} << QStringList{u"-3"_s, u""_s, u""_s}
        << QStringList{u""_s, u"2"_s} << tenDown
        << u"6.00△ BD | 3.00△ BD | near 3.00 right | far 1.00 right | slab-off 2.00 on right"_s;
    // A sideways decentration is a decentration: it has a distance imbalance.
    QTest::newRow("decentred sideways")
        << QStringList{u"-5"_s, u""_s, u""_s} << QStringList{u"-3"_s, u""_s, u""_s}
        << QStringList{u"2"_s, u""_s} << tenDown
        << u"1.00△ BO、5.00△ BD | 3.00△ BD | near 2.00 right | far 0.00 | slab-off 2.00 on right"_s;
    // The right centre 6 mm down: 2△ at near, the left eye now more base
    // down there, yet the change from distance to near is still the right's.
    QTest::newRow("decentred against the change")
        << QStringList{u"-5"_s, u""_s, u""_s} << QStringList{u"-3"_s, u""_s, u""_s}
        << QStringList{u""_s, u"6"_s, u"in"_s, u"down"_s} << tenDown
        << u"2.00△ BD | 3.00△ BD | near 1.00 left | far 3.00 left | slab-off 2.00 on right"_s;
    QTest::newRow("one lens") << QStringList{u"-5"_s, u""_s, u""_s} << QStringList{u""_s, u""_s, u""_s}
                              << QStringList{} << tenDown << u"needs both lenses"_s;
    QTest::newRow("too deep") << QStringList{u"-5"_s, u""_s, u""_s} << QStringList{u"-3"_s, u""_s, u""_s}
                              << QStringList{} << QStringList{u"31"_s, u""_s} << u"refused 1"_s;
    QTest::newRow("too far in") << QStringList{u"-5"_s, u""_s, u""_s} << QStringList{u"-3"_s, u""_s, u""_s}
                                << QStringList{} << QStringList{u"10"_s, u"10.5"_s} << u"refused 2"_s;
}

void LensTest::atNear()
{
    QFETCH(QStringList, right);
    QFETCH(QStringList, left);
    QFETCH(QStringList, centre);
    QFETCH(QStringList, point);
    QFETCH(QString, shows);
    std::string texts[8];
    for (int i = 0; i < 3; ++i)
        texts[i] = right[i].toStdString(), texts[i + 3] = left[i].toStdString();
    texts[6] = centre.value(0).toStdString();
    texts[7] = centre.value(1).toStdString();
    const prism::NearShown n
        = prism::near_compute(prism::lens_compute(prism::Eye::Right,
                                  {texts[0], texts[1], texts[2], texts[6], texts[7],
                                      centre.value(2) != u"out"_s, centre.value(3) != u"down"_s, "", ""}),
            prism::lens_compute(prism::Eye::Left, {texts[3], texts[4], texts[5], "", "", true, true, "", ""}),
            point[0].toStdString(), point[1].toStdString());
    const auto named = [](const std::optional<prism::Eye>& e) {
        return !e ? QString() : e == prism::Eye::Right ? u" right"_s : u" left"_s;
    };
    QString got;
    if (n.refused != prism::NearShown::Refused::None)
        got = u"refused %1"_s.arg(int(n.refused));
    else if (!n.bothLenses)
        got = u"needs both lenses"_s;
    else {
        const auto parts = [](const prism::WayParts& p) {
            const QString w = written(p, true);
            return w.isEmpty() ? u"none"_s : w;
        };
        got = parts(n.prisms[0]) + u" | "_s + parts(n.prisms[1]) + u" | near "_s
            + QString::fromStdString(n.near.size) + named(n.near.moreDown);
        if (n.distance)
            got += u" | far "_s + QString::fromStdString(n.distance->size) + named(n.distance->moreDown);
        got += n.slabOff ? u" | slab-off %1 on%2%3"_s.arg(QString::fromStdString(n.correction),
                   named(n.slabOff), n.rarelyMade ? u", rarely made"_s : QString())
                         : u" | none"_s;
    }
    QCOMPARE(got, shows);
}

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
