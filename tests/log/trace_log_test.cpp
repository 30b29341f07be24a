#include <cstring>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "log/log_config.h"
#include "log/trace_log.h"
#include "support/log_capture.h"

namespace {

class TraceLogTest : public ::testing::Test {
  protected:
    TraceLogTest() {
        ResetLogState();
        InitLog(DefaultLogConfig());
    }
    ~TraceLogTest() override { ResetLogState(); }
};

// Takes deliberately bad formats, so it carries no format attribute.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
LogEntry FormatVia(const char* format, ...) {
    va_list args;
    va_start(args, format);
    LogEntry entry = FormatLogEntry(format, args);
    va_end(args);
    return entry;
}
#pragma GCC diagnostic pop

TEST_F(TraceLogTest, DefaultsEnableTheThreeNamedTypes) {
    EXPECT_EQ(7u, LogState().enabledMask);
    EXPECT_EQ(0x1Bu, LogState().channelMask);
    EXPECT_STREQ("ZEP", LogState().moduleToken);
    EXPECT_STREQ("ERROR", FindLogType(LOG_ERROR).name);
    EXPECT_STREQ("WARNING", FindLogType(LOG_WARNING).name);
    EXPECT_STREQ("INFO", FindLogType(LOG_INFO).name);
    EXPECT_STREQ("", FindLogType(8).name);
    for (std::size_t i = 0; i < LOG_TYPE_COUNT; ++i) {
        EXPECT_EQ(std::uint32_t{1} << i, LogState().types[i].mask);
    }
}

TEST_F(TraceLogTest, BeforeInitNothingIsDelivered) {
    ResetLogState();
    LogCapture sink;
    Trace(LOG_ERROR, "dropped\n");
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(TraceLogTest, DeliversFormattedTextWithTypeMask) {
    LogCapture sink;
    Trace(LOG_WARNING, "value %u of %s\n", 7u, "x");
    Trace(LOG_INFO, "Op...\n");
    ASSERT_EQ(2u, sink.messages.size());
    EXPECT_EQ(LOG_WARNING, sink.messages[0].type);
    EXPECT_EQ("value 7 of x\n", sink.messages[0].text);
    EXPECT_EQ(LOG_INFO, sink.messages[1].type);
}

TEST_F(TraceLogTest, LongMessageIsCutAt1023Characters) {
    LogCapture sink;
    const std::string longText(2000, 'x');
    Trace(LOG_ERROR, "%s", longText.c_str());
    ASSERT_EQ(1u, sink.messages.size());
    EXPECT_EQ(std::string(1023, 'x'), sink.messages[0].text);
}

TEST_F(TraceLogTest, TypeFilteringAndMultiBitTypes) {
    LogCapture sink;
    LogState().enabledMask = LOG_WARNING;
    Trace(LOG_ERROR, "off\n");
    Trace(3, "several bits\n");  // passes on its WARNING bit, delivered as ERROR
    Trace(0, "never\n");
    ASSERT_EQ(1u, sink.messages.size());
    EXPECT_EQ(LOG_ERROR, sink.messages[0].type);
    EXPECT_EQ("several bits\n", sink.messages[0].text);
    EXPECT_EQ(&LogState().types[0], &FindLogType(0));
    EXPECT_EQ(&LogState().types[0], &FindLogType(6));
    EXPECT_EQ(&LogState().types[31], &FindLogType(0x80000000u));
}

TEST_F(TraceLogTest, ChannelWithoutSinkBitDeliversNothing) {
    LogCapture sink;
    LogState().channelMask = 0x0B;
    Trace(LOG_ERROR, "nowhere\n");
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(TraceLogTest, SinksAreCalledInAddressOrderForTheirLifetimeOnly) {
    // Two sinks in one array: the first element has the lower address.
    struct Ordered : TCustomLog {
        std::string* order = nullptr;
        char id = '?';
        void Output(std::uint32_t, const char*) override { order->push_back(id); }
    };
    std::string order;
    {
        auto sinks = std::make_unique<Ordered[]>(2);
        sinks[1].order = &order;
        sinks[1].id = 'b';
        sinks[0].order = &order;
        sinks[0].id = 'a';
        Trace(LOG_ERROR, "one\n");
    }
    Trace(LOG_ERROR, "after both are gone\n");
    EXPECT_EQ("ab", order);
}

TEST_F(TraceLogTest, FaultyFormatDeliversTheRawFormat) {
    const LogEntry none = FormatVia(nullptr);
    EXPECT_STREQ("_____FAULTY_LOG_ENTRY: ", none.text);
    EXPECT_EQ(0u, none.channelMask);
    EXPECT_EQ(nullptr, none.logType);
#if defined(__GLIBC__)
    // glibc refuses a wide string that does not convert in the C locale.
    const wchar_t bad[] = {static_cast<wchar_t>(0xD800), 0};
    const LogEntry entry = FormatVia("bad %ls\n", bad);
    EXPECT_STREQ("_____FAULTY_LOG_ENTRY: bad %ls\n", entry.text);
#endif
}

#if defined(__GLIBC__)
TEST_F(TraceLogTest, FaultyEntryIsCutTo1023Characters) {
    const wchar_t bad[] = {static_cast<wchar_t>(0xD800), 0};
    const std::string format = std::string(1500, 'f') + "%ls";
    const LogEntry entry = FormatVia(format.c_str(), bad);
    const std::string prefix = "_____FAULTY_LOG_ENTRY: ";
    EXPECT_EQ(prefix + std::string(1023 - prefix.size(), 'f'), entry.text);
}
#endif

}  // namespace
