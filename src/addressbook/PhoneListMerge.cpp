#include "addressbook/PhoneListMerge.h"

#include <algorithm>
#include <vector>

namespace {
// The new entries a round can still match, sorted by what an old entry must share with them
// (the label, in the first round the value too) and then by position, with the count already
// matched of each run of equals.
class Candidates
{
public:
    Candidates(const QList<PhoneDraft> &phones, bool sameValue)
        : m_phones(phones)
        , m_sameValue(sameValue)
    {
        m_order.reserve(size_t(phones.size()));
        for (qsizetype i = 0; i < phones.size(); ++i) {
            if (!phones[i].identifier)
                m_order.push_back(quint32(i));
        }
        std::stable_sort(m_order.begin(), m_order.end(), [this](quint32 a, quint32 b) {
            return compare(m_phones[a], m_phones[b].label, m_phones[b].value) < 0;
        });
        m_matched.assign(m_order.size(), 0);
    }

    // The position of the first new entry that `old` matches and no old entry matched before.
    std::optional<qsizetype> takeFirst(const PhoneEntry &old)
    {
        const auto run = std::lower_bound(m_order.begin(), m_order.end(), old, [this](quint32 index, const PhoneEntry &entry) {
            return compare(m_phones[index], entry.label, entry.value) < 0;
        });
        const size_t start = size_t(run - m_order.begin());
        const size_t at = start + (start < m_order.size() ? m_matched[start] : 0);
        if (at >= m_order.size() || compare(m_phones[m_order[at]], old.label, old.value) != 0)
            return std::nullopt;
        ++m_matched[start];
        return m_order[at];
    }

private:
    int compare(const PhoneDraft &phone, const std::optional<QString> &label, const QString &value) const
    {
        if (phone.label != label)
            return phone.label < label ? -1 : 1;
        return m_sameValue ? phone.value.compare(value) : 0;
    }

    const QList<PhoneDraft> &m_phones;
    const bool m_sameValue;
    std::vector<quint32> m_order;
    std::vector<quint32> m_matched; // at the first of each run
};
} // namespace

std::optional<MergedPhoneList> mergePhoneList(const PhoneListReader &readOld, QList<PhoneDraft> incoming)
{
    for (PhoneDraft &draft : incoming)
        draft.identifier.reset();
    std::vector<bool> taken; // the old entries the first round matched, by position
    bool inPlace = true;     // each of them matched the new entry at its own position
    {
        Candidates sameEntries(incoming, true);
        const bool read = readOld([&](const PhoneEntry &entry) {
            const auto match = sameEntries.takeFirst(entry);
            inPlace = inPlace && match == qsizetype(taken.size());
            taken.push_back(match.has_value());
            if (match)
                incoming[*match].identifier = entry.identifier;
        });
        if (!read)
            return std::nullopt;
    }

    Candidates sameLabels(incoming, false);
    size_t position = 0;
    const bool readAgain = readOld([&](const PhoneEntry &entry) {
        if (position < taken.size() && taken[position++])
            return;
        if (const auto match = sameLabels.takeFirst(entry))
            incoming[*match].identifier = entry.identifier;
    });
    if (!readAgain)
        return std::nullopt;
    const bool unchanged = inPlace && taken.size() == size_t(incoming.size());
    return MergedPhoneList{std::move(incoming), unchanged};
}

MergeOutcome updateMerged(AddressBook &book, int recordID, PersonDraft &draft, const std::function<bool()> &interrupted)
{
    const std::optional<Person> old = book.personNamesWithRecordID(recordID);
    const auto readOld = [&](const std::function<void(const PhoneEntry &)> &take) {
        return book.readPhones(recordID, [&](const PhoneEntry &entry) {
            take(entry);
            return !(interrupted && interrupted());
        });
    };
    auto merged = mergePhoneList(readOld, std::move(draft.phones));
    if (!merged)
        return MergeOutcome::Refused;
    draft.phones = std::move(merged->phones);
    if (merged->unchanged && old && old->firstName == draft.firstName && old->middleName == draft.middleName
        && old->lastName == draft.lastName && old->organization == draft.organization)
        return MergeOutcome::Unchanged;
    return book.updatePerson(recordID, draft, interrupted) ? MergeOutcome::Updated : MergeOutcome::Refused;
}
