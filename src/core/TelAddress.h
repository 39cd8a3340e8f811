#pragma once

#include "core/KeypadNumber.h"

// A "tel:" address (RFC 3966), as a link or another application hands it over.
class TelAddress
{
public:
    TelAddress() = delete;

    // Whether `text` is written as a "tel:" address (the scheme in any case).
    static bool isTelAddress(const QString &text);

    // What the keypad shows for a handed-over `address`, read as KeypadNumber reads every
    // number; refused besides when it is no "tel:" address.
    static KeypadNumber keypadNumber(const QString &address);
};
