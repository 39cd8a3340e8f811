#include "core/TelAddress.h"

#include <gtest/gtest.h>

namespace {
TEST(TelAddressTest, AnAddressBecomesTheKeypadTextOrARefusal)
{
    const std::tuple<const char *, const char *, const char *> cases[] = {
        // address, keypad text (empty: refused), words of the refusal
        {"tel:+49-30-1234567", "+49301234567", ""},
        {"TEL:+49.30.(123)4567", "+49301234567", ""},
        {"tel:+49%2030%201234567", "+49301234567", ""},
        {"tel:%2B49301234567", "+49301234567", ""},
        {"tel://+49301234567", "+49301234567", ""},
        {"tel:112", "112", ""},
        {"tel:+4930123,45", "+4930123,45", ""},
        {"tel:+49301234567;ext=1-2", "+49301234567,12", ""},
        {"tel:+49301234567;EXT=12;ext=34", "+49301234567,12", ""},
        {"tel:+49301234567;isub=1411;svc=x;ext=", "+49301234567", ""},
        {"tel:1234567;phone-context=+49-30", "+49301234567", ""},
        {"tel:+48221234567;phone-context=+49-30", "+48221234567", ""},
        {"tel:1234567;phone-context=%2B4930", "+49301234567", ""},
        {"tel:7042;phone-context=example.com", "", "local to example.com"},
        {"tel:7042;phone-context=+49-x", "", "+49-x is not a telephone number prefix"},
        {"tel:1-800-FLOWERS", "", "\"F\""},
        {"tel:*100%23", "", "\"*\""},
        {"tel:+49301234567;ext=12a", "", "\"a\""},
        {"tel:49+301234567", "", "\"+\""},
        {"tel:", "", "names no number"},
        {"tel:+--", "", "names no number"},
        {"tel:%D9%A3", "", "\"\u0663\""}, // an Arabic-Indic three: not a key of the keypad
        {"sip:anna@example.com", "", "not a tel: address"},
    };
    for (const auto &[address, text, refusal] : cases) {
        SCOPED_TRACE(address);
        const TelAddress::KeypadNumber number = TelAddress::keypadNumber(QString::fromUtf8(address));
        EXPECT_EQ(number.text, *text ? std::optional(QString::fromLatin1(text)) : std::nullopt);
        EXPECT_EQ(number.refusal.isEmpty(), !*refusal);
        EXPECT_TRUE(number.refusal.contains(QString::fromUtf8(refusal))) << number.refusal.toStdString();
    }
}
} // namespace
