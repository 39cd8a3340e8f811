#pragma once

#include <QtGlobal>
#include <string>
#include <string_view>
#include <vector>

// The distinct country keys met while reading an access number file. A large file has a few
// thousand keys of a few bytes each on 100,000 lines, so every line asks this set: open
// addressing over a power-of-two table of 8-byte slots (small enough to stay in the processor's
// cache). A slot holds a short key (up to 7 bytes, as keys are) itself, packed with its length
// into one number, or a longer key's place in a buffer of key bytes.
class KeySet
{
public:
    KeySet();

    // True when `key` was not in the set yet; it is then added.
    bool insert(std::string_view key);
    qsizetype size() const { return qsizetype(m_count); }

private:
    static quint64 pack(std::string_view key);
    // The hash of a short key is that of its packed form (`packed`); of a long one (`packed` 0),
    // that of its bytes.
    static quint64 hash(std::string_view key, quint64 packed);
    std::string_view longKeyAt(quint64 slot) const;
    void grow();

    std::vector<quint64> m_slots; // 0: empty
    size_t m_count = 0;
    std::string m_longBytes;        // the long keys, one after another
    std::vector<size_t> m_longEnds; // where each long key ends in m_longBytes
};
