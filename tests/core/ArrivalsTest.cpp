// What comes to the program from outside the screens: the modem's report and "tel:" links.

#include "access/SelectCountryViewController.h"
#include "access/StartScreen.h"
#include "core/AppSettings.h"
#include "core/TabBarController.h"
#include "screens/KeypadViewController.h"
#include "support/DataFiles.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

namespace {
const QByteArray lanFile = "234 +44 20 7946 0120\r\n260 +48 22 500 00 00\r\n";
const QByteArray dialCodes = "260 48\r\n262 49\r\n234 44\r\n";

// A SIM card in the phone: the first start offers its country (widening the wheel when it has no
// access numbers), without pressing Start; a choice of the user's own stays.
TEST(ArrivalsTest, TheModemsSimCountryIsOfferedAtTheFirstStart)
{
    const std::tuple<const char *, const char *, int> cases[] = {
        // SIM card, wheel already turned to (0: nothing), the country then chosen
        {"260", "", 260}, {"262", "", 262}, {"260", "234", 234}, {"999", "", -1}};
    for (const auto &[sim, turned, chosen] : cases) {
        SCOPED_TRACE(std::string(sim) + " " + turned);
        TestApp test;
        test.writeDocument(QStringLiteral("LANFile.txt"), sealedDataFile(lanFile));
        test.app().applicationDidFinishLaunching();
        StartScreen &screen = *test.app().startScreen();
        if (*turned)
            screen.didSelectRow(screen.countries()->rowForKey(QLatin1String(turned)));
        test.app().setModemReport({QLatin1String(sim), QLatin1String(sim)});
        const auto country = screen.countries()->entry(screen.selectedRow());
        EXPECT_EQ(country ? country->key : QStringLiteral("-1"), QString::number(chosen));
        EXPECT_EQ(screen.startEnabled(), chosen != -1);
        EXPECT_EQ(test.app().appSettings().currentMCC, u"-1"); // only "Start" stores it
    }
}

// Later, a SIM card of another country is marked on the SIM country screen, and abroad the keypad
// says the phone is roaming.
TEST(ArrivalsTest, AnotherSimCardIsMarkedAndRoamingIsSaid)
{
    TestApp test;
    test.launch(lanFile, dialCodes, QStringLiteral("260"));
    SelectCountryViewController screen(test.app());
    screen.loadView();
    KeypadViewController &keypad = test.app().keypadViewController();
    keypad.typeNumber(QStringLiteral("+4930901820"));
    EXPECT_EQ(screen.modemIndex(), -1);
    EXPECT_EQ(keypad.routeText(), u"Via access number +48225000000");

    test.app().setModemReport({QStringLiteral("260"), QStringLiteral("262")});
    EXPECT_EQ(screen.modemIndex(), -1); // the stored country's own card
    EXPECT_EQ(keypad.routeText(), u"Via access number +48225000000 · roaming in Germany");

    test.app().setModemReport({QStringLiteral("234"), QStringLiteral("234")});
    ASSERT_GE(screen.modemIndex(), 0);
    EXPECT_EQ(screen.countries()->entry(screen.modemIndex())->key, u"234");
    EXPECT_EQ(keypad.routeText(), u"Via access number +48225000000");
}

// A tapped "tel:" link shows on the keypad ready to call; one the keypad cannot type is refused.
TEST(ArrivalsTest, ATelLinkIsTypedOnTheKeypadOrRefused)
{
    TestApp test;
    test.launch(lanFile, dialCodes, QStringLiteral("260"));
    test.app().tbarController().didSelectTab(TabBarController::SettingsTab);
    test.app().openTelAddress(QStringLiteral("tel:+49-30-901820"));
    EXPECT_EQ(test.app().keypadViewController().display(), u"+4930901820");
    EXPECT_EQ(test.app().tbarController().selectedIndex(), TabBarController::KeypadTab);
    EXPECT_TRUE(test.alertMessages().isEmpty());

    test.app().openTelAddress(QStringLiteral("tel:*100#"));
    EXPECT_EQ(test.app().keypadViewController().display(), u"+4930901820");
    EXPECT_EQ(test.alertMessages().size(), 1);

    // No telephone number is that long: refused at once, before anything is typed.
    test.app().openTelAddress(QStringLiteral("tel:") + QString(5000, u'5'));
    EXPECT_EQ(test.app().keypadViewController().display(), u"+4930901820");
    ASSERT_EQ(test.alertMessages().size(), 2);
    EXPECT_TRUE(test.alertMessages()[1].endsWith(u": a number has at most 64 characters")) << test.alertMessages()[1].toStdString();
}
} // namespace
