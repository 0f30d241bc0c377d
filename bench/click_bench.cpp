#include "bench/cheap_random.h"
#include "pin/pin_commands.h"
#include "tests/support/substitute_window.h"

#include <benchmark/benchmark.h>
#include <string>

// One click of each kind on the window as plain memory: the command handler's own cost. Each
// iteration first puts the window back in the state the click starts from; setupOnly times
// that alone. A run whose click left the window other than it should is reported as an error.

namespace {

using talvex::bench::CheapRandom;
using talvex::pin::kNoRow;
using talvex::test::SubstituteWindow;

constexpr std::string_view kPinText = "Генериран нов PIN код:\r\n1234\r\n";

// After the run, off the clock: did the last click do its work?
void expectPin(benchmark::State& state, const SubstituteWindow& window) {
    if (!window.text.starts_with(talvex::pin::kHeader)) {
        state.SkipWithError("Choose left no PIN in the output box");
    }
}

void nothingSelected(SubstituteWindow& window) {
    window.lists.fill(kNoRow);
}

void pinShown(SubstituteWindow& window) {
    window.lists = {1, 2, 3, 4};
    window.text = kPinText;
}

void chooseWithNothingSelected(benchmark::State& state) {
    SubstituteWindow window;
    CheapRandom random;
    for (auto _ : state) {
        nothingSelected(window);
        talvex::pin::command1Click(talvex::pin::kChoose, window, random);
        benchmark::DoNotOptimize(window.text.data());
        benchmark::ClobberMemory();
    }
    expectPin(state, window);
}
BENCHMARK(chooseWithNothingSelected);

void chooseWithAllFourSelected(benchmark::State& state) {
    SubstituteWindow window;
    CheapRandom random;
    window.lists = {1, 2, 3, 4};
    for (auto _ : state) {
        // Choose leaves the selections as they were: nothing to put back.
        talvex::pin::command1Click(talvex::pin::kChoose, window, random);
        benchmark::DoNotOptimize(window.text.data());
        benchmark::ClobberMemory();
    }
    expectPin(state, window);
}
BENCHMARK(chooseWithAllFourSelected);

void clearAfterChoose(benchmark::State& state) {
    SubstituteWindow window;
    CheapRandom random;
    for (auto _ : state) {
        pinShown(window);
        talvex::pin::command1Click(talvex::pin::kClear, window, random);
        benchmark::DoNotOptimize(window.text.data());
        benchmark::ClobberMemory();
    }
    if (!window.text.empty() || window.lists[0] != kNoRow) {
        state.SkipWithError("Clear left the window as it was");
    }
}
BENCHMARK(clearAfterChoose);

void setupOnly(benchmark::State& state) {
    SubstituteWindow window;
    for (auto _ : state) {
        nothingSelected(window);
        pinShown(window);
        benchmark::DoNotOptimize(window.text.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(setupOnly);

} // namespace

BENCHMARK_MAIN();
