#include "cli/console_output.h"

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "platform/simulated/simulated_platform.h"

namespace {

// Code page 1252 bytes of "Café Ünïcödé € GmbH", as a report holds them.
const std::string kAnsi =
    "Caf\xE9 \xDCn\xEF"
    "c\xF6"
    "d\xE9 \x80 GmbH\r\n";
const std::u16string kWide = u"Caf\u00E9 \u00DCn\u00EFc\u00F6d\u00E9 \u20AC GmbH\r\n";

std::string ContentOf(std::FILE* file) {
    std::string text;
    std::rewind(file);
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
        text.push_back(static_cast<char>(c));
    }
    return text;
}

TEST(ConsoleOutputTest, AConsoleGetsWideCharactersAFileTheBytes) {
    sim::SimulatedPlatform system;
    std::string error;
    std::FILE* file = std::tmpfile();
    ASSERT_NE(nullptr, file);

    // Redirected standard output: no console, the bytes as they are.
    EXPECT_FALSE(IsConsole(system, stdout));
    ASSERT_TRUE(WriteStandardOutput(system, file, kAnsi, error)) << error;
    EXPECT_EQ(kAnsi, ContentOf(file));

    // A console only stands behind standard output itself.
    system.console().attached = true;
    EXPECT_TRUE(IsConsole(system, stdout));
    EXPECT_FALSE(IsConsole(system, file));
    ASSERT_TRUE(WriteStandardOutput(system, file, kAnsi, error)) << error;
    EXPECT_EQ(kAnsi + kAnsi, ContentOf(file));
    EXPECT_EQ(u"", system.console().text);
    std::fclose(file);

    // Larger than one console write: every character arrives, in order.
    std::string big;
    std::u16string bigWide;
    for (int i = 0; i < 3000; ++i) {
        big += kAnsi;
        bigWide += kWide;
    }
    ASSERT_TRUE(WriteStandardOutput(system, stdout, big, error)) << error;
    EXPECT_EQ(bigWide, system.console().text);
}

TEST(ConsoleOutputTest, AFailedConsoleWriteIsReported) {
    sim::SimulatedPlatform system;
    system.console().attached = true;
    system.faults().AddOnCall("WriteConsoleW", 2, win::ERROR_INVALID_HANDLE);
    std::string error;
    EXPECT_FALSE(WriteStandardOutput(system, stdout, std::string(20000, 'x'), error));
    EXPECT_EQ("WriteConsoleW failed with error 6", error);
    EXPECT_EQ(8192u, system.console().text.size());
}

}  // namespace
