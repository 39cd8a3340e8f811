// A number of any length is read, and its route worked out, in time linear in what is given,
// and at most for 64 keys: the keypad's preview after each key, a 60 KB "tel:" line handed to the
// window and a 125,000-digit `farline call` all take microseconds. (Each key used to work out
// the whole number's route again: typing 8,000 digits took 8 s.)
#include "core/CallRoute.h"
#include "core/KeypadNumber.h"
#include "core/TCCManager.h"
#include "datafile/DataFileLines.h"

#include <benchmark/benchmark.h>

namespace {
// A written number or "tel:" address of n digits: refused after 64 keys.
void BM_ReadDigits(benchmark::State &state)
{
    const QString written = QStringLiteral("tel:+") + QString(state.range(0), u'5');
    for (auto _ : state)
        benchmark::DoNotOptimize(KeypadNumber::read(written));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReadDigits)->RangeMultiplier(8)->Range(8, 1 << 17)->Complexity()->Unit(benchmark::kMicrosecond);

// n separators, which type nothing: read to the end.
void BM_ReadSeparators(benchmark::State &state)
{
    const QString written = QStringLiteral("+49 ") + QString(state.range(0), u'-') + QStringLiteral("30 1234567");
    for (auto _ : state)
        benchmark::DoNotOptimize(KeypadNumber::read(written));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReadSeparators)->RangeMultiplier(8)->Range(8, 1 << 17)->Complexity(benchmark::oN)->Unit(benchmark::kMicrosecond);

// The keypad's route preview of a display of n keys, as each key shows it.
void BM_RoutePreview(benchmark::State &state)
{
    TCCManager table;
    table.appendRows(DataFileLines(QLatin1StringView("260 48\r\n262 49\r\n234 44\r\n")));
    const QString display = QStringLiteral("+") + QString(state.range(0) - 1, u'4');
    const QStringList accessNumbers = {QStringLiteral("+48 22 123 45 67")};
    for (auto _ : state)
        benchmark::DoNotOptimize(CallRoute::of({display, QStringLiteral("260"), 0, accessNumbers, 0, true, &table, true}));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RoutePreview)->RangeMultiplier(2)->Range(8, 1 << 17)->Complexity()->Unit(benchmark::kMicrosecond);
} // namespace

BENCHMARK_MAIN();
