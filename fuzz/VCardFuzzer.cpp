// Reads any bytes as vCard text and takes every card as the import would.
#include "platform/PhoneListMerge.h"
#include "platform/VCardContact.h"
#include "platform/VCardReader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const VCardFile file = VCardReader::read(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    QList<PhoneEntry> previous;
    int next = 0; // identifiers for new entries, as the address book hands them out
    for (const VCard &card : file.cards) {
        const auto read = VCardContact::fromCard(card);
        const auto *contact = std::get_if<VCardContact>(&read);
        if (!contact)
            continue;
        (void)contact->importKey();
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
