#include "access/KeySet.h"

namespace {
constexpr size_t initialSlots = 1024;
constexpr size_t shortKeyLength = 7;

quint32 checkOf(quint64 hash) { return quint32(hash >> 32) | 1u; }
}

KeySet::KeySet()
    : m_slots(initialSlots)
{
}

quint64 KeySet::pack(std::string_view key)
{
    if (key.size() > shortKeyLength)
        return longKey;
    // The bytes in the low 7 bytes and the length in the top one: one number per short key.
    quint64 packed = quint64(key.size()) << 56;
    for (size_t i = 0; i < key.size(); ++i)
        packed |= quint64(static_cast<unsigned char>(key[i])) << (8 * i);
    return packed;
}

quint64 KeySet::hash(std::string_view key, quint64 packed)
{
    quint64 hash = 0;
    if (packed != longKey) {
        hash = packed * 0x9e3779b97f4a7c15ull;
    } else {
        hash = 14695981039346656037ull; // FNV-1a
        for (const unsigned char c : key) {
            hash ^= c;
            hash *= 1099511628211ull;
        }
    }
    return hash ^ (hash >> 29); // the table index takes the low bits
}

std::string_view KeySet::longKeyAt(quint32 index) const
{
    const size_t begin = index == 0 ? 0 : m_longEnds[index - 1];
    return std::string_view(m_longBytes).substr(begin, m_longEnds[index] - begin);
}

bool KeySet::insert(std::string_view key)
{
    const quint64 packed = pack(key);
    const quint64 full = hash(key, packed);
    const quint32 check = checkOf(full);
    const size_t mask = m_slots.size() - 1;
    for (size_t i = full & mask;; i = (i + 1) & mask) {
        Slot &slot = m_slots[i];
        if (slot.check == 0) {
            slot = {packed, check, 0};
            if (packed == longKey) {
                // Indexes are 32 bits: a file would need 4 billion long keys to run out.
                slot.index = quint32(m_longEnds.size());
                m_longBytes.append(key);
                m_longEnds.push_back(m_longBytes.size());
            }
            if (++m_count * 2 > m_slots.size())
                grow();
            return true;
        }
        if (slot.check == check && slot.packed == packed
            && (packed != longKey || longKeyAt(slot.index) == key))
            return false;
    }
}

void KeySet::grow()
{
    std::vector<Slot> old(m_slots.size() * 2);
    old.swap(m_slots);
    const size_t mask = m_slots.size() - 1;
    for (const Slot &slot : old) {
        if (slot.check == 0)
            continue;
        const std::string_view key = slot.packed == longKey ? longKeyAt(slot.index) : std::string_view();
        size_t i = hash(key, slot.packed) & mask;
        while (m_slots[i].check != 0)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}
