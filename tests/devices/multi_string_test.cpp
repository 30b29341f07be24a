#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "devices/multi_string.h"
#include "support/machine_test.h"

namespace {

using MultiStringTest = MachineTest;

// The bytes live in a vector of exactly `size`, so ASan sees any read beyond.
StringList Split(const std::vector<std::uint8_t>& bytes) {
    StringList list = {"stale"};
    ConvertMultiStringToList(list, bytes.empty() ? nullptr : bytes.data(),
                             static_cast<win::DWORD>(bytes.size()));
    return list;
}

const char kTermination[] =
    "ConvertMultiStringToList: Invalid multistring termination or invalid size %u\n";

std::string TerminationTrace(unsigned size) {
    char text[128];
    std::snprintf(text, sizeof text, kTermination, size);
    return text;
}

TEST_F(MultiStringTest, WellFormed) {
    EXPECT_EQ((StringList{"a", "bc"}), Split({'a', 0, 'b', 'c', 0, 0}));
    EXPECT_EQ(StringList{}, Split({0}));
    EXPECT_TRUE(log.Problems().empty());
}

TEST_F(MultiStringTest, SizeZero) {
    EXPECT_EQ(StringList{}, Split({}));
    EXPECT_EQ(
        std::vector<std::string>{"ConvertMultiStringToList: Invalid multistring -> size = 0\n"},
        log.Problems());
}

TEST_F(MultiStringTest, MissingClosingStringKeepsWhatWasTaken) {
    EXPECT_EQ(StringList{}, Split({'a', 0}));
    EXPECT_EQ(StringList{"a"}, Split({'a', 0, 'b', 0}));
    EXPECT_EQ((std::vector<std::string>{TerminationTrace(2), TerminationTrace(4)}), log.Problems());
}

TEST_F(MultiStringTest, FirstEmptyStringEndsTheList) {
    EXPECT_EQ(StringList{"a"}, Split({'a', 0, 0, 'b', 0, 0}));
    EXPECT_TRUE(log.Problems().empty());
}

TEST_F(MultiStringTest, NoTerminatorAtAll) {
    EXPECT_EQ(StringList{}, Split({'a', 'b', 'c'}));
    EXPECT_EQ(StringList{}, Split({'a'}));
    EXPECT_EQ((std::vector<std::string>{TerminationTrace(3), TerminationTrace(1)}), log.Problems());
}

TEST_F(MultiStringTest, TerminatorInTheLastByteIsNotEnough) {
    // "ab" NUL with size 3: the string's NUL must leave room for the closing one.
    EXPECT_EQ(StringList{}, Split({'a', 'b', 0}));
    EXPECT_EQ(std::vector<std::string>{TerminationTrace(3)}, log.Problems());
}

}  // namespace
