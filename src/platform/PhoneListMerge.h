#pragma once

#include "platform/AddressBook.h"

// The phone list of a person imported again, in the order of the new card, each entry with the
// identifier it keeps: first an entry with the same label and value as an old entry keeps that
// entry's identifier; then an entry with the same label as an old entry still unmatched takes
// that one's (a number edited in place keeps its identifier); every other entry is new (none).
// Old entries left unmatched are gone.
QList<PhoneDraft> mergePhoneList(const std::optional<QList<PhoneEntry>> &old, const QList<PhoneDraft> &incoming);
