#include "app/qt/main_window.h"
#include "bench/cheap_random.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <benchmark/benchmark.h>

// One click of each kind through the real Qt window: the button's click, the command handler and
// every widget update it makes. The repaint that follows is left to the event loop, which runs
// between iterations, off the clock, together with putting the window back in the state the
// click starts from. A run whose click left the window other than it should is reported as
// an error.

namespace {

using talvex::bench::CheapRandom;
using talvex::qt::MainWindow;

QPushButton* button(const MainWindow& window, int index) {
    return window.findChild<QPushButton*>(QStringLiteral("Command1(%1)").arg(index));
}

// After the run, off the clock: does the output box show what the last click should leave?
void expectOutput(benchmark::State& state, const QPlainTextEdit* output, bool pin) {
    const QString text = output->toPlainText();
    if (pin ? !text.startsWith(QStringLiteral("Генериран нов PIN код:")) : !text.isEmpty()) {
        state.SkipWithError(pin ? "Избор left no PIN in the output box"
                                : "Почисти left text in the output box");
    }
}

// Off the clock: `setup`, then whatever the event loop has to do.
template <typename Setup> void offTheClock(benchmark::State& state, Setup setup) {
    state.PauseTiming();
    setup();
    QCoreApplication::processEvents();
    state.ResumeTiming();
}

void registerClicks(const MainWindow& window) {
    QPushButton* choose = button(window, 0);
    QPushButton* clear = button(window, 1);
    const auto* output = window.findChild<QPlainTextEdit*>(QStringLiteral("Text1(0)"));
    benchmark::RegisterBenchmark("chooseWithNothingSelected", [=](benchmark::State& state) {
        for (auto _ : state) {
            offTheClock(state, [=] { clear->click(); });
            choose->click();
        }
        expectOutput(state, output, true);
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("chooseWithAllFourSelected", [=](benchmark::State& state) {
        // Choose leaves the selections it made: after the first, all four stay selected.
        choose->click();
        for (auto _ : state) {
            offTheClock(state, [] {});
            choose->click();
        }
        expectOutput(state, output, true);
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("clearAfterChoose", [=](benchmark::State& state) {
        for (auto _ : state) {
            offTheClock(state, [=] { choose->click(); });
            clear->click();
        }
        expectOutput(state, output, false);
    })->Unit(benchmark::kMicrosecond);
}

} // namespace

int main(int argc, char* argv[]) {
    // Real widgets without a display, unless the caller picked a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);

    CheapRandom random;
    MainWindow window(random);
    window.show();
    QCoreApplication::processEvents();
    registerClicks(window);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
