#include "access/KeySet.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
TEST(KeySetTest, TellsNewKeysFromKeysMetBefore)
{
    // Short and long keys, keys that differ only in length or in a zero byte, bytes above 127,
    // and enough of them for the table to grow several times.
    std::vector<std::string> keys = {"", std::string(1, '\0'), std::string(2, '\0'), "1", "1 ", "12345",
                                     "1234567", "12345678", "123456789012345678901234567890", "\xff\xfe",
                                     std::string("a\0b", 3)};
    for (int i = 0; i < 20000; ++i)
        keys.push_back(std::to_string(i * 7919) + std::string(size_t(i % 13), char('a' + i % 26)));
    KeySet set;
    for (const std::string &key : keys)
        EXPECT_TRUE(set.insert(key)) << key;
    for (const std::string &key : keys)
        EXPECT_FALSE(set.insert(key)) << key;
    EXPECT_EQ(set.size(), qsizetype(keys.size()));
}
} // namespace
