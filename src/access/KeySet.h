#pragma once

#include <QtGlobal>
#include <string>
#include <string_view>
#include <vector>

// The distinct country keys met while reading an access number file. A large file has a few
// thousand keys of a few bytes each on 100,000 lines, so every line asks this set: open
// addressing over a power-of-two table whose slots hold short keys (up to 7 bytes, as keys
// are) packed into one number, and longer keys by their place in a buffer of key bytes.
class KeySet
{
public:
    KeySet();

    // True when `key` was not in the set yet; it is then added.
    bool insert(std::string_view key);
    qsizetype size() const { return qsizetype(m_count); }

private:
    struct Slot
    {
        quint64 packed = 0; // the key's bytes and length, or `longKey`
        quint32 check = 0;  // part of the hash, never 0 in a used slot
        quint32 index = 0;  // of a long key, in m_longEnds
    };
    static constexpr quint64 longKey = ~quint64(0);

    static quint64 pack(std::string_view key);
    static quint64 hash(std::string_view key, quint64 packed);
    std::string_view longKeyAt(quint32 index) const;
    void grow();

    std::vector<Slot> m_slots;
    size_t m_count = 0;
    std::string m_longBytes;        // the long keys, one after another
    std::vector<size_t> m_longEnds; // where each long key ends in m_longBytes
};
