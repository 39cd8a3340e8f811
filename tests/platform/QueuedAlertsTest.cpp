#include "platform/QueuedAlerts.h"

#include <gtest/gtest.h>

namespace {
// Alerts wait their turn; an answer closes the one shown, runs its answer, and shows the next,
// also one its own answer raised.
TEST(QueuedAlertsTest, OneAtATimeInOrderEachAnsweredWithTheTappedButton)
{
    QueuedAlerts alerts;
    QStringList answers;
    alerts.show("Farline", "first", {"Cancel", "Update"}, [&](int button) {
        answers.append(QStringLiteral("first %1").arg(button));
        alerts.show("Farline", "raised", {}, {});
    });
    alerts.showActionSheet({"Clear All Recents", "Cancel"}, 0, 1,
                           [&](int button) { answers.append(QStringLiteral("sheet %1").arg(button)); });
    EXPECT_EQ(alerts.message(), u"first");

    alerts.answer(2); // no such button: nothing happens
    EXPECT_EQ(alerts.message(), u"first");
    alerts.answer(1);
    EXPECT_TRUE(alerts.actionSheet());
    EXPECT_EQ(alerts.cancelButton(), 1);
    alerts.answer(0);
    EXPECT_EQ(alerts.message(), u"raised");
    EXPECT_EQ(alerts.buttons(), QStringList{"OK"});
    alerts.answer(0);
    EXPECT_FALSE(alerts.showing());
    EXPECT_EQ(answers, (QStringList{"first 1", "sheet 0"}));

    // Once the window has closed, the alerts left are said as text, none answered.
    alerts.show("Farline", "unsaved", {}, [&](int) { answers.append("late"); });
    alerts.showActionSheet({"Clear All Recents", "Cancel"}, 0, 1, {});
    EXPECT_EQ(alerts.takeWaiting(), QStringList{"Farline: unsaved"});
    EXPECT_FALSE(alerts.showing());
    EXPECT_EQ(answers.size(), 2);
}
} // namespace
