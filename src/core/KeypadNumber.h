#pragma once

#include <QString>
#include <optional>

// A telephone number as someone wrote it (typed, stored in the address book or a call list, or
// handed over as a "tel:" address) read into the keys of the keypad: "0"-"9", a leading "+" and
// "," (a pause). Every road of a call reads a number this one way, so that no number is dialled
// as another.
struct KeypadNumber
{
    // The most keys a number may have: an international number has at most 15 digits (E.164),
    // which leaves room for pauses and an extension.
    static constexpr qsizetype longest = 64;

    std::optional<QString> text; // the keys; none when the number is refused
    QString refusal;             // why Farline cannot call it, for the user

    // Blanks and "-./()" are dropped; a letter becomes the digit of its key (ITU E.161: ABC 2,
    // DEF 3 ... WXYZ 9); an extension ("x", "ext" or "ext." standing as a word before digits, or
    // ";ext=") follows a pause. A "tel:" address (RFC 3966) is read from its parts: percent
    // escapes decoded, ";ext=" as above, a local number with a global ";phone-context=" dialled
    // under that prefix, other parameters left out. Refused, naming the number: "*" and "#"
    // (service codes, which only the phone's own dialler can send), a number local to a domain
    // (its digits would reach someone else on the public network), a "+" that does not lead, a
    // character no key types, more than `longest` keys, and an address without digits.
    static KeypadNumber read(const QString &written);
};
