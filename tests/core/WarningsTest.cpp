#include "core/CommonOperations.h"
#include "platform/Alerts.h"

#include <gtest/gtest.h>

namespace {
TEST(WarningsTest, EachWarningShowsItsTextWithOneOkButton)
{
    const std::pair<std::function<void(Alerts &)>, QString> cases[] = {
        {CommonOperations::showSIMCountryWarning,
         QStringLiteral("There is no Farline access numbers for your SIM country")},
        {CommonOperations::showNoAvaliableNumberWarning,
         QStringLiteral("There is no Farline access number available")},
        {CommonOperations::deviceDoesNotSupportsCall,
         QStringLiteral("You device does not support telephony functions")},
        {[](Alerts &alerts) { CommonOperations::CountryNotInLanFileWarning(alerts, QStringLiteral("Côte d'Ivoire ")); },
         QStringLiteral("Farline does not offer calls from Côte d'Ivoire  yet. For more information visit "
                        "our website at https://www.farline.example/")},
        {[](Alerts &alerts) { CommonOperations::CountryNotInLanFileWarning(alerts, QString()); },
         QStringLiteral("Farline does not offer calls from  yet. For more information visit our website "
                        "at https://www.farline.example/")},
        {[](Alerts &alerts) { CommonOperations::CountryNotInLanFileWarning(alerts, QStringLiteral("%1 %2")); },
         QStringLiteral("Farline does not offer calls from %1 %2 yet. For more information visit our website "
                        "at https://www.farline.example/")},
    };
    for (const auto &[show, message] : cases) {
        SCOPED_TRACE(message.toStdString());
        RecordingAlerts alerts;
        show(alerts);
        ASSERT_EQ(alerts.shown().size(), 1u);
        EXPECT_EQ(alerts.shown()[0].title, u"Farline");
        EXPECT_EQ(alerts.shown()[0].message, message);
        EXPECT_EQ(alerts.shown()[0].buttons, QStringList{QStringLiteral("OK")});
        EXPECT_TRUE(alerts.tap(0)); // closing it has no effect besides closing it
    }
}
} // namespace
