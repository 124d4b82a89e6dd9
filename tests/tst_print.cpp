// Printing, end to end through a real print service: a private CUPS
// scheduler with a PDF printer. The printed page is rendered back to pixels
// and checked for the window's contents at its true size.
#include "cupssandbox.h"
#include "formdriver.h"
#include "pixels.h"

#include <QFileInfo>
#include <QScopeGuard>

#include <memory>

namespace {

const QString Printer = u"PrismPDF"_qs;

bool ci()
{
    return qEnvironmentVariable("CI") == u"true"_qs;
}

QString newestPdfSince(const QDateTime& since)
{
    const QFileInfoList written = CupsSandbox::pdfsSince(since);
    return written.isEmpty() ? QString() : written.last().filePath();
}

}  // namespace

using namespace pixels;

class PrintTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void printsWindowAtTrueSize();
    void printsLongEntriesWhole();
    void noDestinationSaysSo();
    void refusingPrinterSaysSo();
    void disabledPrinterSaysSo();
    void stoppedSchedulerSaysSo();  // last: it stops the scheduler

private:
    // Clicks "print" and returns the message shown, if any, and the time taken.
    std::optional<MessageSeen> print(qint64* milliseconds = nullptr);
    // Prints, waits for the PDF printer's file and renders its page at `dpi`;
    // `window` is set to the bounds of everything printed on it.
    QImage printedPage(int dpi, QRect* window);
    // Prints, expecting the print action's failure message (naming the
    // cause) within a few seconds and the window unchanged.
    void expectMessage(const QString& mustContain);

    CupsSandbox m_cups;
    std::unique_ptr<Form1> m_form;
    std::unique_ptr<FormDriver> m_ui;
};

void PrintTest::initTestCase()
{
    QString why;
    if (!m_cups.start(&why)) {
        if (ci())
            QFAIL(qPrintable(u"print service unavailable in CI: "_qs + why));
        QSKIP(qPrintable(u"print service unavailable: "_qs + why));
    }
}

void PrintTest::init()
{
    // Every case starts from one enabled PDF printer as the default.
    m_cups.tool(u"lpadmin"_qs, {u"-x"_qs, Printer});
    QVERIFY(m_cups.addPdfPrinter(Printer, true));

    m_form = std::make_unique<Form1>();
    m_ui = std::make_unique<FormDriver>(*m_form);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QVERIFY(!m_ui->compute({"3", "0", "4", "90"}));
}

void PrintTest::cleanup()
{
    m_ui.reset();
    m_form.reset();
}

void PrintTest::cleanupTestCase()
{
    m_cups.stop();
}

std::optional<MessageSeen> PrintTest::print(qint64* milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    const auto seen = m_ui->click(m_ui->command(4));
    if (milliseconds)
        *milliseconds = timer.elapsed();
    return seen;
}

QImage PrintTest::printedPage(int dpi, QRect* window)
{
    const QDateTime clicked = QDateTime::currentDateTime().addMSecs(-100);
    const auto seen = print();
    if (seen) {
        qWarning("%s", qPrintable(seen->text));
        return {};
    }

    // The job completes, then cups-pdf writes the file; wait until its size
    // holds still.
    const bool completed = QTest::qWaitFor(
        [&] {
            return m_cups.tool(u"lpstat"_qs, {u"-W"_qs, u"completed"_qs, u"-o"_qs, Printer})
                .contains(Printer + u"-"_qs);
        },
        60000);
    if (!completed) {
        qWarning("the print job did not complete");
        return {};
    }
    QString pdf;
    qint64 size = -1;
    const auto written = [&] {
        pdf = newestPdfSince(clicked);
        const qint64 now = pdf.isEmpty() ? -1 : QFileInfo(pdf).size();
        const bool settled = now > 0 && now == size;
        size = now;
        return settled;
    };
    if (!QTest::qWaitFor(written, 60000))
        return {};
    // cups-pdf writes into the user's own PDF folder: leave nothing there.
    const auto removePdf = qScopeGuard([&] { QFile::remove(pdf); });

    QTemporaryDir out;
    QProcess render;
    render.start(u"pdftoppm"_qs,
        {u"-r"_qs, QString::number(dpi), u"-png"_qs, u"-singlefile"_qs, pdf, out.filePath(u"page"_qs)});
    if (!render.waitForFinished(60000) || render.exitCode() != 0) {
        qWarning("%s", render.readAllStandardError().constData());
        return {};
    }
    QImage page(out.filePath(u"page.png"_qs));
    page = page.convertToFormat(QImage::Format_RGB32);

    // Everything not white is the window.
    *window = QRect();
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QRgb p = page.pixel(x, y);
            if (qRed(p) < 245 || qGreen(p) < 245 || qBlue(p) < 245)
                *window = window->united(QRect(x, y, 1, 1));
        }
    return page;
}

void PrintTest::printsWindowAtTrueSize()
{
    QRect window;
    const QImage page = printedPage(96, &window);
    QVERIFY(!page.isNull());
    // One page holding the window: at 96 dots per inch its pixels match the
    // screen's one to one (true size: 9870 x 6375 twips is 6.85 x 4.43 inches).
    QVERIFY(window.isValid());
    QVERIFY2(std::abs(window.width() - 658) <= 3 && std::abs(window.height() - 425) <= 3,
        qPrintable(QStringLiteral("printed window is %1 x %2 px at 96 dpi")
                       .arg(window.width())
                       .arg(window.height())));

    const QPoint o = window.topLeft();
    const auto at = [o](int x, int y, int w, int h) { return QRect(o + QPoint(x, y), QSize(w, h)); };
    // A blue to the right, B red upward, C black between, from (520, 280).
    QVERIFY2(count(page, at(530, 277, 50, 6), bluish) > 60, "vector A");
    QVERIFY2(count(page, at(517, 195, 6, 70), reddish) > 80, "vector B");
    QVERIFY2(count(page, at(551, 227, 10, 10), dark) > 5, "vector C");
    // Legend lines in their colours.
    QVERIFY2(count(page, at(398, 357, 30, 6), bluish) > 30, "legend A");
    QVERIFY2(count(page, at(398, 373, 30, 6), reddish) > 30, "legend B");
    QVERIFY2(count(page, at(398, 389, 30, 6), dark) > 30, "legend C");
    // The result line inside its label, and the entries in their colours.
    QVERIFY2(count(page, at(72, 280, 329, 41), dark) > 300, "result text");
    QVERIFY2(count(page, at(203, 87, 43, 24), bluish) > 20, "entry of A");
    QVERIFY2(count(page, at(203, 152, 43, 22), reddish) > 20, "entry of B");

    // Printing changed nothing on screen.
    QCOMPARE(m_ui->label("Label6")->text(), u"5.0△ Base 53°"_qs);
    QVERIFY(m_ui->line(1)->isVisible());
}

void PrintTest::printsLongEntriesWhole()
{
    // The paper shows what the screen shows: entries wider than their
    // fields whole, every glyph inside the field.
    const QStringList entries{u"12.75"_qs, u"247.5"_qs, u"11.25"_qs, u"112.5"_qs};
    QVERIFY(!m_ui->compute(entries));
    constexpr int Scale = 2;  // rendered at 192 dpi: two page pixels per screen pixel
    QRect window;
    const QImage page = printedPage(96 * Scale, &window);
    QVERIFY(!page.isNull());
    for (int n = 1; n <= 4; ++n) {
        const QRect g = m_ui->text(n)->geometry();
        const QRect field(window.topLeft() + g.topLeft() * Scale, g.size() * Scale);
        const Test prismInk = n <= 2 ? Test(bluish) : Test(reddish);
        // Inside the frame, the text keeps clear of the edge where a cut
        // glyph would end (the "°" beside the field touches its frame).
        const QRect inside = field.adjusted(Scale, Scale, -Scale, -Scale);
        QVERIFY2(inside.adjusted(Scale, Scale, -Scale, -Scale).contains(extent(page, inside, prismInk)),
            qPrintable(entries[n - 1]));
        QCOMPARE(columnRuns(page, inside, prismInk), entries[n - 1].size());
    }
}

void PrintTest::expectMessage(const QString& mustContain)
{
    qint64 ms = 0;
    const auto seen = print(&ms);
    QVERIFY(seen);
    QCOMPARE(seen->title, u"プリズムの合成"_qs);
    QVERIFY2(seen->text.contains(u"印刷できませんでした"_qs), qPrintable(seen->text));
    QVERIFY2(seen->text.contains(mustContain), qPrintable(seen->text));
    QVERIFY2(ms < 5000, qPrintable(QString::number(ms)));
    // The window is as it was.
    QCOMPARE(m_ui->label("Label6")->text(), u"5.0△ Base 53°"_qs);
    QVERIFY(m_ui->line(3)->isVisible());
}

void PrintTest::noDestinationSaysSo()
{
    QVERIFY(m_cups.toolOk(u"lpadmin"_qs, {u"-x"_qs, Printer}));
    expectMessage(u"プリンター"_qs);
}

void PrintTest::refusingPrinterSaysSo()
{
    QVERIFY(m_cups.toolOk(u"cupsreject"_qs, {Printer}));
    expectMessage(Printer);
}

void PrintTest::disabledPrinterSaysSo()
{
    // A stopped printer still queues jobs; the user would wait for a page
    // that never comes. Say so at once instead.
    QVERIFY(m_cups.toolOk(u"cupsdisable"_qs, {Printer}));
    expectMessage(Printer);
    QVERIFY(m_cups.tool(u"lpstat"_qs, {u"-o"_qs, Printer}).trimmed().isEmpty());
}

void PrintTest::stoppedSchedulerSaysSo()
{
    m_cups.stop();
    QVERIFY(!m_cups.running());
    expectMessage(u"印刷サービス"_qs);
}

PRISM_WINDOW_TEST_MAIN(PrintTest)
#include "tst_print.moc"
