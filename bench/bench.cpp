// SPDX-License-Identifier: MIT
// The benchmark driver (`make bench`, on an X display): start-up and peak
// memory of the window against a bare Qt window of the same size, the
// compute action, and printing to a PDF printer on a private scheduler.
// Prints a Markdown table of medians.
#include "cupssandbox.h"
#include "form1.h"

#include <prism/prism.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSysInfo>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <optional>
#include <vector>

namespace {

qint64 monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(p * (v.size() - 1) + 0.5))];
}

struct Start {
    double ms = 0;
    double rssMb = 0;
};

std::optional<Start> startOnce(const QString& probe)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PRISM_BENCH_T0"), QString::number(monotonicNs()));
    p.setProcessEnvironment(env);
    p.start(probe, {});
    if (!p.waitForFinished(30000))
        return std::nullopt;
    Start s;
    for (const QByteArray& line : p.readAllStandardOutput().split('\n')) {
        if (line.startsWith("startup_ns="))
            s.ms = line.mid(11).toDouble() / 1e6;
        else if (line.startsWith("rss_kb="))
            s.rssMb = line.mid(7).toDouble() / 1024;
    }
    if (s.ms <= 0 || s.rssMb <= 0)
        return std::nullopt;
    return s;
}

QString cpuModel()
{
    QFile f(QStringLiteral("/proc/cpuinfo"));
    if (f.open(QIODevice::ReadOnly))
        for (const QByteArray& line : f.readAll().split('\n'))
            if (line.startsWith("model name"))
                return QString::fromLatin1(line.mid(line.indexOf(':') + 1).trimmed());
    return QStringLiteral("unknown CPU");
}

// Start-up and peak memory of the three probes.
struct Startups {
    std::vector<double> formMs, bareMs, textMs, formRss, bareRss, textRss;
};

// Alternating the windows so that each sees the same machine state (caches
// warm after a first round that is not counted).
Startups measureStartups(int runs)
{
    const QString probe = QStringLiteral(PRISM_PROBE_PATH);
    const QString bare = QStringLiteral(PRISM_BARE_PATH);
    const QString text = QStringLiteral(PRISM_TEXT_PATH);
    for (const QString& program : {probe, bare, text})
        startOnce(program);
    Startups r;
    const auto add = [](const QString& program, std::vector<double>& ms, std::vector<double>& rss) {
        if (const auto s = startOnce(program)) {
            ms.push_back(s->ms);
            rss.push_back(s->rssMb);
        }
    };
    for (int i = 0; i < runs; ++i) {
        add(probe, r.formMs, r.formRss);
        add(bare, r.bareMs, r.bareRss);
        add(text, r.textMs, r.textRss);
    }
    return r;
}

// A control of the form by its name: a figure measured without it would
// mean nothing.
template <typename T> T* control(const Form1& form, const QString& name)
{
    auto* child = form.findChild<T*>(name);
    if (!child)
        qFatal("bench: no control named %s", qPrintable(name));
    return child;
}

// The compute action, from the click to the result text and the lines set;
// the repaint it schedules is not run inside the measurement.
std::vector<double> measureComputeAction(Form1& form)
{
    const QStringList entries{
        QStringLiteral("3"), QStringLiteral("30"), QStringLiteral("2"), QStringLiteral("120")};
    for (int n = 1; n <= 4; ++n)
        control<QLineEdit>(form, QStringLiteral("Text%1").arg(n))->setText(entries[n - 1]);
    auto* compute = control<QPushButton>(form, QStringLiteral("Command1"));
    std::vector<double> us;
    for (int i = 0; i < 20000; ++i) {
        QElapsedTimer t;
        t.start();
        compute->click();
        const double elapsed = t.nsecsElapsed() / 1e3;
        if (i >= 1000)
            us.push_back(elapsed);
        if (i % 100 == 0)
            QCoreApplication::processEvents();
    }
    return us;
}

// The arithmetic alone, for where the time of the action goes.
std::vector<double> measureCore()
{
    std::vector<double> us;
    for (int i = 0; i < 20000; ++i) {
        prism::CompositionState s;
        QElapsedTimer t;
        t.start();
        const prism::Shown shown = prism::compute(s, "3", "30", "2", "120");
        us.push_back(t.nsecsElapsed() / 1e3 + (shown.result.empty() ? 1 : 0));
    }
    return us;
}

// Printing, from the click to the job accepted by a private scheduler's PDF
// printer: the table's row.
QString measurePrinting(Form1& form, int runs)
{
    CupsSandbox cups;
    QString why;
    if (!cups.start(&why) || !cups.addPdfPrinter(QStringLiteral("BenchPDF"), true))
        return QStringLiteral("| print: click to job accepted | n/a | | | %1 |").arg(why);
    auto* print = control<QPushButton>(form, QStringLiteral("Command4"));
    const QDateTime printedFrom = QDateTime::currentDateTime().addSecs(-1);
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        print->click();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    // Each page lands in the user's own PDF folder: let cups-pdf finish
    // writing them, then leave nothing there.
    QElapsedTimer writing;
    writing.start();
    while (CupsSandbox::pdfsSince(printedFrom).size() < runs && writing.elapsed() < 60000)
        QThread::msleep(200);
    for (const QFileInfo& pdf : CupsSandbox::pdfsSince(printedFrom))
        QFile::remove(pdf.filePath());
    cups.stop();
    return QStringLiteral(
        "| print: click to job accepted (PDF printer) | %1 ms | %2 ms (p90) | — | %3 runs |")
        .arg(median(ms), 0, 'f', 1)
        .arg(percentile(ms, 0.9), 0, 'f', 1)
        .arg(runs);
}

void printTable(const Startups& s, const std::vector<double>& computeUs, const std::vector<double>& coreUs,
    const QString& printRow)
{
    const auto out = [](const QString& line) { std::printf("%s\n", line.toUtf8().constData()); };
    out(QStringLiteral("Machine: %1, %2 cores, %3; Qt %4, platform %5")
            .arg(cpuModel())
            .arg(QThread::idealThreadCount())
            .arg(QSysInfo::prettyProductName(), QString::fromLatin1(qVersion()),
                QGuiApplication::platformName()));
    out({});
    out(QStringLiteral("| Measure | Form1 | Bare window / spread | Ratio (goal) | Runs |"));
    out(QStringLiteral("|---|---|---|---|---|"));
    out(QStringLiteral(
        "| start-up: process start to first painted frame | %1 ms | %2 ms | %3× (≤ 1.3×) | %4 each |")
            .arg(median(s.formMs), 0, 'f', 1)
            .arg(median(s.bareMs), 0, 'f', 1)
            .arg(median(s.formMs) / median(s.bareMs), 0, 'f', 2)
            .arg(s.formMs.size()));
    out(QStringLiteral(
        "| peak memory (VmHWM) of the running window | %1 MiB | %2 MiB | %3× (≤ 1.2×) | %4 each |")
            .arg(median(s.formRss), 0, 'f', 1)
            .arg(median(s.bareRss), 0, 'f', 1)
            .arg(median(s.formRss) / median(s.bareRss), 0, 'f', 2)
            .arg(s.formRss.size()));
    out(QStringLiteral(
        "| the bare window with one line of Japanese text | %1 ms, %2 MiB | — | %3×, %4× | %5 each |")
            .arg(median(s.textMs), 0, 'f', 1)
            .arg(median(s.textRss), 0, 'f', 1)
            .arg(median(s.formMs) / median(s.textMs), 0, 'f', 2)
            .arg(median(s.formRss) / median(s.textRss), 0, 'f', 2)
            .arg(s.textMs.size()));
    out(QStringLiteral(
        "| compute action: click to result and lines set | %1 µs | %2 µs (p90) | goal < 50 µs | %3 |")
            .arg(median(computeUs), 0, 'f', 1)
            .arg(percentile(computeUs, 0.9), 0, 'f', 1)
            .arg(computeUs.size()));
    out(QStringLiteral("| of which the arithmetic and texts (core) | %1 µs | %2 µs (p90) | — | %3 |")
            .arg(median(coreUs), 0, 'f', 2)
            .arg(percentile(coreUs, 0.9), 0, 'f', 2)
            .arg(coreUs.size()));
    out(printRow);
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int runs = qMax(10, qEnvironmentVariableIntValue("PRISM_BENCH_RUNS"));
    const Startups startups = measureStartups(runs);
    Form1 form;
    form.show();
    const std::vector<double> computeUs = measureComputeAction(form);
    const std::vector<double> coreUs = measureCore();
    const QString printRow = measurePrinting(form, runs);
    printTable(startups, computeUs, coreUs, printRow);
    return 0;
}
