// Reads any bytes as vCard text and takes every card as the import would: once whole and once in
// pieces of a size the first byte chooses, which must read the same.
#include "addressbook/PhoneListMerge.h"
#include "addressbook/VCardContact.h"
#include "addressbook/VCardReader.h"

#include <cstdint>
#include <cstdlib>

namespace {
QList<VCardContactReader::Card> cardsOf(QByteArrayView bytes, qsizetype pieceSize)
{
    QList<VCardContactReader::Card> cards;
    VCardContactReader contacts([&](VCardContactReader::Card &&card) { cards.append(std::move(card)); });
    VCardReader reader(contacts);
    for (qsizetype at = 0; at < bytes.size(); at += pieceSize)
        reader.read(bytes.sliced(at, std::min(pieceSize, bytes.size() - at)));
    reader.finish();
    return cards;
}

QString described(const VCardContactReader::Card &card)
{
    if (const auto *problem = std::get_if<VCardProblem>(&card))
        return QStringLiteral("%1: %2").arg(problem->line).arg(problem->message);
    const VCardContact &contact = std::get<VCardContact>(card);
    const PersonDraft &person = contact.person;
    QStringList parts = {QString::number(contact.line), contact.importKey()};
    for (const auto &part : {person.firstName, person.middleName, person.lastName, person.organization})
        parts.append(part ? u'+' + *part : QStringLiteral("-"));
    for (const PhoneDraft &phone : person.phones)
        parts.append((phone.label ? u'+' + *phone.label : QStringLiteral("-")) + u':' + phone.value);
    return parts.join(u'\n');
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<VCardContactReader::Card> cards = cardsOf(bytes, std::max<qsizetype>(1, bytes.size()));
    const QList<VCardContactReader::Card> pieces = cardsOf(bytes, size > 0 ? 1 + data[0] % 17 : 1);
    if (cards.size() != pieces.size())
        std::abort();
    for (qsizetype i = 0; i < cards.size(); ++i) {
        if (described(cards[i]) != described(pieces[i]))
            std::abort();
    }

    QList<PhoneEntry> previous;
    int next = 0; // identifiers for new entries, as the address book hands them out
    for (const VCardContactReader::Card &card : cards) {
        const auto *contact = std::get_if<VCardContact>(&card);
        if (!contact)
            continue;
        // Merging with the numbers of the card before must keep every new entry, in order,
        // hand out each old identifier at most once, and tell an unchanged list.
        const auto readPrevious = [&](const std::function<void(const PhoneEntry &)> &take) {
            for (const PhoneEntry &entry : previous)
                take(entry);
            return true;
        };
        const auto result = mergePhoneList(readPrevious, contact->person.phones);
        const QList<PhoneDraft> &merged = result->phones;
        if (merged.size() != contact->person.phones.size())
            std::abort();
        QList<int> used;
        QList<PhoneEntry> entries;
        for (qsizetype i = 0; i < merged.size(); ++i) {
            if (merged[i].value != contact->person.phones[i].value)
                std::abort();
            if (merged[i].identifier) {
                if (used.contains(*merged[i].identifier))
                    std::abort();
                used.append(*merged[i].identifier);
            }
            entries.append(PhoneEntry{merged[i].identifier.value_or(next++), merged[i].label, merged[i].value});
        }
        // Unchanged is exactly the list before, new entries having fresh identifiers.
        if (result->unchanged != (entries == previous))
            std::abort();
        previous = entries;
    }
    return 0;
}
