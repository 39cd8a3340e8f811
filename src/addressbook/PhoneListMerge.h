#pragma once

#include "addressbook/AddressBook.h"

#include <functional>

// Hands each entry of a phone list to `take`, in the list's order; false when it cannot be read.
using PhoneListReader = std::function<bool(const std::function<void(const PhoneEntry &)> &take)>;

struct MergedPhoneList
{
    QList<PhoneDraft> phones;
    bool unchanged = false; // the old list exactly: the same entries in the same order
};

// The phone list of a person imported again, in the order of the new card, each entry with the
// identifier it keeps: first an entry with the same label and value as an old entry keeps that
// entry's identifier; then an entry with the same label as an old entry still unmatched takes
// that one's (a number edited in place keeps its identifier); every other entry is new (none).
// Old entries left unmatched are gone. `readOld` hands the old entries over one by one, in their
// order, and is called once for each of the two rounds: the old list is never held, and each of
// its entries is found among the new ones by a binary search. None when it could not be read.
std::optional<MergedPhoneList> mergePhoneList(const PhoneListReader &readOld, QList<PhoneDraft> incoming);

enum class MergeOutcome { Updated, Unchanged, Refused };

// A person read again from a card (an import, a sync): names replaced, numbers merged as above;
// nothing written when nothing changed. Refused when the book refused, or `interrupted`,
// asked between numbers, answered true.
MergeOutcome updateMerged(AddressBook &book, int recordID, PersonDraft &draft, const std::function<bool()> &interrupted);
