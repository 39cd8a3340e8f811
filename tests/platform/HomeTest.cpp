#include "platform/Home.h"

#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {
TEST(HomeTest, TheOptionWinsOverTheEnvironmentWhichWinsOverTheUserDataFolder)
{
    qputenv("FARLINE_HOME", "/from/environment");
    EXPECT_EQ(Home::resolve(QStringLiteral("/from/option")).dir(), u"/from/option");
    EXPECT_EQ(Home::resolve(std::nullopt).dir(), u"/from/environment");
    EXPECT_EQ(Home::resolve(QString()).dir(), u"/from/environment");
    qunsetenv("FARLINE_HOME");
    EXPECT_EQ(Home::resolve(std::nullopt).dir(),
              QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}
} // namespace
