#include "platform/Telephone.h"
#include "support/TelHandler.h"

#include <QUrl>
#include <gtest/gtest.h>

namespace {
const QUrl dialAddress(QStringLiteral("tel:+48221234567,0049301234567"));

TEST(TelephoneTest, TheTestBackendsAnswerAsNamed)
{
    struct Case
    {
        const char *name;
        bool canCall, accepts;
    };
    for (const Case &c : {Case{"print", true, true}, Case{"unsupported", false, false}, Case{"refuse", true, false}}) {
        SCOPED_TRACE(c.name);
        const auto telephone = Telephone::create(QLatin1String(c.name));
        ASSERT_TRUE(telephone);
        EXPECT_EQ(telephone->canPlaceCalls(), c.canCall);
        EXPECT_EQ(telephone->open(dialAddress), c.accepts);
    }
    for (const char *unknown : {"", "System", "sip", "print "})
        EXPECT_FALSE(Telephone::create(QLatin1String(unknown))) << unknown;
}

TEST(TelephoneTest, TheSystemTelephoneCallsThroughTheRegisteredTelHandler)
{
    const TelHandler handler;
    const ScopedEnvironment environment(handler.environment());
    const auto telephone = Telephone::create(QStringLiteral("system"));
    EXPECT_TRUE(telephone->canPlaceCalls());
    EXPECT_TRUE(telephone->open(dialAddress));
    EXPECT_EQ(handler.addresses(), QStringList{dialAddress.toString()});
}

TEST(TelephoneTest, WithoutATelHandlerTheSystemCannotCall)
{
    const TelHandler none(false);
    const ScopedEnvironment environment(none.environment());
    const auto telephone = Telephone::create(QStringLiteral("system"));
    EXPECT_FALSE(telephone->canPlaceCalls());
    EXPECT_FALSE(telephone->open(dialAddress));
}

TEST(TelephoneTest, AHandlerThatFailsRefusesTheCall)
{
    const TelHandler failing(true, {.exitCode = 3});
    const ScopedEnvironment environment(failing.environment());
    EXPECT_FALSE(Telephone::create(QStringLiteral("system"))->open(dialAddress));
    EXPECT_EQ(failing.addresses().size(), 1);
}
} // namespace
