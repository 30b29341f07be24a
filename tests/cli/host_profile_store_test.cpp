#include "cli/host_profile_store.h"

#include <string>

#include <gtest/gtest.h>

#include "platform/simulated/simulated_platform.h"
#include "support/scratch_dir.h"

namespace {

// The profile functions on the host's files answer the codes Windows gives:
// a missing file is no error for writing, a missing folder is.
TEST(HostProfileStoreTest, MissingFileAndMissingFolderAsWindowsTellsThem) {
    ScratchDir dir;
    HostProfileStore files;
    sim::SimulatedPlatform platform({}, &files);
    const std::string path = dir.Path("p.ini");
    char buffer[8] = {};
    EXPECT_EQ(1u, platform.GetPrivateProfileStringA("S", "k", "d", buffer, 8, path.c_str()));
    EXPECT_EQ(win::ERROR_FILE_NOT_FOUND, platform.GetLastError());

    EXPECT_EQ(win::TRUE, platform.WritePrivateProfileStringA("S", "k", "v", path.c_str()));
    EXPECT_EQ("[S]\r\nk=v\r\n", ReadWholeFile(path));

    const std::string bad = dir.Path("no-such-dir") + "/p.ini";
    EXPECT_EQ(win::FALSE, platform.WritePrivateProfileStringA("S", "k", "v", bad.c_str()));
    EXPECT_EQ(win::ERROR_PATH_NOT_FOUND, platform.GetLastError());
}

}  // namespace
