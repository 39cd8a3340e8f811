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

// An SQLite file with bytes written over every page after the first (the schema): what a bad
// sector or a program writing into the wrong file leaves. SQLite finds it damaged.
inline QByteArray withPagesOverwritten(QByteArray file)
{
    const int sizeField = uchar(file.at(16)) << 8 | uchar(file.at(17)); // 1 stands for 65536
    const qsizetype pageSize = sizeField == 1 ? 65536 : sizeField;
    for (qsizetype page = pageSize; page < file.size(); page += pageSize) {
        for (qsizetype at = page; at < std::min(file.size(), page + 64); ++at)
            file[at] = char(0xa5 ^ (at * 31));
    }
    return file;
}
