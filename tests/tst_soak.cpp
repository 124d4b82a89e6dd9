// SPDX-License-Identifier: MIT
// A long session in one process: 10,000 computes, each followed by a reset,
// with the window repainting as it goes. The heap must not grow beyond noise.
#include "formdriver.h"

#include <malloc.h>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool HeapVisible = false;  // the sanitizer's allocator bypasses mallinfo
#else
constexpr bool HeapVisible = true;
#endif

size_t heapInUse()
{
    malloc_trim(0);
    return mallinfo2().uordblks;
}

}  // namespace

class SoakTest : public QObject {
    Q_OBJECT

private slots:
    void computeAndResetTenThousandTimes();
};

void SoakTest::computeAndResetTenThousandTimes()
{
    FormFixture window;
    QVERIFY(window.open());
    const FormDriver& ui = *window.ui;

    const QStringList entries[] = {
        {"3", "0", "4", "90"},
        {"2.25", "45", "1", "45"},
        {"1", "359.6", "0", "0"},
        {"0", "0", "0", "0"},
        {"３", "３０", "２", "１２０"},
    };
    int computed = 0;
    const auto round = [&](int i) {
        const QStringList& e = entries[i % std::size(entries)];
        for (int n = 1; n <= 4; ++n)
            ui.text(n)->setText(e[n - 1]);
        ui.command(1)->click();
        computed += ui.label("Label6")->text().isEmpty() ? 0 : 1;
        ui.command(2)->click();
        if (i % 10 == 0)
            QCoreApplication::processEvents();  // let the window repaint
    };

    for (int i = 0; i < 500; ++i)  // warm-up: caches, fonts, glyphs
        round(i);
    const size_t before = heapInUse();
    computed = 0;
    QElapsedTimer timer;
    timer.start();
    constexpr int Rounds = 10000;
    for (int i = 0; i < Rounds; ++i)
        round(i);
    const qint64 ms = timer.elapsed();
    const size_t after = heapInUse();

    QCOMPARE(computed, Rounds);
    QVERIFY(ui.label("Label6")->text().isEmpty());
    const auto growth = static_cast<qint64>(after) - static_cast<qint64>(before);
    qInfo("%d computes and resets in %lld ms; heap in use %zu -> %zu bytes (%+lld)", Rounds, ms, before,
        after, growth);
    if (HeapVisible)
        QVERIFY2(growth < 64 * 1024, qPrintable(QStringLiteral("heap grew by %1 bytes").arg(growth)));
}

PRISM_WINDOW_TEST_MAIN(SoakTest)
#include "tst_soak.moc"
