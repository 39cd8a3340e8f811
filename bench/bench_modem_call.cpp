// From the call key to CreateCall on the bus (goal: under 50 ms): the keypad's call through call
// placement and the modem's telephone, which asks ModemManager for its voice modem and then
// creates the call. ModemManager is the stand-in (python3-dbusmock) on a private bus, which logs
// the moment CreateCall reached it on the clock the key press is read from.
#include "core/FarlineAppDelegate.h"
#include "platform/ModemTelephone.h"
#include "screens/KeypadViewController.h"
#include "support/ModemManagerStandIn.h"
#include "support/TestApp.h"

#include <QTest>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {
double wallSeconds()
{
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
}

void BM_CallKeyToCreateCall(benchmark::State &state)
{
    ModemManagerStandIn standIn;
    // Calls that ring until the benchmark hangs them up.
    if (!standIn.missing().isEmpty()
        || !standIn.start(R"({"modems": [{"sim": "26001", "network": "26001"}], "calls": {"progress": [[1, 1], [2, 0]]}})")) {
        state.SkipWithError("the ModemManager stand-in does not start here");
        return;
    }
    TestApp test;
    test.useTelephone([&] {
        return std::make_unique<ModemTelephone>(
            ModemTelephone::Settings{.learning = ModemTelephone::Learning::Told, .systemBus = standIn.busAddress(), .sessionBus = standIn.busAddress()},
            nullptr);
    });
    test.launch("260 +48 22 500 00 00\r\n", "260 48\r\n262 49\r\n", QStringLiteral("260"));
    test.app().telephone().modemAnswered(true); // as the window's watcher tells it
    KeypadViewController &keypad = test.app().keypadViewController();
    keypad.loadView();
    for (auto _ : state) {
        keypad.typeNumber(QStringLiteral("+4930901820"));
        const double pressed = wallSeconds();
        keypad.initiateCall();
        const std::shared_ptr<PhoneCall> call = test.app().currentCall();
        if (!QTest::qWaitFor([&] { return call->accepted(); }, 5000)) {
            state.SkipWithError("ModemManager did not make the call");
            return;
        }
        const QList<ModemManagerStandIn::Event> events = standIn.events();
        const auto created = std::find_if(events.rbegin(), events.rend(),
                                          [](const auto &event) { return event.what.startsWith(u"CreateCall"); });
        state.SetIterationTime(created->seconds - pressed);
        call->hangUp();
        if (!QTest::qWaitFor([&] { return call->state() == PhoneCall::Ended; }, 5000)) {
            state.SkipWithError("the call was not hung up");
            return;
        }
    }
}
BENCHMARK(BM_CallKeyToCreateCall)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(40);
} // namespace
