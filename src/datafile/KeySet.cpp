#include "datafile/KeySet.h"

namespace {
constexpr size_t initialSlots = 1024;
constexpr size_t shortKeyLength = 7;
// The top byte of a slot: 1 to 8 for a short key (its length + 1), this for a long one.
constexpr quint64 longKeyTag = quint64(0xff) << 56;
constexpr quint64 tagMask = quint64(0xff) << 56;
}

KeySet::KeySet()
    : m_slots(initialSlots)
{
}

quint64 KeySet::pack(std::string_view key)
{
    // The bytes in the low 7 bytes and the length + 1 in the top one, so that no key packs to 0.
    quint64 packed = quint64(key.size() + 1) << 56;
    for (size_t i = 0; i < key.size(); ++i)
        packed |= quint64(static_cast<unsigned char>(key[i])) << (8 * i);
    return packed;
}

quint64 KeySet::hash(std::string_view key, quint64 packed)
{
    quint64 hash = 0;
    if (packed != 0) {
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

std::string_view KeySet::longKeyAt(quint64 slot) const
{
    const size_t index = size_t(slot & ~tagMask);
    const size_t begin = index == 0 ? 0 : m_longEnds[index - 1];
    return std::string_view(m_longBytes).substr(begin, m_longEnds[index] - begin);
}

bool KeySet::insert(std::string_view key)
{
    const bool isShort = key.size() <= shortKeyLength;
    const quint64 packed = isShort ? pack(key) : 0;
    const size_t mask = m_slots.size() - 1;
    for (size_t i = hash(key, packed) & mask;; i = (i + 1) & mask) {
        quint64 &slot = m_slots[i];
        if (slot == 0) {
            if (isShort) {
                slot = packed;
            } else {
                slot = longKeyTag | m_longEnds.size();
                m_longBytes.append(key);
                m_longEnds.push_back(m_longBytes.size());
            }
            if (++m_count * 2 > m_slots.size())
                grow();
            return true;
        }
        if (isShort ? slot == packed : (slot & tagMask) == longKeyTag && longKeyAt(slot) == key)
            return false;
    }
}

void KeySet::grow()
{
    std::vector<quint64> old(m_slots.size() * 2);
    old.swap(m_slots);
    const size_t mask = m_slots.size() - 1;
    for (const quint64 slot : old) {
        if (slot == 0)
            continue;
        const bool isLong = (slot & tagMask) == longKeyTag;
        size_t i = hash(isLong ? longKeyAt(slot) : std::string_view(), isLong ? 0 : slot) & mask;
        while (m_slots[i] != 0)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}
