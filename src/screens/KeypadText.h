#pragma once

#include "core/KeypadNumber.h"

// What the keypad's keys do to the number: plain string work on the display text, which holds
// "0"-"9", "," and "+" without grouping.
class KeypadText
{
public:
    KeypadText() = delete;

    // A full display takes no more keys: no telephone number is that long.
    static QString append(const QString &text, QChar key)
    {
        return text.size() < KeypadNumber::longest ? text + key : text;
    }
    // An empty text stays empty.
    static QString dropLast(const QString &text) { return text.isEmpty() ? text : text.chopped(1); }
    // The long press of "0": the character just typed becomes "+".
    static QString replaceLastByPlus(const QString &text) { return dropLast(text) + u'+'; }
};
