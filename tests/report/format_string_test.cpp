#include <string>

#include <gtest/gtest.h>

#include "report/format_string.h"

namespace {

TEST(FormatStringTest, ReplacesTheTarget) {
    std::string target = "old";
    FormatString(target, "Language 0x%04X/Code Page 0x%04X:", 0x409u, 0x4B0u);
    EXPECT_EQ("Language 0x0409/Code Page 0x04B0:", target);
    FormatString(target, "100%% %s", "sure");
    EXPECT_EQ("100% sure", target);
}

TEST(FormatStringTest, NeverTruncates) {
    std::string target;
    const std::string big(70000, 'y');
    FormatString(target, "<%s>", big.c_str());
    EXPECT_EQ("<" + big + ">", target);
}

// A formatter in the manner of _vsnprintf: -1 until the buffer is `fits`.
int g_calls = 0;
std::size_t g_fits = 0;
int ShortFormatter(char* buffer, std::size_t size, const char*, va_list) {
    ++g_calls;
    if (size < g_fits) {
        return -1;
    }
    buffer[0] = 'k';
    return 1;
}

void Format(std::string& target, BoundedFormatter formatter, std::size_t cap, ...) {
    va_list args;
    va_start(args, cap);
    FormatStringWith(target, formatter, cap, "%s", args);
    va_end(args);
}

TEST(FormatStringTest, DoublesWhileTheOutputDoesNotFit) {
    std::string target;
    g_calls = 0;
    g_fits = 4096;
    Format(target, ShortFormatter, kFormatStringCap, "x");
    EXPECT_EQ("k", target);
    EXPECT_EQ(4, g_calls);  // 512, 1024, 2048, 4096
}

TEST(FormatStringTest, GrowthStopsAtTheCap) {
    std::string target = "kept";
    g_calls = 0;
    g_fits = ~std::size_t{0};  // never fits
    Format(target, ShortFormatter, 3000, "x");
    EXPECT_EQ("kept", target);
    EXPECT_EQ(4, g_calls);  // 512, 1024, 2048, then the capped 3000
}

int FailingFormatter(char*, std::size_t, const char*, va_list) {
    return -5;
}

TEST(FormatStringTest, OtherFailureLeavesTargetUnchanged) {
    std::string target = "kept";
    Format(target, FailingFormatter, kFormatStringCap, "x");
    EXPECT_EQ("kept", target);
}

}  // namespace
