#pragma once

#include "addressbook/AddressBook.h"
#include "addressbook/VCardReader.h"

#include <functional>
#include <memory>
#include <variant>

// What the address book takes from one card: the names, the organisation, the numbers with
// their labels, and what tells the same person again on a later import.
struct VCardContact
{
    int line = 0;
    std::optional<QString> uid;
    std::optional<QString> revision; // REV: when the card last changed
    QString fullName; // FN, or the name parts joined when the card has no FN
    PersonDraft person;

    // "uid:" + UID; without UID, the full name and the organisation (and, for a card with
    // neither, its numbers, so that unnamed cards with different numbers stay apart).
    QString importKey() const;

    // The address book label for the TYPE values of a TEL (PREF and VOICE aside); none
    // without any.
    static std::optional<QString> labelForTypes(const QList<QByteArray> &types);
};

// Turns the cards a VCardReader finds into contacts, each as its card ends, keeping of a card
// only what its contact needs. The contact of a card: N gives last; first; middle (an empty part
// is absent), ORG's first part the organisation, FN the first name when there is neither. Every
// TEL gives one number, labelled from its item group's X-ABLabel or else by its TYPE. A card
// whose contact cannot be taken gives the reason instead: a property it needs cannot be read,
// it has nothing to call, or it has no END:VCARD.
class VCardContactReader final : public VCardHandler
{
public:
    using Card = std::variant<VCardContact, VCardProblem>;

    explicit VCardContactReader(std::function<void(Card &&)> take);
    ~VCardContactReader() override;

    void beginCard(int line) override;
    void property(const VCardProperty &property) override;
    void endCard() override;
    void cardWithoutEnd(int line) override;

private:
    struct OpenCard;
    std::function<void(Card &&)> m_take;
    std::unique_ptr<OpenCard> m_open;
};
