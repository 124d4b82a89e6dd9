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

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int runs = qMax(10, qEnvironmentVariableIntValue("PRISM_BENCH_RUNS"));
    const QString probe = QStringLiteral(PRISM_PROBE_PATH);
    const QString bare = QStringLiteral(PRISM_BARE_PATH);
    const QString text = QStringLiteral(PRISM_TEXT_PATH);

    // Start-up and peak RSS, alternating the two windows so that both see
    // the same machine state (caches warm after the first round).
    startOnce(probe);
    startOnce(bare);
    startOnce(text);
    std::vector<double> formMs, bareMs, formRss, bareRss, textMs, textRss;
    for (int i = 0; i < runs; ++i) {
        if (const auto s = startOnce(probe)) {
            formMs.push_back(s->ms);
            formRss.push_back(s->rssMb);
        }
        if (const auto s = startOnce(bare)) {
            bareMs.push_back(s->ms);
            bareRss.push_back(s->rssMb);
        }
        if (const auto s = startOnce(text)) {
            textMs.push_back(s->ms);
            textRss.push_back(s->rssMb);
        }
    }

    // The compute action, from the click to the result text and the lines
    // set; the repaint it schedules is not run inside the measurement.
    Form1 form;
    form.show();
    const QStringList entries{
        QStringLiteral("3"), QStringLiteral("30"), QStringLiteral("2"), QStringLiteral("120")};
    for (int n = 1; n <= 4; ++n)
        form.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n))->setText(entries[n - 1]);
    auto* compute = form.findChild<QPushButton*>(QStringLiteral("Command1"));
    std::vector<double> computeUs;
    for (int i = 0; i < 20000; ++i) {
        QElapsedTimer t;
        t.start();
        compute->click();
        const double us = t.nsecsElapsed() / 1e3;
        if (i >= 1000)
            computeUs.push_back(us);
        if (i % 100 == 0)
            QCoreApplication::processEvents();
    }
    // The arithmetic alone, for where the time of the action goes.
    std::vector<double> coreUs;
    for (int i = 0; i < 20000; ++i) {
        prism::CompositionState s;
        QElapsedTimer t;
        t.start();
        const prism::Shown shown = prism::compute(s, "3", "30", "2", "120");
        coreUs.push_back(t.nsecsElapsed() / 1e3 + (shown.result.empty() ? 1 : 0));
    }

    // Printing: from the click to the job accepted by the scheduler.
    QString printRow;
    CupsSandbox cups;
    QString why;
    if (cups.start(&why) && cups.addPdfPrinter(QStringLiteral("BenchPDF"), true)) {
        auto* print = form.findChild<QPushButton*>(QStringLiteral("Command4"));
        const QDateTime printedFrom = QDateTime::currentDateTime().addSecs(-1);
        std::vector<double> printMs;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer t;
            t.start();
            print->click();
            printMs.push_back(t.nsecsElapsed() / 1e6);
        }
        // Each page lands in the user's own PDF folder: let cups-pdf finish
        // writing them, then leave nothing there.
        QElapsedTimer writing;
        writing.start();
        while (CupsSandbox::pdfsSince(printedFrom).size() < runs && writing.elapsed() < 60000)
            QThread::msleep(200);
        for (const QFileInfo& pdf : CupsSandbox::pdfsSince(printedFrom))
            QFile::remove(pdf.filePath());
        printRow = QStringLiteral(
            "| print: click to job accepted (PDF printer) | %1 ms | %2 ms (p90) | — | %3 runs |")
                       .arg(median(printMs), 0, 'f', 1)
                       .arg(percentile(printMs, 0.9), 0, 'f', 1)
                       .arg(runs);
        cups.stop();
    } else {
        printRow = QStringLiteral("| print: click to job accepted | n/a | | | %1 |").arg(why);
    }

    const double startRatio = median(formMs) / median(bareMs);
    const double rssRatio = median(formRss) / median(bareRss);
    const auto out = [](const QString& s) { std::printf("%s\n", s.toUtf8().constData()); };
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
            .arg(median(formMs), 0, 'f', 1)
            .arg(median(bareMs), 0, 'f', 1)
            .arg(startRatio, 0, 'f', 2)
            .arg(formMs.size()));
    out(QStringLiteral(
        "| peak memory (VmHWM) of the running window | %1 MiB | %2 MiB | %3× (≤ 1.2×) | %4 each |")
            .arg(median(formRss), 0, 'f', 1)
            .arg(median(bareRss), 0, 'f', 1)
            .arg(rssRatio, 0, 'f', 2)
            .arg(formRss.size()));
    out(QStringLiteral(
        "| the bare window with one line of Japanese text | %1 ms, %2 MiB | — | %3×, %4× | %5 each |")
            .arg(median(textMs), 0, 'f', 1)
            .arg(median(textRss), 0, 'f', 1)
            .arg(median(formMs) / median(textMs), 0, 'f', 2)
            .arg(median(formRss) / median(textRss), 0, 'f', 2)
            .arg(textMs.size()));
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
    return 0;
}
