#pragma once

#include <QString>

// What the keypad's keys do to the number: plain string work on the display text, which holds
// "0"-"9", "," and "+" without grouping or length limit.
class KeypadText
{
public:
    KeypadText() = delete;

    static QString append(const QString &text, QChar key) { return text + key; }
    // An empty text stays empty.
    static QString dropLast(const QString &text) { return text.isEmpty() ? text : text.chopped(1); }
    // The long press of "0": the character just typed becomes "+".
    static QString replaceLastByPlus(const QString &text) { return dropLast(text) + u'+'; }
};
