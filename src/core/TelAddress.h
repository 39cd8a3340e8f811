#pragma once

#include <QString>
#include <optional>

// A "tel:" address (RFC 3966), as a link or another application hands it over, read into the
// text the keypad would show for it: "0"-"9", a leading "+" and "," (a pause).
class TelAddress
{
public:
    TelAddress() = delete;

    // Whether `text` is written as a "tel:" address (the scheme in any case).
    static bool isTelAddress(const QString &text);

    struct KeypadNumber
    {
        std::optional<QString> text; // what the keypad shows; none when the address is refused
        QString refusal;             // why the keypad cannot type it, for the user
    };

    // Visual separators ("-", ".", "(", ")") and blanks are dropped, percent-encoded ones too.
    // ";ext=" becomes a pause and the extension. A local number in the context of a global
    // prefix (";phone-context=+49-30") is dialled under that prefix; one local to a domain is
    // refused: its digits would reach someone else on the public network. ";isub=" and unknown
    // parameters are left out. Letters, "*", "#" and an address without digits are refused.
    static KeypadNumber keypadNumber(const QString &address);
};
