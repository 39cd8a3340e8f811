#include "core/AppSettings.h"
#include "lists/RecentViewController.h"
#include "screens/KeypadViewController.h"
#include "support/TestApp.h"

#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
using Key = KeypadViewController::Key;

// Types `keys` the way a finger does: a digit or "," is a tap on that key.
void type(KeypadViewController &keypad, const QString &keys)
{
    for (const QChar c : keys) {
        const int key = c == u',' ? Key::ButtonP : c.digitValue();
        keypad.changeGreeting(key);
        if (key == Key::Button0)
            keypad.touchButton0Up(key);
    }
}

// Plays `script`: digits and "," are taps as in type(); "z"/"Z" put a finger on "0" and lift it;
// "<" puts a finger on backspace, ">" lifts it inside the key, "x" outside; "o" is another key's
// release reported to backspace; "t" delivers the running timer's next tick at once; "v" leaves
// the tab.
void play(KeypadViewController &keypad, const char *script)
{
    for (const char *c = script; *c; ++c) {
        switch (*c) {
        case 'z': keypad.changeGreeting(Key::Button0); break;
        case 'Z': keypad.touchButton0Up(Key::Button0); break;
        case '<': keypad.changeGreeting(Key::ButtonBackspace); break;
        case '>': keypad.touchButtonBackspaceUpInside(Key::ButtonBackspace); break;
        case 'x': keypad.touchButtonBackspaceUpOutside(Key::ButtonBackspace); break;
        case 'o': keypad.touchButtonBackspaceUpInside(Key::Button1); break;
        case 'v': keypad.viewWillDisappear(); break;
        case 't':
            ASSERT_TRUE(keypad.timer()) << "no timer at " << c - script;
            QMetaObject::invokeMethod(keypad.timer(), "timeout");
            break;
        default: type(keypad, QString(QLatin1Char(*c)));
        }
    }
}

TEST(KeypadTest, KeysChangeTheDisplayAndTheStoredNumberFollowsEachTouchDown)
{
    struct Case
    {
        const char *name, *script, *display, *stored;
        bool timerRunning = false;
    };
    const Case cases[] = {
        {"every key", "1234567890,", "1234567890,", "1234567890,"},
        {"zero held turns into plus once", "12zt", "12+", "120"},
        {"the plus reaches the stored number at the next touch down", "12ztZ4", "12+4", "12+4"},
        {"zero released early stays", "zZ", "0", "0"},
        {"the plus replaces the key another finger typed", "z7t", "0+", "07"},
        {"backspace deletes at release inside", "123<>", "12", "123"},
        {"not at release outside", "123<x", "123", "123"},
        {"nor at another key's release", "123<o", "123", "123", true},
        {"a held backspace repeats after the hold and once more at release", "12345<tttt>", "1", "12345"},
        {"repeating on an empty display is harmless", "1<ttttt>", "", "1"},
        {"backspace stops the plus timer", "z<t", "0", "0", true},
        {"leaving the tab stops a held backspace", "123<ttv", "12", "123"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TestApp test;
        KeypadViewController keypad(test.app());
        keypad.loadView();
        play(keypad, c.script);
        EXPECT_EQ(keypad.display(), QLatin1String(c.display));
        EXPECT_EQ(test.app().appSettings().keypadPhoneNumber, QLatin1String(c.stored));
        EXPECT_EQ(keypad.timer() != nullptr, c.timerRunning);
    }
}

// No telephone number is longer: a full display takes no key, and "0" held there turns no key
// into "+".
TEST(KeypadTest, AFullDisplayTakesNoMoreKeys)
{
    TestApp test;
    KeypadViewController keypad(test.app());
    type(keypad, QString(64, u'5') + QStringLiteral("6,"));
    play(keypad, "z");
    EXPECT_EQ(std::tuple(keypad.display(), keypad.timer()), std::tuple(QString(64, u'5'), nullptr));
    play(keypad, "<>1");
    EXPECT_EQ(keypad.display(), QString(63, u'5') + u'1');
}

TEST(KeypadTest, OneTimerAtATime)
{
    TestApp test;
    KeypadViewController keypad(test.app());
    keypad.loadView();
    play(keypad, "z");
    const QPointer<QTimer> plus = keypad.timer();
    play(keypad, "<");
    EXPECT_TRUE(!plus || !plus->isActive());
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
    test.restart(); // the emptied number was saved at once
    test.app().loadAppSettings();
    EXPECT_EQ(test.app().appSettings().keypadPhoneNumber, u"");
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
