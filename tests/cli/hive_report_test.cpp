// Reports from hives and Windows folders: every example machine carried into
// a Windows folder (its SYSTEM and SOFTWARE hives, filled through hivex where
// the host has it, and its driver files) gives the described machine's
// report; both hives read by hivex give the same entries as by our reader.
#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/cli_options.h"
#include "cli/offline_machine.h"
#include "machine/hive_file_loader.h"
#include "machine/hive_writer.h"
#include "machine/machine_loader.h"
#include "support/carried_machine.h"
#include "support/hivex_hive.h"
#include "support/scratch_dir.h"
#include "support/windows_folder_writer.h"

#if !defined(_WIN32)
#include <sys/wait.h>
#endif

namespace {

void WriteFolder(const machine::Machine& machine, const std::string& folder) {
    std::string error;
    ASSERT_TRUE(WriteWindowsFolder(machine, folder, error)) << error;
}

// Beyond what exports lose: the device order, which is the hive's sorted key
// order. The processors (HARDWARE is no hive on disk) come back as the count
// at the last start.
machine::Machine CarriedByHives(const machine::Machine& described,
                                const machine::Machine& imported) {
    machine::Machine machine = Carried(described);
    std::vector<machine::Device> ordered;
    for (const machine::Device& device : imported.devices) {
        const auto found = std::find_if(
            machine.devices.begin(), machine.devices.end(),
            [&](const machine::Device& d) { return d.instanceId == device.instanceId; });
        if (found != machine.devices.end()) {
            ordered.push_back(*found);
        }
    }
    EXPECT_EQ(machine.devices.size(), ordered.size());
    machine.devices = ordered;
    return machine;
}

TEST(HiveOptionsTest, WindowsFolderAndHivesExcludeTheOtherSources) {
    CliOptions options;
    std::string error;
    ASSERT_TRUE(ParseCliOptions({"--windir", "/mnt/w", "--drive", "d=/mnt/d", "--drive=E=/e"},
                                options, error))
        << error;
    EXPECT_EQ("/mnt/w", options.windowsDir);
    EXPECT_EQ((std::map<char, std::string>{{'D', "/mnt/d"}, {'E', "/e"}}), options.drives);
    ASSERT_TRUE(
        ParseCliOptions({"--hive", "s.hiv", "--hive=w.hiv", "--drivers", "d"}, options, error));
    EXPECT_EQ((std::vector<std::string>{"s.hiv", "w.hiv"}), options.hiveFiles);
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--hive", "a", "--hive", "b", "--hive", "c"},
                                               {"--windir", "w", "--hive", "s"},
                                               {"--windir", "w", "--system", "m.json"},
                                               {"--windir", "w", "--drivers", "d"},
                                               {"--drive", "C=/mnt"},
                                               {"--windir", "w", "--drive", "C:/mnt"},
                                               {"--windir", "w", "--drive", "1=/mnt"},
                                               {"--hive"}}) {
        EXPECT_FALSE(ParseCliOptions(args, options, error)) << args.back();
    }
}

TEST(HiveReportTest, ExampleMachinesGiveTheSameReportThroughTheirWindowsFolder) {
    const std::string examples = std::string(MVSI_SOURCE_DIR) + "/examples/machines";
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(examples)) {
        files.push_back(entry.path().string());
    }
    ASSERT_GE(files.size(), 5u);
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        machine::Machine described;
        std::string error;
        ASSERT_TRUE(machine::MachineLoader::FromFile(file, described, error)) << error;
        ScratchDir dir;
        const std::string windows = dir.Path("Windows");
        WriteFolder(described, windows);

        machine::Machine imported;
        std::vector<std::string> notes;
        ASSERT_TRUE(MachineFromWindowsFolder(windows, {}, imported, notes, error)) << error;
        EXPECT_TRUE(notes.empty());
        EXPECT_EQ(ReportOf(CarriedByHives(described, imported)), ReportOf(imported));

#if defined(MVSI_HAVE_HIVEX)
        for (const char* hive : {"SYSTEM", "software"}) {
            const std::string path = windows + "/System32/config/" + hive;
            std::string listing;
            ASSERT_TRUE(HivexListing(path, listing, error)) << error;
            machine::RegistryTree ours;
            machine::HiveKind kind{};
            std::string note;
            ASSERT_TRUE(machine::LoadHiveFile(path, ours, kind, note, error)) << error;
            EXPECT_EQ(listing, TreeListing(*ours.Find(kind == machine::HiveKind::System
                                                          ? "HKEY_LOCAL_MACHINE\\SYSTEM"
                                                          : "HKEY_LOCAL_MACHINE\\SOFTWARE")));
        }
#endif
    }
}

#if !defined(_WIN32)
std::string RunReport(const ScratchDir& dir, const std::string& args, int& exitCode) {
    const std::string command = std::string(MVSI_REPORT_EXE) + " " + args + " >" +
                                dir.Path("stdout") + " 2>" + dir.Path("stderr") + " </dev/null";
    const int status = std::system(command.c_str());
    exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return ReadWholeFile(dir.Path("stdout"));
}

TEST(HiveReportTest, CommandLineReadsWindowsFolderAndHivesAndRefusesBadOnes) {
    machine::Machine described;
    std::string error;
    ASSERT_TRUE(machine::MachineLoader::FromFile(
        std::string(MVSI_SOURCE_DIR) + "/examples/machines/xp-sp3-usb-1394.json", described,
        error));
    ScratchDir dir;
    WriteFolder(described, dir.Path("Windows"));
    int code = -1;
    const std::string fromFolder = RunReport(dir, "--windir " + dir.Path("Windows"), code);
    EXPECT_EQ(0, code) << ReadWholeFile(dir.Path("stderr"));
    const std::string config = dir.Path("Windows/System32/config/");
    const std::string fromHives =
        RunReport(dir,
                  "--hive " + config + "software --hive " + config + "SYSTEM --drivers " +
                      dir.Path("Windows/system32/DRIVERS"),
                  code);
    EXPECT_EQ(0, code) << ReadWholeFile(dir.Path("stderr"));
    EXPECT_EQ(fromFolder, fromHives);
    EXPECT_NE(std::string::npos, fromFolder.find("File Version:")) << fromFolder;

    std::string bad = ReadWholeFile(config + "SYSTEM");
    bad[0x1000 + 0x20 + 3] = 0x7F;  // the first cell claims more than its bin
    ASSERT_TRUE(WriteWholeFile(dir.Path("bad.hiv"), bad));
    RunReport(dir, "--hive " + dir.Path("bad.hiv") + " --output " + dir.Path("out.txt"), code);
    EXPECT_EQ(2, code);
    const std::string err = ReadWholeFile(dir.Path("stderr"));
    EXPECT_EQ(1, std::count(err.begin(), err.end(), '\n')) << err;
    EXPECT_NE(std::string::npos, err.find("bad.hiv: offset 0x00001020: ")) << err;
    EXPECT_FALSE(std::filesystem::exists(dir.Path("out.txt")));

    RunReport(dir, "--windir " + dir.Path("nowhere"), code);
    EXPECT_EQ(2, code);
}

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

// A machine that no longer starts has no live status: the findings rest on
// what its disk says (flags, start types, keys, the INF folder).
TEST(HiveReportTest, OfflineDetailsUseWhatTheDiskSays) {
    machine::Machine described;
    std::string error;
    ASSERT_TRUE(machine::MachineLoader::FromFile(
        std::string(MVSI_SOURCE_DIR) + "/examples/machines/device-problems.json", described,
        error));
    ScratchDir dir;
    WriteFolder(described, dir.Path("Windows"));
    int code = -1;
    const std::string report =
        RunReport(dir, "--windir " + dir.Path("Windows") + " --details", code);
    EXPECT_EQ(0, code) << ReadWholeFile(dir.Path("stderr"));
    EXPECT_EQ(6, Count(report, "Status:              Not known offline\r\n")) << report;
    EXPECT_EQ(1, Count(report, "(not in C:\\Windows\\inf)")) << report;
    EXPECT_EQ(1, Count(report, "(the key does not exist)")) << report;

    const std::string findings =
        RunReport(dir, "--windir " + dir.Path("Windows") + " --check", code);
    EXPECT_EQ(0, code)
        << findings;  // no live status, so no problem code: nothing of severity error
    for (const char* rule : {"[inf-missing]", "[service-disabled]", "[install-flags]",
                             "[device-disabled]", "[no-driver-package]", "[version-mismatch]"}) {
        EXPECT_NE(std::string::npos, findings.find(rule)) << rule << "\n" << findings;
    }
    // From the hives alone the INF folder is not at hand: nothing is said of it.
    const std::string config = dir.Path("Windows/System32/config/");
    const std::string hives =
        RunReport(dir, "--hive " + config + "SYSTEM --hive " + config + "software --details", code);
    EXPECT_EQ(0, code);
    EXPECT_EQ(0, Count(hives, "(not in "));
    EXPECT_EQ(0, Count(hives, "ERROR: AddInfFileCheck"));
}
#endif

}  // namespace
