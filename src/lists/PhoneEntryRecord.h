#pragma once

#include "core/FavoriteRecord.h"

struct Person;

// The call record for one phone entry chosen in the address book (the people picker, the
// contacts browser): the person's name with the phone fallback, the label's phone type ("" for
// an entry without label), the number as stored, the person's record id and the entry's
// identifier, no start time. None when the person has no entry with that identifier.
std::optional<FavoriteRecordPtr> recordForPhoneEntry(const Person &person, int identifier);
