#include "log/log_config.h"

#include <string>

#include <gtest/gtest.h>

#include "cli/host_profile_store.h"
#include "log/trace_log.h"
#include "platform/simulated/simulated_platform.h"
#include "support/default_config_file.h"
#include "support/log_capture.h"
#include "support/scratch_dir.h"

namespace {

// The log looks for its file on the host, so the profile functions read the
// host's files too, in a scratch folder.
class LogConfigTest : public ::testing::Test {
  protected:
    LogConfigTest() : scope_(platform) {
        ResetLogState();
        platform.machine().moduleFileName = dir.Path("prog.exe");
    }
    ~LogConfigTest() override { ResetLogState(); }

    void Start() {
        ResetLogState();
        InitLog(DefaultLogConfig());
    }

    ScratchDir dir;
    HostProfileStore hostFiles;
    sim::SimulatedPlatform platform{{}, &hostFiles};
    std::string cfg = dir.Path("prog.cfg");

  private:
    win::ScopedPlatform scope_;
};

TEST(ConfigPathForTest, ReplacesOnlyTheLastExtensionOfTheFileName) {
    EXPECT_EQ("C:\\Tools\\ZEP.cfg", ConfigPathFor("C:\\Tools\\ZEP.exe"));
    EXPECT_EQ("C:\\Tools\\a.b.cfg", ConfigPathFor("C:\\Tools\\a.b.exe"));
    EXPECT_EQ("C:\\Tools\\prog.cfg", ConfigPathFor("C:\\Tools\\prog"));
    EXPECT_EQ("/opt/x.d/prog.cfg", ConfigPathFor("/opt/x.d/prog"));
    EXPECT_EQ("C:prog.cfg", ConfigPathFor("C:prog.exe"));
    EXPECT_EQ("\\\\srv\\share\\p.cfg", ConfigPathFor("\\\\srv\\share\\p.exe"));
}

TEST_F(LogConfigTest, AbsentFileKeepsDefaultsAndIsNotCreated) {
    Start();
    EXPECT_EQ(cfg, LogState().cfgFile);
    EXPECT_EQ(7u, LogState().enabledMask);
    EXPECT_STREQ("INFO", FindLogType(LOG_INFO).name);
    EXPECT_EQ("<missing>", ReadWholeFile(cfg));
    EXPECT_EQ(0u, platform.calls().Count("WritePrivateProfileStringA"));
}

TEST_F(LogConfigTest, EmptyFileIsFilledAndReadBackNextStart) {
    ASSERT_TRUE(WriteWholeFile(cfg, ""));
    Start();
    EXPECT_EQ(DefaultConfigFile(), ReadWholeFile(cfg));
    EXPECT_EQ(7u, LogState().enabledMask);

    platform.calls().Clear();
    Start();
    EXPECT_EQ(0u, platform.calls().Count("WritePrivateProfileStringA"));
    EXPECT_EQ(7u, LogState().enabledMask);
    EXPECT_STREQ("ZEP", LogState().moduleToken);
    EXPECT_STREQ("ERROR", FindLogType(LOG_ERROR).name);
    EXPECT_STREQ("WARNING", FindLogType(LOG_WARNING).name);
    EXPECT_STREQ("INFO", FindLogType(LOG_INFO).name);
    EXPECT_STREQ("", FindLogType(8).name);
    EXPECT_EQ(DefaultConfigFile(), ReadWholeFile(cfg));
}

TEST_F(LogConfigTest, FileAloneDecidesWhatIsEnabled) {
    ASSERT_TRUE(WriteWholeFile(cfg, "[Common]\r\nModuleToken=T\r\n"));
    Start();
    EXPECT_EQ(0u, LogState().enabledMask);
    EXPECT_STREQ("T", LogState().moduleToken);
    EXPECT_STREQ("", FindLogType(LOG_ERROR).name);
    LogCapture sink;
    Trace(LOG_ERROR, "dropped\n");
    EXPECT_TRUE(sink.messages.empty());

    ASSERT_TRUE(WriteWholeFile(cfg,
                               "[LogType1]\r\nEnabled=TRUE\r\n[LogType2]\r\nEnabled=2\r\n"
                               "[logtype3]\r\nenabled = 1 \r\nName=Progress and more text\r\n"
                               "[LogType32]\r\nEnabled=1\r\n"));
    Start();
    EXPECT_EQ(0x80000004u, LogState().enabledMask);
    EXPECT_STREQ("Progress and more t", FindLogType(LOG_INFO).name);  // 19 characters
    Trace(LOG_ERROR, "dropped\n");
    Trace(LOG_INFO, "kept\n");
    ASSERT_EQ(1u, sink.messages.size());
    EXPECT_EQ(LOG_INFO, sink.messages[0].type);
}

TEST_F(LogConfigTest, UnreadableValuesCountAsAbsent) {
    ASSERT_TRUE(WriteWholeFile(cfg, "[Common]\r\nModuleToken=T\r\n[LogType1]\r\nEnabled=1\r\n"));
    platform.faults().AddOnArgument("GetPrivateProfileStringA", "LogType1|Enabled",
                                    win::ERROR_ACCESS_DENIED);
    platform.faults().AddOnArgument("GetPrivateProfileStringA", "Common|ModuleToken",
                                    win::ERROR_ACCESS_DENIED);
    Start();
    EXPECT_EQ(0u, LogState().enabledMask);
    EXPECT_STREQ("", LogState().moduleToken);
}

TEST_F(LogConfigTest, ModuleNameFailureLeavesNoPath) {
    platform.faults().Add("GetModuleFileNameA", win::ERROR_ACCESS_DENIED);
    EXPECT_EQ(win::ERROR_ACCESS_DENIED, SetCfgFile(nullptr));
    EXPECT_STREQ("", LogState().cfgFile);
    // A failure that sets no error is a failure all the same.
    platform.faults().Clear();
    platform.faults().Add("GetModuleFileNameA", win::ERROR_SUCCESS);
    EXPECT_EQ(win::ERROR_INVALID_FUNCTION, SetCfgFile(nullptr));

    // A name too long for the buffer would give some other file's name.
    platform.faults().Clear();
    platform.machine().moduleFileName = "C:\\" + std::string(300, 'x') + ".exe";
    EXPECT_EQ(win::ERROR_INSUFFICIENT_BUFFER, SetCfgFile(nullptr));
    EXPECT_STREQ("", LogState().cfgFile);
    Start();
    EXPECT_EQ(7u, LogState().enabledMask);
}

}  // namespace
