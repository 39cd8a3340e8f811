#include "platform/PhoneListMerge.h"

#include <vector>

QList<PhoneDraft> mergePhoneList(const std::optional<QList<PhoneEntry>> &old, const QList<PhoneDraft> &incoming)
{
    QList<PhoneDraft> merged = incoming;
    for (PhoneDraft &draft : merged)
        draft.identifier.reset();
    const QList<PhoneEntry> previous = old.value_or(QList<PhoneEntry>());
    std::vector<bool> taken(size_t(previous.size()), false);

    const auto match = [&](bool sameValue) {
        for (PhoneDraft &draft : merged) {
            if (draft.identifier)
                continue;
            for (qsizetype i = 0; i < previous.size(); ++i) {
                const PhoneEntry &entry = previous[i];
                if (taken[size_t(i)] || entry.label != draft.label || (sameValue && entry.value != draft.value))
                    continue;
                taken[size_t(i)] = true;
                draft.identifier = entry.identifier;
                break;
            }
        }
    };
    match(true);
    match(false);
    return merged;
}
