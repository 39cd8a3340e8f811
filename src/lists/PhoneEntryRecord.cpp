#include "lists/PhoneEntryRecord.h"

#include "core/CommonOperations.h"
#include "addressbook/Person.h"

std::optional<FavoriteRecordPtr> recordForPhoneEntry(const Person &person, int identifier)
{
    const int index = person.indexForIdentifier(identifier);
    if (index < 0)
        return std::nullopt;
    const PhoneEntry &entry = person.phones->at(index);
    auto record = std::make_shared<FavoriteRecord>();
    record->displayName = CommonOperations::getName(person, true).value_or(QString());
    record->phoneType = entry.label ? FavoriteRecord::phoneTypeFromLabel(*entry.label) : QString();
    record->phoneNumber = entry.value;
    record->identifier = identifier;
    record->contactID = person.recordID;
    record->startTime.reset();
    return record;
}
