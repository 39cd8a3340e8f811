#pragma once

#include "addressbook/AddressBook.h"

// Numbers and persons as an address book takes them; what is not given is absent.
using Text = std::optional<QString>;

inline PhoneDraft phone(const char *value, Text label = {}, std::optional<int> identifier = {})
{
    return PhoneDraft{identifier, std::move(label), QString::fromUtf8(value)};
}

// Every person of `book`, in the order they were added.
inline QList<Person> everyone(const AddressBook &book)
{
    QList<Person> people;
    for (const PersonSummary &summary : book.peopleSummaries())
        people.append(*book.personWithRecordID(summary.recordID));
    return people;
}

inline PersonDraft draft(Text first, Text last = {}, Text organization = {}, QList<PhoneDraft> phones = {}, Text middle = {})
{
    return PersonDraft{std::move(first), std::move(middle), std::move(last), std::move(organization), std::move(phones)};
}
