#include "core/KeypadNumber.h"

#include <gtest/gtest.h>
#include <string>

namespace {
struct Row
{
    const char *name;
    std::string written;
    std::string keys;
    std::string refusal; // words of the refusal; empty when the number is read
};

using KeypadNumberTest = ::testing::TestWithParam<Row>;

TEST_P(KeypadNumberTest, IsReadIntoKeysOrRefusedNamingTheNumber)
{
    const Row &r = GetParam();
    const KeypadNumber number = KeypadNumber::read(QString::fromStdString(r.written));
    EXPECT_EQ(number.text, r.refusal.empty() ? std::optional(QString::fromStdString(r.keys)) : std::nullopt);
    EXPECT_TRUE(number.refusal.contains(QString::fromStdString(r.refusal))) << number.refusal.toStdString();
    EXPECT_EQ(number.refusal.isEmpty(), r.refusal.empty());
}

const std::string sixtyFour(64, '5');
const Row rows[] = {
    // What address book entries and call lists hold.
    {"ServiceCode", "*100#", "", "Farline cannot call *100#: service codes need the phone's own dialler"},
    {"CallerIdCode", "#31#0301234567", "", "service codes"},
    {"VanityNumber", "1-800-FLOWERS", "18003569377", ""},
    {"AnXInsideAWord", "1-800-xerox", "180093769", ""},
    {"ExtensionAfterExtDot", "+49 30 12345 ext. 67", "+493012345,67", ""},
    {"ExtensionAfterX", "555-1234x 67", "5551234,67", ""},
    {"ExtensionParameter", "+4930123;ext=45", "+4930123,45", ""},
    {"LetterInAnExtension", "5551234 x6a", "", "an extension has only digits"},
    {"Separators", "+49 (30)\t123/45-67", "+49301234567", ""},
    {"PausesKept", "+4930123,,45", "+4930123,,45", ""},
    {"PlusInside", "49+301234567", "", "Farline cannot call 49+301234567: a \"+\" stands only at the start"},
    {"NoKey", "030 1234\u00df", "", "the keypad has no key for \"\u00df\""},
    {"SixtyFourKeys", sixtyFour, sixtyFour, ""},
    {"SixtyFiveKeys", sixtyFour + "5", "", "Farline cannot call 55555555555555555555555555555555\u2026: a number has at most 64"},
    // "tel:" addresses (RFC 3966), as links and stored numbers give them.
    {"Address", "TEL:+49-30.(123)4567", "+49301234567", ""},
    {"EncodedPlusAndBlanks", "tel:%2B49%2030%201234567", "+49301234567", ""},
    {"Slashes", "tel://+49301234567", "+49301234567", ""},
    {"AddressExtension", "tel:+49301234567;EXT=1-2;ext=34", "+49301234567,12", ""},
    {"OtherParametersLeftOut", "tel:+49301234567;isub=1411;svc=x;ext=", "+49301234567", ""},
    {"GlobalContext", "tel:1234567;phone-context=%2B49-30", "+49301234567", ""},
    {"GlobalNumberIgnoresContext", "tel:+48221234567;phone-context=+49-30", "+48221234567", ""},
    {"DomainContext", "tel:5551234;phone-context=example.com", "", "Farline cannot call 5551234: it is a number local to example.com"},
    {"ContextNoPrefix", "tel:7042;phone-context=+49-x", "", "+49-x is not a telephone number prefix"},
    {"AddressServiceCode", "tel:*100%23", "", "Farline cannot call *100#: service codes"},
    {"AddressWithoutDigits", "tel:+--", "", "names no number"},
    {"AddressArabicIndicDigit", "tel:%D9%A3", "", "no key for \"\u0663\""},
    {"AddressTooLong", "tel:" + sixtyFour + ";ext=1", "", "at most 64"},
};
INSTANTIATE_TEST_SUITE_P(, KeypadNumberTest, ::testing::ValuesIn(rows), [](const auto &row) { return std::string(row.param.name); });
} // namespace
