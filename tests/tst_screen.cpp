// The window as the X server shows it (run under Xvfb): pixels grabbed from
// the screen, where a wrong layout, colour or font would show.
#include "formdriver.h"
#include "pixels.h"

#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>

#include <functional>
#include <memory>

using namespace pixels;

class ScreenTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void fillsAndCaptions();
    void typedTextInPrismColours();
    void resultCentredInItsLabel();
    void diagramInItsColours();
    void resetClearsTheDiagramFromScreen();
    void endButtonEndsTheProgram();

private:
    QImage grab() const;

    std::unique_ptr<Form1> m_form;
    std::unique_ptr<FormDriver> m_ui;
};

void ScreenTest::init()
{
    QCOMPARE(QGuiApplication::platformName(), u"xcb"_qs);
    m_form = std::make_unique<Form1>();
    m_ui = std::make_unique<FormDriver>(*m_form);
    m_form->move(40, 40);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void ScreenTest::cleanup()
{
    m_ui.reset();
    m_form.reset();
}

QImage ScreenTest::grab() const
{
    QCoreApplication::processEvents();
    m_form->repaint();
    QCoreApplication::processEvents();
    // From the X server, not from Qt's backing store: what a user would see.
    QImage image = m_form->screen()->grabWindow(m_form->winId()).toImage();
    image.setDevicePixelRatio(1);
    return image.convertToFormat(QImage::Format_RGB32);
}

void ScreenTest::fillsAndCaptions()
{
    const QImage shot = grab();
    QCOMPARE(shot.size(), QSize(658, 425));

    // The title label's pale yellow behind its caption.
    const QRect title(24, 16, 201, 25);
    const int yellow = count(shot, title, exactly(QColor(255, 255, 192)));
    QVERIFY2(yellow > title.width() * title.height() / 2, qPrintable(QString::number(yellow)));
    QVERIFY2(count(shot, title, dark) > 100, "the title's caption is drawn");

    // The compute button filled light orange, its caption on two lines.
    const QRect compute(480, 96, 89, 57);
    const int orange = count(shot, compute, exactly(QColor(255, 192, 128)));
    QVERIFY2(orange > compute.width() * compute.height() / 2, qPrintable(QString::number(orange)));
    const QRect caption = extent(shot, compute.adjusted(4, 4, -4, -4), dark);
    QVERIFY2(caption.height() > 24, "caption wraps onto a second line");
    QVERIFY2(compute.adjusted(2, 2, -2, -2).contains(caption), "caption stays inside the button");

    // "°" shows just right of each direction field, in the prism's colour.
    const QRect degreeA(394, 88, 12, 14);
    const QRect degreeB(394, 152, 12, 14);
    QVERIFY2(count(shot, degreeA, bluish) > 3, "degree sign of A");
    QVERIFY2(count(shot, degreeB, reddish) > 3, "degree sign of B");
    // "△  Base" left of the field, not hidden under it.
    QVERIFY(count(shot, QRect(256, 88, 80, 25), bluish) > 60);
    QVERIFY(count(shot, QRect(256, 152, 80, 25), reddish) > 60);

    // Buttons that appear only after a result are not drawn yet.
    QCOMPARE(count(shot, QRect(256, 360, 73, 41), exactly(QColor(255, 192, 255))), 0);
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
    const QRect end(256, 360, 73, 41);
    QVERIFY(count(shot, end, exactly(QColor(255, 192, 255))) > end.width() * end.height() / 2);
}

void ScreenTest::diagramInItsColours()
{
    QVERIFY(!m_ui->compute({"3", "0", "4", "90"}));
    const QImage shot = grab();
    // From (520, 280): A 72 px to the right, B 96 px up, C to (592, 184).
    QVERIFY(count(shot, QRect(525, 278, 60, 4), exactly(Qt::blue)) >= 100);
    QVERIFY(count(shot, QRect(518, 190, 4, 80), exactly(Qt::red)) >= 140);
    int black = 0;
    for (int i = 1; i < 10; ++i) {
        const QPoint p(520 + 72 * i / 10, 280 - 96 * i / 10);
        black += count(shot, QRect(p - QPoint(2, 2), QSize(5, 5)), exactly(Qt::black)) > 0 ? 1 : 0;
    }
    QCOMPARE(black, 9);
    // The legend: lines in their colours beside the letters.
    QVERIFY(count(shot, QRect(395, 358, 35, 4), exactly(Qt::blue)) >= 60);
    QVERIFY(count(shot, QRect(395, 374, 35, 4), exactly(Qt::red)) >= 60);
    QVERIFY(count(shot, QRect(395, 390, 35, 4), exactly(Qt::black)) >= 60);
    // C is drawn 3 pixels wide, A and B 2: C's line covers more rows.
    const QRgb background = shot.pixel(410, 350);
    const auto rowsCovered = [&](int y) {
        return count(shot, QRect(410, y - 4, 1, 9), [&](QRgb p) { return p != background; });
    };
    QVERIFY(rowsCovered(392) > rowsCovered(360));
    for (int top : {352, 368, 384})
        QVERIFY(count(shot, QRect(360, top, 25, 17), dark) > 10);
}

void ScreenTest::resetClearsTheDiagramFromScreen()
{
    QVERIFY(!m_ui->compute({"3", "0", "4", "90"}));
    QVERIFY(!m_ui->click(m_ui->command(2)));
    const QImage shot = grab();
    const QRect diagram(400, 180, 250, 230);  // right of the degree signs
    QCOMPARE(count(shot, diagram, exactly(Qt::blue)), 0);
    QCOMPARE(count(shot, diagram, exactly(Qt::red)), 0);
    QCOMPARE(count(shot, diagram.adjusted(150, 0, 0, 0), dark), 0);
    QCOMPARE(count(shot, m_ui->label("Label6")->geometry(), dark), 0);
}

void ScreenTest::endButtonEndsTheProgram()
{
    // The real program, driven with the real pointer and keyboard.
    const QString xdotool = QStandardPaths::findExecutable(u"xdotool"_qs);
    QVERIFY2(!xdotool.isEmpty(), "xdotool is needed to drive the program");
    const auto run = [&](const QStringList& args) {
        QProcess p;
        p.start(xdotool, args);
        p.waitForFinished(10000);
        return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    };

    // Only the program's window on the screen: the pointer cannot miss it.
    m_form->hide();
    QProcess app;
    app.setProgram(QStringLiteral(PRISM_APP_PATH));
    app.setProcessChannelMode(QProcess::ForwardedChannels);
    app.start();
    QVERIFY(app.waitForStarted(5000));
    const QString window = run({u"search"_qs, u"--sync"_qs, u"--onlyvisible"_qs, u"--pid"_qs,
                                   QString::number(app.processId()), u"--name"_qs, u"^Form1$"_qs})
                               .section(u'\n', 0, 0);
    QVERIFY2(!window.isEmpty(), "the program's window appears");
    run({u"windowmove"_qs, window, u"700"_qs, u"500"_qs});
    QTest::qWait(200);

    // Each entry: click into it, type. Then compute, then END.
    const struct {
        int x, y;
        const char* text;
    } entries[] = {{225, 99, "3"}, {365, 99, "0"}, {225, 163, "4"}, {365, 162, "90"}};
    for (const auto& e : entries) {
        run({u"mousemove"_qs, u"--window"_qs, window, QString::number(e.x), QString::number(e.y), u"click"_qs,
            u"1"_qs});
        run({u"type"_qs, QString::fromLatin1(e.text)});  // to the window under the pointer
    }
    run({u"mousemove"_qs, u"--window"_qs, window, u"524"_qs, u"124"_qs, u"click"_qs, u"1"_qs});
    QTest::qWait(300);
    QCOMPARE(app.state(), QProcess::Running);
    run({u"mousemove"_qs, u"--window"_qs, window, u"292"_qs, u"380"_qs, u"click"_qs, u"1"_qs});

    QVERIFY2(app.waitForFinished(10000), "END ends the program");
    QCOMPARE(app.exitStatus(), QProcess::NormalExit);
    QCOMPARE(app.exitCode(), 0);
}

QTEST_MAIN(ScreenTest)
#include "tst_screen.moc"
