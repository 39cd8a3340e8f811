#include "core/AppSettings.h"
#include "lists/RecentViewController.h"
#include "screens/KeypadViewController.h"
#include "support/TestApp.h"

#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
using Key = KeypadViewController::Key;

// Delivers the running key timer's next tick at once.
void fire(KeypadViewController &keypad, int ticks = 1)
{
    ASSERT_TRUE(keypad.timer());
    for (int tick = 0; tick < ticks; ++tick)
        QMetaObject::invokeMethod(keypad.timer(), "timeout");
}

void type(KeypadViewController &keypad, const QString &keys)
{
    for (const QChar c : keys) {
        const int key = c == u',' ? Key::ButtonP : c.digitValue();
        keypad.changeGreeting(key);
        if (key == Key::Button0)
            keypad.touchButton0Up(key);
    }
}

class KeypadTest : public ::testing::Test
{
protected:
    KeypadTest() { keypad.loadView(); }
    const QString &stored() { return test.app().appSettings().keypadPhoneNumber; }
    TestApp test;
    KeypadViewController keypad{test.app()};
};

TEST_F(KeypadTest, TypedKeysAppendAndTheStoredNumberFollowsEachTouchDown)
{
    QString expected;
    for (const QChar c : QStringLiteral("0123456789,")) {
        type(keypad, c);
        expected += c;
        EXPECT_EQ(keypad.display(), expected);
        EXPECT_EQ(stored(), expected);
    }
}

TEST_F(KeypadTest, HoldingZeroTurnsItIntoPlusOnce)
{
    type(keypad, QStringLiteral("12"));
    keypad.changeGreeting(Key::Button0);
    ASSERT_TRUE(keypad.timer());
    EXPECT_EQ(keypad.timer()->interval(), 1200);
    fire(keypad);
    EXPECT_EQ(keypad.display(), u"12+");
    EXPECT_EQ(keypad.timer(), nullptr);
    keypad.touchButton0Up(Key::Button0);
    EXPECT_EQ(keypad.display(), u"12+");
    // The stored number catches up at the next touch down only.
    EXPECT_EQ(stored(), u"120");
    type(keypad, QStringLiteral("4"));
    EXPECT_EQ(stored(), u"12+4");

    // Released early, the zero stays.
    keypad.changeGreeting(Key::Button0);
    keypad.touchButton0Up(Key::Button0);
    EXPECT_EQ(keypad.timer(), nullptr);
    EXPECT_EQ(keypad.display(), u"12+40");
    // The plus replaces whatever was typed last while zero is held, here with another finger.
    keypad.changeGreeting(Key::Button0);
    keypad.changeGreeting(Key::Button7);
    fire(keypad);
    EXPECT_EQ(keypad.display(), u"12+400+");
}

TEST_F(KeypadTest, BackspaceDeletesAtReleaseInsideAndRepeatsWhenHeld)
{
    type(keypad, QStringLiteral("12345678901234567890"));
    keypad.changeGreeting(Key::ButtonBackspace);
    EXPECT_EQ(keypad.display().size(), 20);
    keypad.touchButtonBackspaceUpOutside(Key::ButtonBackspace);
    EXPECT_EQ(keypad.display().size(), 20);
    EXPECT_EQ(keypad.timer(), nullptr);
    keypad.changeGreeting(Key::ButtonBackspace);
    keypad.touchButtonBackspaceUpInside(Key::ButtonBackspace);
    EXPECT_EQ(keypad.display(), u"1234567890123456789");
    EXPECT_EQ(stored().size(), 20);
    keypad.touchButtonBackspaceUpInside(Key::Button1); // not a backspace release
    EXPECT_EQ(keypad.display().size(), 19);

    keypad.changeGreeting(Key::ButtonBackspace);
    EXPECT_EQ(keypad.timer()->interval(), 700);
    fire(keypad); // the hold is detected: the repeat starts
    EXPECT_EQ(keypad.timer()->interval(), 90);
    EXPECT_EQ(keypad.display().size(), 19);
    fire(keypad, 3);
    EXPECT_EQ(keypad.display().size(), 16);
    keypad.touchButtonBackspaceUpInside(Key::ButtonBackspace);
    EXPECT_EQ(keypad.display(), u"123456789012345");
    EXPECT_EQ(keypad.timer(), nullptr);

    // Repeating on an empty display is harmless.
    keypad.changeGreeting(Key::ButtonBackspace);
    fire(keypad, 25);
    EXPECT_EQ(keypad.display(), u"");
    keypad.touchButtonBackspaceUpInside(Key::ButtonBackspace);
    EXPECT_EQ(keypad.display(), u"");
}

TEST_F(KeypadTest, AtMostOneTimerRunsAndLeavingTheScreenStopsIt)
{
    keypad.changeGreeting(Key::Button0);
    const QPointer<QTimer> plus = keypad.timer();
    keypad.changeGreeting(Key::ButtonBackspace); // the plus timer is stopped first
    EXPECT_TRUE(!plus || !plus->isActive());
    fire(keypad);
    EXPECT_EQ(keypad.display(), u"0");
    keypad.viewWillDisappear();
    EXPECT_EQ(keypad.timer(), nullptr);
}

TEST(KeypadTimersTest, TheTimersRunOnTheEventLoop)
{
    TestApp test;
    KeypadViewController keypad(test.app(), {.plusMs = 30, .backspaceHoldMs = 20, .backspaceRepeatMs = 5});
    keypad.loadView();
    keypad.changeGreeting(KeypadViewController::Button0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return keypad.display() == u"+"; }, 2000));
    QTest::qWait(100); // held on: still one "+"
    EXPECT_EQ(keypad.display(), u"+");
    keypad.touchButton0Up(KeypadViewController::Button0);

    type(keypad, QStringLiteral("123456"));
    keypad.changeGreeting(KeypadViewController::ButtonBackspace);
    ASSERT_TRUE(QTest::qWaitFor([&] { return keypad.display().size() <= 3; }, 2000));
    keypad.viewWillDisappear(); // leaving the tab while backspace is held stops the repetition
    const QString left = keypad.display();
    QTest::qWait(50);
    EXPECT_EQ(keypad.display(), left);
}

TEST(KeypadCallTest, TheCallKeyHandsATypedRecordToCallPlacementAndEmptiesTheStoredNumber)
{
    TestApp test;
    test.app().appSettings().keypadPhoneNumber = QStringLiteral("2212"); // from the last run
    test.launch("260 +48 22 123 45 67\r\n", "260 48\r\n", QStringLiteral("260"));
    KeypadViewController &keypad = test.app().keypadViewController();
    keypad.loadView();
    EXPECT_EQ(keypad.display(), u"2212");
    EXPECT_TRUE(keypad.callEnabled());
    type(keypad, QStringLiteral("34567"));
    keypad.initiateCall();

    EXPECT_EQ(test.telephone().opened, QStringList{"tel:+48221234567,221234567"});
    const auto &recents = test.app().recentViewController().recentArray();
    ASSERT_EQ(recents.size(), 1);
    EXPECT_EQ(QStringList({recents[0]->phoneNumber, recents[0]->displayName, recents[0]->phoneType}),
              (QStringList{"221234567", "221234567", "unknown"}));
    EXPECT_EQ(recents[0]->contactID, -1);
    EXPECT_EQ(keypad.display(), u"221234567"); // still shown
    EXPECT_EQ(test.app().appSettings().keypadPhoneNumber, u"");

    test.restart(); // the stored, emptied number was saved: a fresh keypad starts empty
    test.app().applicationDidFinishLaunching();
    test.app().keypadViewController().loadView();
    EXPECT_EQ(test.app().keypadViewController().display(), u"");
}

TEST(KeypadCallTest, AnEmptyDisplayCallsNothingAndAHandsetWithoutTelephonyDisablesTheCallKey)
{
    TestApp test;
    test.telephone().canCall = false;
    test.launch("260 +48 22 123 45 67\r\n", "260 48\r\n", QStringLiteral("260"));
    KeypadViewController &keypad = test.app().keypadViewController();
    keypad.loadView();
    EXPECT_FALSE(keypad.callEnabled());
    keypad.initiateCall();
    EXPECT_TRUE(test.alerts().shown().empty());
    EXPECT_TRUE(test.telephone().opened.isEmpty());
}
} // namespace
