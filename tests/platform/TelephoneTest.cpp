#include "platform/Telephone.h"
#include "support/TelHandler.h"

#include <QUrl>
#include <gtest/gtest.h>

namespace {
TEST(TelephoneTest, TheSystemTelephoneCallsThroughTheRegisteredTelHandler)
{
    const QUrl dialAddress(QStringLiteral("tel:+48221234567,0049301234567"));
    struct Case
    {
        const char *name;
        bool registered;
        int exitCode;
        bool canCall, accepted;
    };
    const Case cases[] = {
        {"registered", true, 0, true, true},
        {"none registered", false, 0, false, false},
        {"failing handler", true, 3, true, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const TelHandler handler(c.registered, {.exitCode = c.exitCode});
        const ScopedEnvironment environment(handler.environment());
        const auto telephone = Telephone::create(QStringLiteral("system"));
        EXPECT_EQ(telephone->canPlaceCalls(), c.canCall);
        EXPECT_EQ(telephone->open(dialAddress), c.accepted);
        EXPECT_EQ(handler.addresses(), c.registered ? QStringList{dialAddress.toString()} : QStringList());
    }
}
} // namespace
