// SPDX-License-Identifier: MIT
// The window as the X server shows it (run under Xvfb): pixels grabbed from
// the screen, where a wrong layout, colour or font would show.
#include "atspi.h"
#include "formdriver.h"
#include "pixels.h"
#include "places.h"
#include "process.h"
#include "twips.h"

#include <form/form.h>

#include <QClipboard>
#include <QFileInfo>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

using namespace pixels;

namespace {

// The real program in a process of its own, driven with the real pointer and
// keyboard through xdotool, in the session `lang` names.
class Program {
public:
    explicit Program(const QString& lang)
    {
        m_xdotool = QStandardPaths::findExecutable(u"xdotool"_s);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LC_CTYPE", "LANGUAGE"})
            env.remove(QString::fromLatin1(name));
        env.insert(u"LANG"_s, lang);
        env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        // Its accessibility interface on, as a screen reader turns it on.
        env.insert(u"QT_LINUX_ACCESSIBILITY_ALWAYS_ON"_s, u"1"_s);
        m_app.setProcessEnvironment(env);
        m_app.setProgram(QStringLiteral(PRISM_APP_PATH));
        m_app.setProcessChannelMode(QProcess::ForwardedChannels);
    }
    ~Program()
    {
        if (m_app.state() != QProcess::NotRunning) {
            m_app.terminate();
            m_app.waitForFinished(5000);
        }
    }

    // Starts the program and waits for its window; false when either fails.
    bool start()
    {
        if (m_xdotool.isEmpty())
            return false;
        m_app.start();
        if (!m_app.waitForStarted(5000))
            return false;
        m_window = xdotool({u"search"_s, u"--sync"_s, u"--onlyvisible"_s, u"--pid"_s,
                               QString::number(m_app.processId()), u"--name"_s, u"^Form1$"_s})
                       .section(u'\n', 0, 0);
        if (m_window.isEmpty())
            return false;
        // Wholly on the 1280 x 1024 screen, clear of the suite's own window;
        // --sync returns once it is there.
        xdotool({u"windowmove"_s, u"--sync"_s, m_window, u"600"_s, u"500"_s});
        return true;
    }

    // A click at a point of the window, in its own pixels.
    void click(QPoint at)
    {
        xdotool({u"mousemove"_s, u"--window"_s, m_window, QString::number(at.x()), QString::number(at.y()),
            u"click"_s, u"1"_s});
    }

    // Keys pressed (xdotool's names: "ctrl+v", "BackSpace") or text typed,
    // into the window under the pointer.
    void keys(const QStringList& names) { xdotool(QStringList{u"key"_s} + names); }
    void type(const QString& text) { xdotool({u"type"_s, text}); }

    // Clicks into each field and types its text, then presses compute;
    // returns whether a result then shows in `result` (a dark glyph or more).
    bool compute(const QList<QRect>& fields, const QStringList& entries, QPoint computeButton, QRect result)
    {
        for (int i = 0; i < fields.size(); ++i) {
            click(fields[i].center());
            xdotool({u"type"_s, entries[i]});  // to the window under the pointer
        }
        click(computeButton);
        return QTest::qWaitFor([&] { return pixels::count(shot(), result, pixels::dark) > 100; }, 5000);
    }

    // The window as the X server shows it.
    QImage shot() const
    {
        QImage image = QGuiApplication::primaryScreen()->grabWindow(m_window.toULongLong()).toImage();
        image.setDevicePixelRatio(1);
        return image.convertToFormat(QImage::Format_RGB32);
    }

    QProcess& process() { return m_app; }

private:
    QString xdotool(const QStringList& args) const { return run(m_xdotool, args, {}, 10000).out.trimmed(); }

    QString m_xdotool;
    QString m_window;
    QProcess m_app;
};

}  // namespace

class ScreenTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void fillsAndCaptions();
    void drawsTheDescribedColours_data();
    void drawsTheDescribedColours();
    void keyboardFocusTintsTheComputeButton();
    void typedTextInPrismColours();
    void resultCentredInItsLabel();
    void diagramInItsColours();
    void oldVectorsVanishFromScreen_data();
    void oldVectorsVanishFromScreen();
    void longTextsShowWhole();
    void entriesShrinkToHalfAtMostAndNotWhileEdited();
    void endButtonEndsTheProgram();
    void editsClearResultOnScreen();
    void diagramDescribedToAssistiveTechnology();
    void sameWindowInEverySession();

private:
    // The window as the screen shows it now, without asking it to repaint:
    // what a user would see.
    QImage screen() const;
    // The same after the window has repainted everything.
    QImage grab() const;
    QList<QRect> fieldRects() const;

    FormFixture m_fixture;
    std::unique_ptr<Form1>& m_form = m_fixture.form;
    std::unique_ptr<FormDriver>& m_ui = m_fixture.ui;
};

void ScreenTest::init()
{
    QCOMPARE(QGuiApplication::platformName(), u"xcb"_s);
    QVERIFY(m_fixture.open());
}

void ScreenTest::cleanup()
{
    m_fixture.close();
}

QImage ScreenTest::screen() const
{
    // From the X server, not from Qt's backing store.
    QImage image = m_form->screen()->grabWindow(m_form->winId()).toImage();
    image.setDevicePixelRatio(1);
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage ScreenTest::grab() const
{
    QCoreApplication::processEvents();
    m_form->repaint();
    QCoreApplication::processEvents();
    return screen();
}

void ScreenTest::fillsAndCaptions()
{
    const QImage shot = grab();
    QCOMPARE(shot.size(), QSize(658, 425));

    // The title label's pale yellow behind its caption.
    const QRect title = places::control("Label1");
    const int yellow = count(shot, title, exactly(QColor(255, 255, 192)));
    QVERIFY2(yellow > title.width() * title.height() / 2, qPrintable(QString::number(yellow)));
    QVERIFY2(count(shot, title, dark) > 100, "the title's caption is drawn");

    // The compute button filled light orange, its caption on two lines.
    const QRect compute = places::control("Command1");
    const int orange = count(shot, compute, exactly(QColor(255, 192, 128)));
    QVERIFY2(orange > compute.width() * compute.height() / 2, qPrintable(QString::number(orange)));
    const QRect caption = extent(shot, compute.adjusted(4, 4, -4, -4), dark);
    QVERIFY2(caption.height() > 24, "caption wraps onto a second line");
    QVERIFY2(compute.adjusted(2, 2, -2, -2).contains(caption), "caption stays inside the button");

    // "°" shows just right of each direction field, in the prism's colour,
    // and "△  Base" left of it, not hidden under it.
    const QRect captionA = places::control("Label3", 1), captionB = places::control("Label3", 4);
    const QRect fieldA = places::control("Text2"), fieldB = places::control("Text4");
    const auto degreeSign = [](const QRect& caption, const QRect& field) {
        return QRect(field.right() + 2, caption.top(), 12, 14);
    };
    const auto leftOf = [](const QRect& caption, const QRect& field) {
        return QRect(caption.topLeft(), QSize(field.left() - caption.left(), caption.height()));
    };
    QVERIFY2(count(shot, degreeSign(captionA, fieldA), bluish) > 3, "degree sign of A");
    QVERIFY2(count(shot, degreeSign(captionB, fieldB), reddish) > 3, "degree sign of B");
    QVERIFY(count(shot, leftOf(captionA, fieldA), bluish) > 60);
    QVERIFY(count(shot, leftOf(captionB, fieldB), reddish) > 60);

    // Buttons that appear only after a result are not drawn yet.
    QCOMPARE(count(shot, places::control("Command3"), exactly(QColor(255, 192, 255))), 0);
}

void ScreenTest::drawsTheDescribedColours_data()
{
    // Points of the form and the colour the description gives each (the
    // page is checked at the same points): the dialog grey in the corners,
    // the fields and their frames, the buttons' faces and edges, the
    // title's background, the legend's lines.
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QColor>("colour");
    const form::Description& d = form::description();
    const form::Palette& p = d.palette;
    const auto rgb = [](const form::Rgb& c) { return QColor(c.r, c.g, c.b); };
    const auto row = [](const QString& what, QPoint at, QColor colour) {
        const QString tag = u"%1 (%2, %3)"_s.arg(what).arg(at.x()).arg(at.y());
        QTest::newRow(qPrintable(tag)) << at << colour;
    };
    const int w = twips::toPixels(d.width), h = twips::toPixels(d.height);
    for (const QPoint corner : {QPoint(2, 2), QPoint(w - 3, 2), QPoint(2, h - 3), QPoint(w - 3, h - 3)})
        row(u"form"_s, corner, rgb(p.window));
    for (const form::Control& c : d.controls) {
        const QRect r = twips::rect(c.rect.left, c.rect.top, c.rect.width, c.rect.height);
        const QString name = described(c.name);
        const int mid = r.x() + r.width() / 2;
        if (c.kind == form::Kind::TextBox) {
            row(name, QPoint(r.right() - 3, r.y() + r.height() / 2), rgb(p.field));
            row(name + u" frame"_s, QPoint(mid, r.y()), rgb(p.frame));
        } else if (c.kind == form::Kind::CommandButton && c.background) {
            row(name, r.topLeft() + QPoint(6, 6), rgb(*c.background));
            row(name + u" edge"_s, QPoint(mid, r.y()), rgb(p.light));
            row(name + u" edge"_s, QPoint(mid, r.y() + 1), rgb(p.midlight));
            row(name + u" edge"_s, QPoint(mid, r.bottom() - 1), rgb(p.dark));
            row(name + u" edge"_s, QPoint(mid, r.bottom()), rgb(p.shadow));
        } else if (c.kind == form::Kind::CommandButton) {
            row(name + u" frame"_s, QPoint(mid, r.y()), rgb(p.frame));
            row(name + u" face"_s, QPoint(mid, r.y() + 1), rgb(p.buttonTop));
            row(name + u" face"_s, QPoint(mid, r.bottom() - 1), rgb(p.buttonBottom));
        } else if (c.background) {
            row(name, r.topLeft() + QPoint(2, 2), rgb(*c.background));
        }
    }
    for (const form::Line& l : d.lines)
        if (l.fixed)
            row(described(l.name),
                twips::point(l.fixed->left + l.fixed->width / 2.0, l.fixed->top).toPoint() - QPoint(0, 1),
                rgb(l.colour));
}

void ScreenTest::drawsTheDescribedColours()
{
    QFETCH(QPoint, at);
    QFETCH(QColor, colour);
    QVERIFY(!m_ui->compute({"3", "0", "4", "90"}));  // every button shown
    m_form->setFocus();                              // no focus frame on a field
    const QColor drawn = grab().pixelColor(at);
    QVERIFY2(std::abs(drawn.red() - colour.red()) <= 3 && std::abs(drawn.green() - colour.green()) <= 3
            && std::abs(drawn.blue() - colour.blue()) <= 3,
        qPrintable(u"%1 drawn, %2 described"_s.arg(drawn.name(), colour.name())));
}

void ScreenTest::keyboardFocusTintsTheComputeButton()
{
    // Reached with the keyboard, the compute button is tinted with the
    // description's focus colour (the page draws the same tint).
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    m_ui->text(4)->setFocus();
    QTest::keyClick(m_ui->text(4), Qt::Key_Tab);
    QCOMPARE(m_form->focusWidget(), m_ui->command(1));
    const form::Palette& p = form::description().palette;
    const form::Rgb fill = *form::find("Command1")->background;
    const auto through = [&](int f, int over) { return f + (over - f) * p.focusAlpha / 255.0; };
    const QRect r = m_ui->command(1)->geometry();
    const QColor drawn = grab().pixelColor(r.x() + 6, r.bottom() - 5);
    QVERIFY2(std::abs(drawn.red() - through(fill.r, p.focus.r)) <= 4
            && std::abs(drawn.green() - through(fill.g, p.focus.g)) <= 4
            && std::abs(drawn.blue() - through(fill.b, p.focus.b)) <= 4,
        qPrintable(drawn.name()));
}

void ScreenTest::typedTextInPrismColours()
{
    m_ui->type({"8.8", "88", "8.8", "88"});
    const QImage shot = grab();
    for (int n : {1, 2}) {
        const QRect field = m_ui->text(n)->geometry().adjusted(3, 3, -3, -3);
        QVERIFY2(count(shot, field, bluish) > 40, qPrintable(QString::number(n)));
        QCOMPARE(count(shot, field, reddish), 0);
    }
    for (int n : {3, 4}) {
        const QRect field = m_ui->text(n)->geometry().adjusted(3, 3, -3, -3);
        QVERIFY2(count(shot, field, reddish) > 40, qPrintable(QString::number(n)));
        QCOMPARE(count(shot, field, bluish), 0);
    }
}

void ScreenTest::resultCentredInItsLabel()
{
    QVERIFY(!m_ui->compute({"3", "0", "4", "90"}));
    const QImage shot = grab();
    const QRect label = m_ui->label("Label6")->geometry();
    const QRect text = extent(shot, label, dark);
    QVERIFY2(text.isValid(), "result drawn inside its label");
    // Nothing of it spills below or beside the label.
    QCOMPARE(count(shot, label.adjusted(-20, 0, 20, 20), dark), count(shot, label, dark));
    const int leftMargin = text.left() - label.left();
    const int rightMargin = label.right() - text.right();
    QVERIFY2(std::abs(leftMargin - rightMargin) <= 4,
        qPrintable(QStringLiteral("margins %1 and %2").arg(leftMargin).arg(rightMargin)));
    QVERIFY2(text.width() > 100 && text.height() > 14, "an 18-point result line");

    // The three lower buttons now show, END in its pink.
    const QRect end = places::control("Command3");
    QVERIFY(count(shot, end, exactly(QColor(255, 192, 255))) > end.width() * end.height() / 2);
}

void ScreenTest::diagramInItsColours()
{
    QVERIFY(!m_ui->compute({"3", "0", "4", "90"}));
    const QImage shot = grab();
    // A = 3 at 0°, B = 4 at 90°, C = 5: C, the longest, is drawn 1800 twips
    // (120 px) long, so A ends 72 px right of the origin, B 96 px above it.
    const QPoint o = places::origin();
    QVERIFY(count(shot, QRect(o.x() + 5, o.y() - 2, 60, 4), exactly(Qt::blue)) >= 100);
    QVERIFY(count(shot, QRect(o.x() - 2, o.y() - 90, 4, 80), exactly(Qt::red)) >= 140);
    int black = 0;
    for (int i = 1; i < 10; ++i) {
        const QPoint p = o + QPoint(72 * i / 10, -96 * i / 10);
        black += count(shot, QRect(p - QPoint(2, 2), QSize(5, 5)), exactly(Qt::black)) > 0 ? 1 : 0;
    }
    QCOMPARE(black, 9);
    // The legend: lines in their colours beside the letters.
    const QLine legends[] = {places::legend("Line4"), places::legend("Line5"), places::legend("Line6")};
    const Qt::GlobalColor colours[] = {Qt::blue, Qt::red, Qt::black};
    for (int i = 0; i < 3; ++i) {
        const QRect along(legends[i].x1() + 3, legends[i].y1() - 2, legends[i].dx() - 5, 4);
        QVERIFY(count(shot, along, exactly(colours[i])) >= 60);
    }
    // C is drawn 3 pixels wide, A and B 2: C's line covers more rows.
    const int middle = legends[0].center().x();
    const QRgb background = shot.pixel(middle, legends[0].y1() - 10);
    const auto rowsCovered = [&](int y) {
        return count(shot, QRect(middle, y - 4, 1, 9), [&](QRgb p) { return p != background; });
    };
    QVERIFY(rowsCovered(legends[2].y1()) > rowsCovered(legends[0].y1()));
    for (const char* letter : {"Label9", "Label12", "Label13"})
        QVERIFY(count(shot, places::control(letter), dark) > 10);
}

void ScreenTest::oldVectorsVanishFromScreen_data()
{
    QTest::addColumn<QStringList>("then");  // empty: reset
    QTest::newRow("reset") << QStringList{};
    QTest::newRow("a compute with no scale") << QStringList{u"0"_s, u"0"_s, u"0"_s, u"90"_s};
}

void ScreenTest::oldVectorsVanishFromScreen()
{
    QFETCH(QStringList, then);
    QVERIFY(!m_ui->compute({"3", "0", "4", "90"}));
    const QRect diagram(400, 180, 250, 230);  // right of the degree signs
    QTRY_VERIFY_WITH_TIMEOUT(count(screen(), diagram, exactly(Qt::blue)) > 0, 1000);

    QVERIFY(!(then.isEmpty() ? m_ui->click(m_ui->command(2)) : m_ui->compute(then)));
    // Looked at as a user looks: the screen as it is, for up to a second,
    // with no repaint forced; a line that never asks to be repainted stays.
    const auto vectorsGone = [&] {
        const QImage shot = screen();
        return count(shot, diagram, exactly(Qt::blue)) == 0 && count(shot, diagram, exactly(Qt::red)) == 0
            && count(shot, diagram.adjusted(150, 0, 0, 0), dark) == 0;
    };
    QTRY_VERIFY_WITH_TIMEOUT(vectorsGone(), 1000);
    if (then.isEmpty())
        QTRY_COMPARE_WITH_TIMEOUT(count(screen(), m_ui->label("Label6")->geometry(), dark), 0, 1000);
}

QList<QRect> ScreenTest::fieldRects() const
{
    return {m_ui->text(1)->geometry(), m_ui->text(2)->geometry(), m_ui->text(3)->geometry(),
        m_ui->text(4)->geometry()};
}

void ScreenTest::endButtonEndsTheProgram()
{
    // Only the program's window on the screen: the pointer cannot miss it.
    m_form->hide();
    Program program(u"C.UTF-8"_s);
    QVERIFY2(program.start(), "the program's window appears (xdotool is needed to find it)");
    QVERIFY(program.compute(fieldRects(), {u"3"_s, u"0"_s, u"4"_s, u"90"_s},
        m_ui->command(1)->geometry().center(), m_ui->label("Label6")->geometry()));
    QCOMPARE(program.process().state(), QProcess::Running);
    program.click(m_ui->command(3)->geometry().center());

    QVERIFY2(program.process().waitForFinished(10000), "END ends the program");
    QCOMPARE(program.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.process().exitCode(), 0);
}

void ScreenTest::editsClearResultOnScreen()
{
    // Where the result and C's vector are drawn after the worked example,
    // as this process's own window places them.
    const QStringList worked{u"3"_s, u"0"_s, u"4"_s, u"90"_s};
    QVERIFY(!m_ui->compute(worked));
    const QRect result = m_ui->label("Label6")->geometry();
    const LineShape* c = m_ui->line(3);
    const QPointF from = twips::point(c->x1(), c->y1()), to = twips::point(c->x2(), c->y2());
    m_form->hide();
    const auto shown = [&](const QImage& shot) {
        int alongC = 0;
        for (int i = 1; i < 10; ++i) {
            const QPoint p = (from + (to - from) * i / 10).toPoint();
            alongC += count(shot, QRect(p - QPoint(2, 2), QSize(5, 5)), dark) > 0 ? 1 : 0;
        }
        const int ink = count(shot, result, dark);
        return alongC == 9 && ink > 100 ? 1 : alongC == 0 && ink == 0 ? 0 : -1;
    };

    Program program(u"C.UTF-8"_s);
    QVERIFY2(program.start(), "the program's window appears");
    const QList<QRect> fields = fieldRects();
    const QPoint compute = m_ui->command(1)->geometry().center();
    QVERIFY(program.compute(fields, worked, compute, result));
    QTRY_COMPARE_WITH_TIMEOUT(shown(program.shot()), 1, 5000);

    // Moving the focus, selecting and copying change no text: nothing clears
    // (looked at once the copy, the last of them, has reached the clipboard).
    QGuiApplication::clipboard()->clear();
    program.keys({u"Tab"_s});
    program.click(fields[1].center());
    program.keys({u"ctrl+a"_s, u"ctrl+c"_s});  // "0", for the paste below
    QTRY_COMPARE_WITH_TIMEOUT(QGuiApplication::clipboard()->text(), worked[1], 5000);
    QCOMPARE(shown(program.shot()), 1);

    // Each edit of A's power clears the result and C's vector. Typing the old
    // text again brings nothing back; the next compute does.
    const auto press = [&](const QString& key) {
        if (key.size() == 1)
            program.type(key);
        else
            program.keys({key});
    };
    const QList<QStringList> edits{{u"5"_s, u"BackSpace"_s}, {u"BackSpace"_s, u"3"_s},
        {u"ctrl+v"_s, u"BackSpace"_s}, {u"ctrl+z"_s, u"BackSpace"_s}};  // "30" back, then "3"
    for (const QStringList& edit : edits) {
        program.click(fields[0].center());
        program.keys({u"End"_s});
        press(edit[0]);
        QTRY_VERIFY2_WITH_TIMEOUT(shown(program.shot()) == 0, qPrintable(edit[0]), 5000);
        // Back to the worked example's "3": one glyph in the field.
        press(edit[1]);
        const QRect field = fields[0].adjusted(2, 2, -2, -2);
        QTRY_VERIFY2_WITH_TIMEOUT(columnRuns(program.shot(), field, bluish) == 1, qPrintable(edit[0]), 5000);
        QVERIFY2(shown(program.shot()) == 0, qPrintable(edit[0]));
        program.click(compute);
        QTRY_VERIFY2_WITH_TIMEOUT(shown(program.shot()) == 1, qPrintable(edit[0]), 5000);
    }
}

void ScreenTest::diagramDescribedToAssistiveTechnology()
{
    // What a screen reader reads of the diagram: the three vectors in words
    // while they are drawn, nothing once reset has hidden them.
    atspi::Bus bus;
    QVERIFY2(bus.open(), "the accessibility bus (AT-SPI) on a session bus");
    const QStringList worked{u"3"_s, u"0"_s, u"4"_s, u"90"_s};
    QVERIFY(!m_ui->compute(worked));
    const QString words = m_form->accessibleDescription();
    QVERIFY(words.startsWith(u"A "_s));
    m_form->hide();

    Program program(u"C.UTF-8"_s);
    QVERIFY2(program.start(), "the program's window appears");
    const auto description = [&] {
        const auto window
            = bus.window(QFileInfo(QStringLiteral(PRISM_APP_PATH)).fileName(), m_form->windowTitle());
        return window ? bus.property(*window, u"Description"_s) : u"(no window)"_s;
    };
    QTRY_COMPARE_WITH_TIMEOUT(description(), QString(), 5000);
    QVERIFY(program.compute(
        fieldRects(), worked, m_ui->command(1)->geometry().center(), m_ui->label("Label6")->geometry()));
    QTRY_COMPARE_WITH_TIMEOUT(description(), words, 5000);
    program.click(m_ui->command(2)->geometry().center());
    QTRY_COMPARE_WITH_TIMEOUT(description(), QString(), 5000);
}

void ScreenTest::sameWindowInEverySession()
{
    // A Japanese session names the fonts in Japanese; the window must not
    // notice: same faces, same line breaks, same pixels as in a C session.
    m_form->hide();
    QImage shots[2];
    const QString sessions[] = {u"C.UTF-8"_s, u"ja_JP.UTF-8"_s};
    for (int i = 0; i < 2; ++i) {
        Program program(sessions[i]);
        QVERIFY2(program.start(), qPrintable(sessions[i]));
        QVERIFY(program.compute(fieldRects(), {u"3"_s, u"0"_s, u"4"_s, u"90"_s},
            m_ui->command(1)->geometry().center(), m_ui->label("Label6")->geometry()));
        shots[i] = program.shot();
    }
    QCOMPARE(shots[1].size(), shots[0].size());
    int differing = 0;
    for (int y = 0; y < shots[0].height(); ++y)
        for (int x = 0; x < shots[0].width(); ++x) {
            const QRgb a = shots[0].pixel(x, y), b = shots[1].pixel(x, y);
            const int d = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                std::abs(qBlue(a) - qBlue(b))});
            differing += d > 48 ? 1 : 0;
        }
    // Antialiasing noise at most: a face or a line break of its own would
    // change thousands of pixels.
    QVERIFY2(differing < 50, qPrintable(QString::number(differing) + u" pixels differ"_s));
}

void ScreenTest::longTextsShowWhole()
{
    // Texts wider than their fields, and a result wider than its label: each
    // is drawn whole, every glyph inside the box, the first and last uncut.
    const QStringList entries{u"12.75"_s, u"247.5"_s, u"11.25"_s, u"112.5"_s};
    QVERIFY(!m_ui->compute(entries));
    QImage shot = grab();
    for (int n = 1; n <= 4; ++n) {
        const QRect field = m_ui->text(n)->geometry();
        const Test prismInk = n <= 2 ? Test(bluish) : Test(reddish);
        // Inside the frame, the text keeps clear of the edge where a cut
        // glyph would end.
        const QRect inside = field.adjusted(1, 1, -1, -1);
        QVERIFY2(inside.adjusted(1, 1, -1, -1).contains(extent(shot, inside, prismInk)),
            qPrintable(entries[n - 1]));
        QCOMPARE(columnRuns(shot, inside, prismInk), entries[n - 1].size());
    }

    QVERIFY(!m_ui->compute({u"1e20"_s, u"0"_s, u"0"_s, u"0"_s}));
    shot = grab();
    const QString result = m_ui->label("Label6")->text();
    QVERIFY(result.startsWith(u"100000000000000000000.0"_s));
    const QRect label = m_ui->label("Label6")->geometry();
    const QRect drawn = extent(shot, label.adjusted(-40, 0, 40, 0), dark);
    QVERIFY2(label.adjusted(1, 1, -1, -1).contains(drawn), "the result stays inside its label");
    // One run per glyph at least for the 23 characters of the power.
    QVERIFY2(columnRuns(shot, label, dark) >= 23, qPrintable(QString::number(columnRuns(shot, label, dark))));
}

void ScreenTest::entriesShrinkToHalfAtMostAndNotWhileEdited()
{
    // A number far too wide for its field is drawn smaller, but never below
    // half its size; the field being edited draws it at its own size (and
    // scrolls). Heights of the digits' ink, away from the field's left end,
    // where the caret stands after Home.
    QLineEdit* field = m_ui->text(1);
    const QRect r = field->geometry().adjusted(2, 2, -2, -2);
    const QRect middle(r.x() + r.width() / 3, r.y(), r.width() * 2 / 3, r.height());
    const auto digitHeight = [&] { return extent(grab(), middle, bluish).height(); };
    m_ui->text(2)->setFocus();
    field->setText(u"111"_s);  // fits at full size
    const int full = digitHeight();
    field->setText(QString(40, u'1'));
    const int shrunk = digitHeight();
    QVERIFY2(
        shrunk >= full * 0.45 && shrunk <= full * 0.6, qPrintable(u"%1 of %2 px"_s.arg(shrunk).arg(full)));

    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    field->setFocus();
    QVERIFY(field->hasFocus());
    QTest::keyClick(field, Qt::Key_Home);
    const int edited = digitHeight();
    QVERIFY2(std::abs(edited - full) <= 1, qPrintable(u"%1 of %2 px"_s.arg(edited).arg(full)));
}

PRISM_WINDOW_TEST_MAIN(ScreenTest)
#include "tst_screen.moc"
