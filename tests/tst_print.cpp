// SPDX-License-Identifier: MIT
// Printing, end to end through a real print service: a private CUPS
// scheduler with a PDF printer. The printed page is rendered back to pixels
// and checked for the window's contents at its true size, on the queue's own
// paper.
#include "cupssandbox.h"
#include "formdriver.h"
#include "pixels.h"
#include "places.h"
#include "process.h"
#include "twips.h"

#include <QFileInfo>
#include <QScopeGuard>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString Printer = u"PrismPDF"_s;

bool ci()
{
    return qEnvironmentVariable("CI") == u"true"_s;
}

QString newestPdfSince(const QDateTime& since)
{
    const QFileInfoList written = CupsSandbox::pdfsSince(since);
    return written.isEmpty() ? QString() : written.last().filePath();
}

// What came out of the printer.
struct Printed {
    QImage page;    // the first page, rendered
    QRect window;   // the bounds of everything printed on it, in its pixels
    int pages = 0;  // pages in the document
    QSizeF points;  // the page's size in points
    QString title;  // the job's name at the print service
};

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
    void printsOnTheQueuesOwnPaper_data();
    void printsOnTheQueuesOwnPaper();
    void printsInsideThePrintersMargins();
    void printsLongEntriesWhole();
    void printAfterAnEditHasNoResult();
    void noDestinationSaysSo();
    void refusingPrinterSaysSo();
    void disabledPrinterSaysSo();
    void stoppedSchedulerSaysSo();  // last: it stops the scheduler

private:
    // Clicks "print" and returns the message shown, if any, and the time taken.
    std::optional<MessageSeen> print(qint64* milliseconds = nullptr);
    // Prints, waits for the PDF printer's file and renders its first page at
    // `dpi`; a null page when any step failed (with a warning saying which).
    Printed printed(int dpi);
    // Prints, expecting the print action's failure message (naming the
    // cause) within a few seconds and the window unchanged.
    void expectMessage(const QString& mustContain);

    CupsSandbox m_cups;
    FormFixture m_fixture;
    std::unique_ptr<Form1>& m_form = m_fixture.form;
    std::unique_ptr<FormDriver>& m_ui = m_fixture.ui;
};

void PrintTest::initTestCase()
{
    QString why;
    if (!m_cups.start(&why)) {
        if (ci())
            QFAIL(qPrintable(u"print service unavailable in CI: "_s + why));
        QSKIP(qPrintable(u"print service unavailable: "_s + why));
    }
}

void PrintTest::init()
{
    // Every case starts from one enabled PDF printer as the default.
    m_cups.tool(u"lpadmin"_s, {u"-x"_s, Printer});
    QVERIFY(m_cups.addPdfPrinter(Printer, true));
    QVERIFY(m_fixture.open());
    QVERIFY(!m_ui->compute({"3", "0", "4", "90"}));
}

void PrintTest::cleanup()
{
    m_fixture.close();
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

namespace {

// The name of the newest completed job at the printer, once there is one.
std::optional<QString> completedJob()
{
    std::optional<QString> title;
    const auto completed = [&] {
        cups_job_t* jobs = nullptr;
        const int n = cupsGetJobs2(
            CUPS_HTTP_DEFAULT, &jobs, Printer.toUtf8().constData(), 0, CUPS_WHICHJOBS_COMPLETED);
        if (n > 0)
            title = QString::fromUtf8(jobs[n - 1].title);
        cupsFreeJobs(n, jobs);
        return n > 0;
    };
    return QTest::qWaitFor(completed, 60000) ? title : std::nullopt;
}

// The PDF cups-pdf writes after the job completes, once its size holds still.
QString writtenPdf(const QDateTime& since)
{
    QString pdf;
    qint64 size = -1;
    const auto written = [&] {
        pdf = newestPdfSince(since);
        const qint64 now = pdf.isEmpty() ? -1 : QFileInfo(pdf).size();
        const bool settled = now > 0 && now == size;
        size = now;
        return settled;
    };
    return QTest::qWaitFor(written, 60000) ? pdf : QString();
}

// The document's page count and first page size, and that page rendered at
// `dpi` with the bounds of everything not white on it: the window.
void readPdf(const QString& pdf, int dpi, Printed& result)
{
    const QStringList lines = run(u"pdfinfo"_s, {pdf}).out.split(u'\n');
    for (const QString& line : lines) {
        if (line.startsWith(u"Pages:"_s))
            result.pages = line.section(u':', 1).trimmed().toInt();
        if (line.startsWith(u"Page size:"_s)) {
            const QStringList words = line.section(u':', 1).simplified().split(u' ');
            result.points = QSizeF(words.value(0).toDouble(), words.value(2).toDouble());
        }
    }
    QTemporaryDir out;
    const Run render = run(u"pdftoppm"_s,
        {u"-r"_s, QString::number(dpi), u"-f"_s, u"1"_s, u"-l"_s, u"1"_s, u"-png"_s, u"-singlefile"_s, pdf,
            out.filePath(u"page"_s)});
    if (!render.ok()) {
        qWarning("%s", qPrintable(render.said()));
        return;
    }
    result.page = QImage(out.filePath(u"page.png"_s)).convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < result.page.height(); ++y)
        for (int x = 0; x < result.page.width(); ++x) {
            const QRgb p = result.page.pixel(x, y);
            if (qRed(p) < 245 || qGreen(p) < 245 || qBlue(p) < 245)
                result.window = result.window.united(QRect(x, y, 1, 1));
        }
}

}  // namespace

Printed PrintTest::printed(int dpi)
{
    Printed result;
    const QDateTime clicked = QDateTime::currentDateTime().addMSecs(-100);
    if (const auto seen = print()) {
        qWarning("%s", qPrintable(seen->text));
        return result;
    }
    const std::optional<QString> title = completedJob();
    if (!title) {
        qWarning("the print job did not complete");
        return result;
    }
    result.title = *title;
    const QString pdf = writtenPdf(clicked);
    if (pdf.isEmpty()) {
        qWarning("the PDF printer wrote no file");
        return result;
    }
    // cups-pdf writes into the user's own PDF folder: leave nothing there.
    const auto removePdf = qScopeGuard([&] { QFile::remove(pdf); });
    readPdf(pdf, dpi, result);
    return result;
}

void PrintTest::printsWindowAtTrueSize()
{
    const Printed out = printed(96);
    QVERIFY(!out.page.isNull());
    // One page, under the program's name in the print queue.
    QCOMPARE(out.pages, 1);
    QCOMPARE(out.title, Form1::programTitle());
    // The window on it at 96 dots per inch matches the screen pixel for pixel
    // (true size: 9870 x 6375 twips is 6.85 x 4.43 inches).
    const QRect window = out.window;
    QVERIFY(window.isValid());
    QVERIFY2(
        std::abs(window.width() - m_form->width()) <= 3 && std::abs(window.height() - m_form->height()) <= 3,
        qPrintable(QStringLiteral("printed window is %1 x %2 px at 96 dpi")
                       .arg(window.width())
                       .arg(window.height())));

    const QImage& page = out.page;
    const auto at = [&](const QRect& r) { return r.translated(window.topLeft()); };
    // From the origin: A blue to the right, B red upward, C black between
    // (A = 3 at 0°, B = 4 at 90°, C = 5 drawn 120 px long).
    const QPoint o = places::origin();
    QVERIFY2(count(page, at(QRect(o + QPoint(10, -3), QSize(50, 6))), bluish) > 60, "vector A");
    QVERIFY2(count(page, at(QRect(o + QPoint(-3, -85), QSize(6, 70))), reddish) > 80, "vector B");
    QVERIFY2(count(page, at(QRect(o + QPoint(31, -53), QSize(10, 10))), dark) > 5, "vector C");
    // Legend lines in their colours.
    const auto alongLegend = [&](const char* line) {
        const QLine l = places::legend(line);
        return at(QRect(l.x1() + 6, l.y1() - 3, 30, 6));
    };
    QVERIFY2(count(page, alongLegend("Line4"), bluish) > 30, "legend A");
    QVERIFY2(count(page, alongLegend("Line5"), reddish) > 30, "legend B");
    QVERIFY2(count(page, alongLegend("Line6"), dark) > 30, "legend C");
    // The result line inside its label, and the entries in their colours.
    QVERIFY2(count(page, at(places::control("Label6")), dark) > 300, "result text");
    QVERIFY2(count(page, at(places::control("Text1").adjusted(3, 3, -3, -3)), bluish) > 20, "entry of A");
    QVERIFY2(count(page, at(places::control("Text3").adjusted(3, 3, -3, -3)), reddish) > 20, "entry of B");

    // Printing changed nothing on screen.
    QCOMPARE(m_ui->label("Label6")->text(), u"5.0△ Base 53°"_s);
    QVERIFY(m_ui->line(1)->isVisible());
}

void PrintTest::printsOnTheQueuesOwnPaper_data()
{
    QTest::addColumn<QString>("paper");
    QTest::addColumn<QSizeF>("points");
    // The PDF printer's own sizes: Letter is wider and shorter than A4; A5
    // portrait is narrower than the window (5.85 inches for 6.85).
    QTest::newRow("Letter") << u"Letter"_s << QSizeF(612, 792);
    QTest::newRow("A5, narrower than the window") << u"A5"_s << QSizeF(421, 595);
}

void PrintTest::printsOnTheQueuesOwnPaper()
{
    QFETCH(QString, paper);
    QFETCH(QSizeF, points);

    // The queue's default paper, as its administrator set it: a plain job
    // there comes out on it, and so must the program's.
    QVERIFY(m_cups.toolOk(u"lpadmin"_s, {u"-p"_s, Printer, u"-o"_s, u"PageSize="_s + paper}));
    constexpr int Dpi = 96;
    const Printed out = printed(Dpi);
    QVERIFY(!out.page.isNull());
    QCOMPARE(out.pages, 1);
    QVERIFY2(std::abs(out.points.width() - points.width()) < 1
            && std::abs(out.points.height() - points.height()) < 1,
        qPrintable(QStringLiteral("page of %1 x %2 pt").arg(out.points.width()).arg(out.points.height())));

    // The whole window is on the page: at true size where it fits, else
    // scaled down to nearly the page's width (inside the margins), keeping
    // its proportions.
    const QSizeF pagePixels = points / 72 * Dpi;
    const QRect window = out.window;
    QVERIFY(out.page.rect().contains(window));
    const qreal scale = qreal(window.width()) / m_form->width();
    if (pagePixels.width() >= m_form->width() + 40) {
        QVERIFY2(
            std::abs(window.width() - m_form->width()) <= 3, qPrintable(QString::number(window.width())));
    } else {
        QVERIFY2(window.width() < pagePixels.width() && window.width() > 0.9 * pagePixels.width(),
            qPrintable(
                QStringLiteral("%1 px wide on a page of %2").arg(window.width()).arg(pagePixels.width())));
    }
    const qreal aspect = qreal(window.width()) / window.height();
    const qreal formAspect = qreal(m_form->width()) / m_form->height();
    QVERIFY2(std::abs(aspect / formAspect - 1) < 0.01, qPrintable(QString::number(aspect)));
    // Its far corner, the diagram and the result are there (not cut off).
    const auto at = [&](const QRect& r) {
        return QRect(window.topLeft() + QPoint(qRound(r.x() * scale), qRound(r.y() * scale)),
            QSize(qRound(r.width() * scale), qRound(r.height() * scale)));
    };
    QVERIFY2(count(out.page, at(QRect(places::origin() + QPoint(10, -5), QSize(50, 10))), bluish) > 20,
        "vector A");
    QVERIFY2(count(out.page, at(places::control("Label6")), dark) > 100, "result text");
}

void PrintTest::printsInsideThePrintersMargins()
{
    // A printer that cannot reach the edge of the sheet: half an inch all
    // round on A4 (its description's imageable area). The window starts at
    // the corner of what it can print, not in the margin it cannot reach.
    QTemporaryDir folder;
    QFile original(CupsSandbox::pdfPrinterPpd());
    QVERIFY(folder.isValid() && original.open(QIODevice::ReadOnly));
    QString ppd = QString::fromLatin1(original.readAll());
    const auto area = QRegularExpression(uR"(\*ImageableArea A4/A4: "[^"]*")"_s);
    QVERIFY(ppd.contains(area));
    ppd.replace(area, u"*ImageableArea A4/A4: \"36 36 559.28 805.89\""_s);
    QFile margins(folder.filePath(u"margins.ppd"_s));
    QVERIFY(margins.open(QIODevice::WriteOnly) && margins.write(ppd.toLatin1()) > 0);
    margins.close();
    QVERIFY(m_cups.addPdfPrinter(Printer, true, margins.fileName()));
    QVERIFY(m_cups.toolOk(u"lpadmin"_s, {u"-p"_s, Printer, u"-o"_s, u"PageSize=A4"_s}));

    constexpr int Dpi = 96;
    const Printed out = printed(Dpi);
    QVERIFY(!out.page.isNull());
    const QPoint halfInch(Dpi / 2, Dpi / 2);  // the PPD's 36 pt margins
    QVERIFY2((out.window.topLeft() - halfInch).manhattanLength() <= 2,
        qPrintable(u"the window starts at %1, %2 px"_s.arg(out.window.x()).arg(out.window.y())));
    QVERIFY2(
        std::abs(out.window.width() - m_form->width()) <= 3, qPrintable(QString::number(out.window.width())));
}

void PrintTest::printsLongEntriesWhole()
{
    // The paper shows what the screen shows: entries wider than their
    // fields whole, every glyph inside the field.
    const QStringList entries{u"12.75"_s, u"247.5"_s, u"11.25"_s, u"112.5"_s};
    QVERIFY(!m_ui->compute(entries));
    constexpr int Scale = 2;  // rendered at 192 dpi: two page pixels per screen pixel
    const Printed out = printed(96 * Scale);
    QVERIFY(!out.page.isNull());
    for (int n = 1; n <= 4; ++n) {
        const QRect g = m_ui->text(n)->geometry();
        const QRect field(out.window.topLeft() + g.topLeft() * Scale, g.size() * Scale);
        const Test prismInk = n <= 2 ? Test(bluish) : Test(reddish);
        // Inside the frame, the text keeps clear of the edge where a cut
        // glyph would end (the "°" beside the field touches its frame).
        const QRect inside = field.adjusted(Scale, Scale, -Scale, -Scale);
        QVERIFY2(inside.adjusted(Scale, Scale, -Scale, -Scale).contains(extent(out.page, inside, prismInk)),
            qPrintable(entries[n - 1]));
        QCOMPARE(columnRuns(out.page, inside, prismInk), entries[n - 1].size());
    }
}

void PrintTest::printAfterAnEditHasNoResult()
{
    // A sheet never shows a result beside entries it does not belong to:
    // after an edit the result and the diagram are gone from the paper too.
    // (The PDF printer redraws the page, so its text is read as ink.)
    const LineShape* c = m_ui->line(3);
    const QPoint middleOfC = twips::point((c->x1() + c->x2()) / 2, (c->y1() + c->y2()) / 2).toPoint();
    const QRect result = m_ui->label("Label6")->geometry();
    const auto ink = [&](const Printed& out, const QRect& area) {
        return count(out.page, area.translated(out.window.topLeft()), dark);
    };
    const QRect aroundC(middleOfC - QPoint(5, 5), QSize(11, 11));
    const Printed before = printed(96);
    QVERIFY(!before.page.isNull());
    QVERIFY(ink(before, result) > 300);
    QVERIFY(ink(before, aroundC) > 5);

    FormDriver::typeInto(m_ui->text(1), u"5"_s);
    const Printed after = printed(96);
    QVERIFY(!after.page.isNull());
    QCOMPARE(ink(after, result), 0);
    QCOMPARE(ink(after, aroundC), 0);
    // The entries are printed as they now stand: "35" is two glyphs.
    QCOMPARE(columnRuns(after.page,
                 m_ui->text(1)->geometry().adjusted(2, 2, -2, -2).translated(after.window.topLeft()), bluish),
        2);
}

void PrintTest::expectMessage(const QString& mustContain)
{
    qint64 ms = 0;
    const auto seen = print(&ms);
    QVERIFY(seen);
    QCOMPARE(seen->title, Form1::programTitle());
    QVERIFY2(seen->text.contains(u"印刷できませんでした"_s), qPrintable(seen->text));
    QVERIFY2(seen->text.contains(mustContain), qPrintable(seen->text));
    QVERIFY2(ms < 5000, qPrintable(QString::number(ms)));
    // The window is as it was.
    QCOMPARE(m_ui->label("Label6")->text(), u"5.0△ Base 53°"_s);
    QVERIFY(m_ui->line(3)->isVisible());
}

void PrintTest::noDestinationSaysSo()
{
    QVERIFY(m_cups.toolOk(u"lpadmin"_s, {u"-x"_s, Printer}));
    expectMessage(u"プリンター"_s);
}

// A printer that refuses jobs, or is stopped, is named with that cause.
static QString notAccepting()
{
    return u"プリンター「%1」が停止しているか、印刷を受け付けていません。"_s.arg(Printer);
}

void PrintTest::refusingPrinterSaysSo()
{
    QVERIFY(m_cups.toolOk(u"cupsreject"_s, {Printer}));
    expectMessage(notAccepting());
}

void PrintTest::disabledPrinterSaysSo()
{
    // A stopped printer still queues jobs; the user would wait for a page
    // that never comes. Say so at once instead.
    QVERIFY(m_cups.toolOk(u"cupsdisable"_s, {Printer}));
    expectMessage(notAccepting());
    QVERIFY(m_cups.tool(u"lpstat"_s, {u"-o"_s, Printer}).out.trimmed().isEmpty());
}

void PrintTest::stoppedSchedulerSaysSo()
{
    m_cups.stop();
    QVERIFY(!m_cups.running());
    expectMessage(u"印刷サービス"_s);
}

PRISM_WINDOW_TEST_MAIN(PrintTest)
#include "tst_print.moc"
