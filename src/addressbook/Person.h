#pragma once

#include <QList>
#include <QString>
#include <optional>

// One number of a person's phone list. The identifier is counted from 0 within the person and
// stays with the entry for good, whatever happens to the other entries; it is never reused.
struct PhoneEntry
{
    int identifier = 0;
    std::optional<QString> label; // "_$!<Mobile>!$_" for a predefined kind, bare for the user's own
    QString value;                // as written, with its formatting

    friend bool operator==(const PhoneEntry &, const PhoneEntry &) = default;
};

// A person of the address book. A name part is absent when the address book has no value for
// it; an empty text is present. A person without any number has no phone list at all.
struct Person
{
    int recordID = 0; // positive, never changes, never reused
    std::optional<QString> firstName;
    std::optional<QString> middleName;
    std::optional<QString> lastName;
    std::optional<QString> organization;
    std::optional<QList<PhoneEntry>> phones;

    // The position of the entry with `identifier` in the phone list; -1 when it is gone.
    int indexForIdentifier(int identifier) const;

    friend bool operator==(const Person &, const Person &) = default;
};

// A person as a list of every person needs it, without the phone list: the names, and for a
// person with neither a name nor an organisation (each absent or empty), who is shown by it,
// the first number.
struct PersonSummary
{
    int recordID = 0;
    std::optional<QString> firstName;
    std::optional<QString> middleName;
    std::optional<QString> lastName;
    std::optional<QString> organization;
    std::optional<QString> firstNumber; // none for a person with a name or without numbers

    friend bool operator==(const PersonSummary &, const PersonSummary &) = default;
};
