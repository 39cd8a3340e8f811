#pragma once

#include "platform/AddressBook.h"
#include "platform/VCardReader.h"

#include <variant>

// What the address book takes from one card: the names, the organisation, the numbers with
// their labels, and what tells the same person again on a later import.
struct VCardContact
{
    int line = 0;
    std::optional<QString> uid;
    QString fullName; // FN, or the name parts joined when the card has no FN
    PersonDraft person;

    // "uid:" + UID; without UID, the full name and the organisation (and, for a card with
    // neither, its numbers, so that unnamed cards with different numbers stay apart).
    QString importKey() const;

    // The contact of a card: N gives last; first; middle (an empty part is absent), ORG's first
    // part the organisation, FN the first name when there is neither. Every TEL gives one
    // number, labelled from its item group's X-ABLabel or else by its TYPE. None, with the
    // reason, when a property it needs cannot be read or the card has nothing to call.
    static std::variant<VCardContact, VCardProblem> fromCard(const VCard &card);

    // The address book label for the TYPE values of a TEL (PREF and VOICE aside); none
    // without any.
    static std::optional<QString> labelForTypes(const QList<QByteArray> &types);
};
