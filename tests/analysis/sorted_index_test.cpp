#include "analysis/sorted_index.h"

#include <map>
#include <random>
#include <set>
#include <string>

#include <gtest/gtest.h>

namespace {

using analysis::SortedMap;
using analysis::SortedSet;

// Against the standard containers they stand in for: the first value given
// for a key stays, lookups find exactly what was added, keys come in order.
TEST(SortedIndexTest, AnswersAsMapAndSetDo) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        SortedMap<std::string, int> map;
        SortedSet<std::string> set;
        std::map<std::string, int> expectedMap;
        std::set<std::string> expectedSet;
        const int keys = 1 + round % 40;
        for (int i = 0; i < 60; ++i) {
            const std::string key = "k" + std::to_string(random() % static_cast<unsigned>(keys));
            ASSERT_EQ(map.Emplace(key, i), expectedMap.emplace(key, i).second);
            ASSERT_EQ(set.Insert(key), expectedSet.insert(key).second);
        }
        for (int k = 0; k <= keys; ++k) {
            const std::string key = "k" + std::to_string(k);
            const auto it = expectedMap.find(key);
            const int* found = map.Find(key);
            ASSERT_EQ(found != nullptr, it != expectedMap.end()) << key;
            if (found != nullptr) {
                EXPECT_EQ(*found, it->second) << key;
            }
            EXPECT_EQ(set.Contains(key), expectedSet.count(key) == 1) << key;
        }
        EXPECT_EQ(set.Keys(), std::vector<std::string>(expectedSet.begin(), expectedSet.end()));
    }
}

}  // namespace
