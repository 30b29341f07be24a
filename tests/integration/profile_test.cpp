// The trace configuration file through the real profile functions, side by
// side with the portable reader and writer. Run by profile.sh from a copy of
// this binary that has an empty configuration file beside it.
#include <string>

#include <gtest/gtest.h>

#include "cli/host_profile_store.h"
#include "log/log_config.h"
#include "log/trace_log.h"
#include "platform/simulated/simulated_platform.h"
#include "platform/win32/win32_platform.h"
#include "support/default_config_file.h"
#include "support/scratch_dir.h"

namespace {

class ProfileTest : public ::testing::Test {
  protected:
    ~ProfileTest() override { ResetLogState(); }

    static void Start() {
        ResetLogState();
        InitLog(DefaultLogConfig());
    }

    win::Win32Platform real;
    HostProfileStore files;  // the portable functions on the same files
    ScratchDir dir;
};

TEST_F(ProfileTest, EmptyFileBesideTheProgramIsFilledAsThePortableWriterFillsIt) {
    std::string filled;
    {
        win::ScopedPlatform scope(real);
        Start();
        const std::string cfg = LogState().cfgFile;
        ASSERT_EQ(".cfg", cfg.substr(cfg.size() - 4));
        filled = ReadWholeFile(cfg);
        EXPECT_EQ(DefaultConfigFile(), filled);

        Start();  // the next start reads it
        EXPECT_EQ(7u, LogState().enabledMask);
        EXPECT_STREQ("WARNING", FindLogType(LOG_WARNING).name);
        EXPECT_EQ(filled, ReadWholeFile(cfg));
    }

    sim::SimulatedPlatform portable({}, &files);
    portable.machine().moduleFileName = dir.Path("portable.exe");
    ASSERT_TRUE(WriteWholeFile(dir.Path("portable.cfg"), ""));
    win::ScopedPlatform scope(portable);
    Start();
    EXPECT_EQ(filled, ReadWholeFile(dir.Path("portable.cfg")));
}

TEST_F(ProfileTest, BothReadersAgree) {
    const std::string path = dir.Path("read.ini");
    ASSERT_TRUE(WriteWholeFile(path,
                               "; note\r\n[common]\r\n  ModuleToken = \"Tok\" \r\n"
                               "[LOGTYPE3]\r\nenabled=1\r\nName=Progress and more text\r\n"
                               "[LogType1]\r\nEnabled=TRUE\r\n"));
    sim::SimulatedPlatform portable({}, &files);
    for (win::Platform* platform :
         {static_cast<win::Platform*>(&real), static_cast<win::Platform*>(&portable)}) {
        char buffer[8] = {};
        EXPECT_EQ(3u, platform->GetPrivateProfileStringA("Common", "moduletoken", "", buffer, 8,
                                                         path.c_str()));
        EXPECT_STREQ("Tok", buffer);
        EXPECT_EQ(7u, platform->GetPrivateProfileStringA("LogType3", "Name", "", buffer, 8,
                                                         path.c_str()));
        EXPECT_STREQ("Progres", buffer);
        EXPECT_EQ(2u, platform->GetPrivateProfileStringA("LogType9", "Name", "dv  ", buffer, 8,
                                                         path.c_str()));
        EXPECT_STREQ("dv", buffer);

        win::ScopedPlatform scope(*platform);
        ResetLogState();
        CopyBounded(LogState().cfgFile, sizeof LogState().cfgFile, path.c_str());
        ReadLogConfig();
        EXPECT_EQ(4u, LogState().enabledMask);
        EXPECT_STREQ("Tok", LogState().moduleToken);
    }
}

// Wine rewrites the whole file from what it parsed: blank lines go and names
// and values lose the blanks around "=". Windows edits only the line
// concerned, as the portable writer does.
TEST_F(ProfileTest, WineRewritesTheWholeFileOnWrite) {
    const std::string original = "[A]\r\n k = v \r\n\r\n[B]\r\nx=1";
    const std::string wine = dir.Path("wine.ini");
    const std::string portable = dir.Path("portable.ini");
    ASSERT_TRUE(WriteWholeFile(wine, original));
    ASSERT_TRUE(WriteWholeFile(portable, original));
    sim::SimulatedPlatform simulated({}, &files);
    EXPECT_TRUE(real.WritePrivateProfileStringA("a", "new", "2", wine.c_str()));
    EXPECT_TRUE(simulated.WritePrivateProfileStringA("a", "new", "2", portable.c_str()));
    EXPECT_EQ("[A]\r\nk=v\r\nnew=2\r\n[B]\r\nx=1\r\n", ReadWholeFile(wine));
    EXPECT_EQ("[A]\r\n k = v \r\nnew=2\r\n\r\n[B]\r\nx=1", ReadWholeFile(portable));
}

}  // namespace
