// SPDX-License-Identifier: MIT
// Start-up probe for the benchmark: shows Form1, or (built without the
// window library, as PRISM_BARE) a bare Qt window of the same size, or (as
// PRISM_BARE_TEXT) that bare window with one line of Japanese text, started as
// the program starts: the least any window with Japanese text pays. At its
// first painted frame it reports the time since the driver spawned it, and
// after a short idle its peak RSS. PRISM_BENCH_TRACE adds the phases.
#ifdef PRISM_BARE_TEXT
#define PRISM_BARE
#include <QLabel>
#endif
#if !defined(PRISM_BARE) || defined(PRISM_BARE_TEXT)
#define PRISM_STARTS_AS_PROGRAM
#include "startup.h"
#endif
#ifndef PRISM_BARE
#include "form1.h"
#endif

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <memory>

namespace {

qint64 monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

qint64 peakRssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
}

// Notes the first frame: the paint event starts it; a zero timer posted from
// there runs after the paint and the flush to the window have finished.
class FirstFrame : public QObject {
public:
    explicit FirstFrame(qint64 spawnedAt)
        : m_spawnedAt(spawnedAt)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, this, [this] {
                std::printf("startup_ns=%lld\n", monotonicNs() - m_spawnedAt);
                QTimer::singleShot(300, this, [] {
                    std::printf("rss_kb=%lld\n", peakRssKb());
                    std::fflush(stdout);
                    QCoreApplication::exit(0);
                });
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    qint64 m_spawnedAt;
    bool m_seen = false;
};

}  // namespace

int main(int argc, char* argv[])
{
    const qint64 spawnedAt = qEnvironmentVariableIsSet("PRISM_BENCH_T0")
        ? qgetenv("PRISM_BENCH_T0").toLongLong()
        : monotonicNs();
    const bool trace = qEnvironmentVariableIsSet("PRISM_BENCH_TRACE");
    const auto phase = [&](const char* name) {
        if (trace)
            std::printf("phase %-12s %7.2f ms\n", name, (monotonicNs() - spawnedAt) / 1e6);
    };
    phase("main");
#ifdef PRISM_STARTS_AS_PROGRAM
    const auto application = startApplication(argc, argv);
#else
    const auto application = std::make_unique<QApplication>(argc, argv);
#endif
    QApplication& app = *application;
    phase("application");

    FirstFrame firstFrame(spawnedAt);
#ifdef PRISM_BARE
    auto* window = new QWidget;
    window->setWindowTitle(QStringLiteral("bare"));
    window->setFixedSize(658, 425);
#ifdef PRISM_BARE_TEXT
    auto* text = new QLabel(QStringLiteral("合成プリズムＣは・・・"), window);
    text->setFont(QFont(QStringLiteral("IPAGothic"), 14));
    text->setGeometry(64, 248, 281, 25);
#endif
#else
    auto* window = new Form1;
#endif
    phase("window");
    window->installEventFilter(&firstFrame);
    window->show();
    phase("shown");
    const int status = app.exec();
    delete window;
    return status;
}
