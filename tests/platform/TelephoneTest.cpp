#include "platform/Telephone.h"
#include "support/TelHandler.h"

#include <QUrl>
#include <gtest/gtest.h>

namespace {
TEST(TelephoneTest, TheSystemTelephoneCallsThroughTheRegisteredTelHandler)
{
    const QUrl dialAddress(QStringLiteral("tel:+48221234567,0049301234567"));
    const std::tuple<const char *, bool, int, bool, bool> cases[] = { // handler, registered, its exit code, can call, accepted
        {"registered", true, 0, true, true},
        {"none registered", false, 0, false, false},
        {"failing handler", true, 3, true, false},
    };
    for (const auto &[name, registered, exitCode, canCall, accepted] : cases) {
        SCOPED_TRACE(name);
        const TelHandler handler(registered, {.exitCode = exitCode});
        const ScopedEnvironment environment(handler.environment());
        const auto telephone = Telephone::create(QStringLiteral("system"));
        EXPECT_EQ(telephone->canPlaceCalls(), canCall);
        EXPECT_EQ(telephone->open(dialAddress), accepted);
        EXPECT_EQ(handler.addresses(), registered ? QStringList{dialAddress.toString()} : QStringList());
    }
}
} // namespace
