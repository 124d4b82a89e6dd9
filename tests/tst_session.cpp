// SPDX-License-Identifier: MIT
// The window in the user's session: the suite runs once per session kind
// (C, Japanese, Japanese at twice the pixel density) and checks what depends
// on it: the faces the named fonts resolve to, Qt's own texts, and bold at
// the session's device pixel ratio.
#include "formdriver.h"
#include "pixels.h"
#include "process.h"

#include <form/form.h>

#include <QLocale>
#include <QMenu>
#include <QRawFont>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The files of the installed faces named `family` in any language, asked
// of fontconfig from outside the program, as a user would with fc-list.
QStringList fontsNamed(const QString& family)
{
    QStringList files;
    for (const QString& line : run(u"fc-list"_s, {family, u"file"_s}).out.split(u'\n', Qt::SkipEmptyParts))
        files << line.section(u':', 0, 0).trimmed();
    return files;
}

}  // namespace

class SessionTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void namedFacesDrawWithTheirOwnStandIns_data();
    void namedFacesDrawWithTheirOwnStandIns();
    void qtTextsSpeakTheSessionLanguage();
    void boldStaysBoldAtThisPixelRatio();

private:
    FormFixture m_fixture;
    std::unique_ptr<Form1>& m_form = m_fixture.form;
    std::unique_ptr<FormDriver>& m_ui = m_fixture.ui;
};

void SessionTest::init()
{
    QVERIFY(m_fixture.open());
}

void SessionTest::cleanup()
{
    m_fixture.close();
}

void SessionTest::namedFacesDrawWithTheirOwnStandIns_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("standIn");

    // Where a named face is missing, its own stand-in draws it: the IPA face
    // with the same metrics, or the rounded face for the title.
    QTest::newRow("proportional gothic") << u"Label4"_s << u"IPAPGothic"_s;
    QTest::newRow("fixed-pitch gothic") << u"Label5"_s << u"IPAGothic"_s;
    QTest::newRow("title face") << u"Label1"_s << u"MotoyaLMaru"_s;
}

void SessionTest::namedFacesDrawWithTheirOwnStandIns()
{
    QFETCH(QString, control);
    QFETCH(QString, standIn);

    const form::Control* layout = form::find(control.toStdString());
    QVERIFY(layout);
    const QString named = described(layout->font.family);
    if (!fontsNamed(named).isEmpty())
        QSKIP("the named face itself is installed");
    const QString file = fontsNamed(standIn).value(0);
    QVERIFY2(!file.isEmpty(), qPrintable(standIn + u" is not installed"_s));

    auto* widget = m_form->findChild<QWidget*>(control);
    QVERIFY(widget);
    // The face the control really draws with is the stand-in's file, in
    // whatever language the session names it: the same font header (which
    // carries the file's checksum and dates) and the same advances.
    const QRawFont drawn = QRawFont::fromFont(widget->font());
    const QRawFont expected(file, drawn.pixelSize());
    QVERIFY(drawn.isValid() && expected.isValid());
    QCOMPARE(drawn.fontTable("head"), expected.fontTable("head"));
    const QString sample = u"プリズム A = 0123△ Base"_s;
    QCOMPARE(drawn.advancesForGlyphIndexes(drawn.glyphIndexesForString(sample)),
        expected.advancesForGlyphIndexes(expected.glyphIndexesForString(sample)));
}

void SessionTest::qtTextsSpeakTheSessionLanguage()
{
    const bool japanese = QLocale().language() == QLocale::Japanese;
    const QStringList expected = japanese ? QStringList{u"コピー"_s, u"貼り付け"_s, u"元に戻す"_s}
                                          : QStringList{u"Copy"_s, u"Paste"_s, u"Undo"_s};
    const std::unique_ptr<QMenu> menu(m_ui->text(1)->createStandardContextMenu());
    QStringList offered;
    for (const QAction* action : menu->actions())
        offered << action->text();
    const QString all = offered.join(u'|');
    for (const QString& text : expected)
        QVERIFY2(all.contains(text), qPrintable(all));
}

void SessionTest::boldStaysBoldAtThisPixelRatio()
{
    // The same caption, drawn bold and then regular at this session's scale:
    // the stand-in's bold is synthesised and must not thin out when scaled.
    QLabel* caption = m_ui->label("Label5");
    QVERIFY(caption->font().bold());
    const QImage bold = caption->grab().toImage();
    QFont regular = caption->font();
    regular.setWeight(QFont::Normal);
    caption->setFont(regular);
    const QImage plain = caption->grab().toImage();

    QCOMPARE(bold.devicePixelRatio(), qApp->devicePixelRatio());
    const double ratio = double(pixels::ink(bold, bold.rect())) / double(pixels::ink(plain, plain.rect()));
    QVERIFY2(ratio > 1.27,
        qPrintable(QStringLiteral("bold/regular ink %1 at %2x").arg(ratio).arg(qApp->devicePixelRatio())));
}

PRISM_WINDOW_TEST_MAIN(SessionTest)
#include "tst_session.moc"
