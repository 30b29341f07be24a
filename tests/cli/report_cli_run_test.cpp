// Runs the built malvoret-report as a user would (host builds only).
#if !defined(_WIN32)

#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "support/default_config_file.h"
#include "support/scratch_dir.h"
#include "support/worked_example_report.h"

namespace {

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) {
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return q + "'";
}

class ReportCliRunTest : public ::testing::Test {
  protected:
    Outcome Start(const std::string& args, const std::string& exe = MVSI_REPORT_EXE) {
        const std::string out = dir.Path("stdout");
        const std::string err = dir.Path("stderr");
        const std::string command =
            Quote(exe) + " " + args + " >" + Quote(out) + " 2>" + Quote(err) + " </dev/null";
        const int status = std::system(command.c_str());
        Outcome run;
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = ReadWholeFile(out);
        run.err = ReadWholeFile(err);
        std::filesystem::remove(out);
        std::filesystem::remove(err);
        return run;
    }

    std::string Example() const {
        return std::string(MVSI_SOURCE_DIR) + "/examples/machines/worked-example.json";
    }

    ScratchDir dir;
};

TEST_F(ReportCliRunTest, WithoutArgumentsPrintsTheWorkedExample) {
    const Outcome run = Start("");
    EXPECT_EQ(0, run.exitCode);
    EXPECT_EQ(WorkedExampleReport(), run.out);
    EXPECT_EQ("", run.err);

    const Outcome described = Start("--system " + Quote(Example()));
    EXPECT_EQ(0, described.exitCode) << described.err;
    EXPECT_EQ(WorkedExampleReport(), described.out);
}

TEST_F(ReportCliRunTest, ClassSwitchesAndVerboseTrace) {
    const Outcome none = Start("--no-usb --no-1394");
    const std::string expected = WorkedExampleReport();
    EXPECT_EQ(expected.substr(0, expected.find("Device Setup Class:")), none.out);

    const Outcome verbose = Start("--verbose");
    EXPECT_EQ(0, verbose.exitCode);
    EXPECT_EQ(expected, verbose.out);  // the report itself does not change
    EXPECT_EQ(0u, verbose.err.find("INFO: FinalReport::Generate...\n")) << verbose.err;
    EXPECT_NE(std::string::npos,
              verbose.err.find("INFO: FinalReport::AddDevNodesReportForSetupClass...\n"));
}

TEST_F(ReportCliRunTest, OutputFileGetsTheSameBytesAndReplacesTheOldOne) {
    const std::string path = dir.Path("report.txt");
    ASSERT_TRUE(WriteWholeFile(path, "old content that is longer than nothing"));
    const Outcome run = Start("--output " + Quote(path));
    EXPECT_EQ(0, run.exitCode) << run.err;
    EXPECT_EQ("", run.out);
    EXPECT_EQ(WorkedExampleReport(), ReadWholeFile(path));
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Root())) {
        ++entries;
    }
    EXPECT_EQ(1u, entries);  // no temporary file left behind
}

TEST_F(ReportCliRunTest, BadArgumentsExitTwoWithUsage) {
    for (const char* args : {"--bogus", "--system", "stray", "--output"}) {
        const Outcome run = Start(args);
        EXPECT_EQ(2, run.exitCode) << args;
        EXPECT_EQ("", run.out) << args;
        EXPECT_EQ(0u, run.err.find("malvoret-report: ")) << run.err;
        EXPECT_NE(std::string::npos, run.err.find("\nUsage: malvoret-report")) << run.err;
    }
    const Outcome help = Start("--help");
    EXPECT_EQ(0, help.exitCode);
    EXPECT_EQ(0u, help.out.find("Usage: malvoret-report [OPTION]...\n"));
    const Outcome version = Start("--version");
    EXPECT_EQ("malvoret-report Malvoret System Info v1.70.0\n", version.out);
}

// A class the user names wrongly is refused with the names to choose from;
// a well-formed GUID of no installed class is the report's own business.
TEST_F(ReportCliRunTest, ClassArgumentsResolveOrExitTwoWithTheInstalledNames) {
    for (const char* bad : {"--class Usb2", "--class '{36fc9e60-c465-11cf-8056-44455354000}'",
                            "--class 36fc9e60-c465-11cf-8056-44455354000g", "--class '{usb}'"}) {
        const Outcome run = Start(std::string(bad) + " --all-classes");
        EXPECT_EQ(2, run.exitCode) << bad;
        EXPECT_EQ("", run.out) << bad;
        EXPECT_EQ(0u, run.err.find("malvoret-report: --class '")) << run.err;
        EXPECT_NE(std::string::npos, run.err.find("; installed classes: 1394, USB\n")) << run.err;
        EXPECT_EQ(1, std::count(run.err.begin(), run.err.end(), '\n')) << run.err;
    }
    // USB asked again, by name in another case: still one USB section.
    const Outcome again =
        Start("--no-1394 --class usb --class 36FC9E60-C465-11CF-8056-444553540000");
    EXPECT_EQ(0, again.exitCode) << again.err;
    const std::string expected = WorkedExampleReport();
    const std::size_t usbEnd =
        expected.find("\r\n\r\n\r\nDevice Setup Class:\r\n\r\n   Name:  1394") + 2;
    EXPECT_EQ(expected.substr(0, usbEnd), again.out);
    const Outcome missing =
        Start("--no-usb --no-1394 --class {00000000-0000-0000-0000-0000000000aa}");
    EXPECT_EQ(0, missing.exitCode) << missing.err;
    EXPECT_NE(std::string::npos,
              missing.out.find("ERROR: GetClassName: SetupDiClassNameFromGuid failed with error "
                               "0xE0000206.\n\r\n   Name:  ??? (Class is not installed on the "
                               "system.)\r\n   GUID:  {00000000-0000-0000-0000-0000000000aa}\r\n"))
        << missing.out;
}

TEST_F(ReportCliRunTest, BadDescriptionsExitTwoAndTouchNoOutput) {
    const std::string output = dir.Path("keep.txt");
    ASSERT_TRUE(WriteWholeFile(output, "precious"));
    const std::string syntax = dir.Path("syntax.json");
    const std::string schema = dir.Path("schema.json");
    ASSERT_TRUE(WriteWholeFile(syntax, "{\n  \"os\": {\"major\": 6,}\n}\n"));
    ASSERT_TRUE(WriteWholeFile(schema, "{\"devices\": [{\"instanceId\": 7}]}"));
    const struct {
        std::string file;
        std::string message;
    } cases[] = {
        {dir.Path("absent.json"),
         "malvoret-report: " + dir.Path("absent.json") + ": cannot be read: No such file"},
        {syntax, "malvoret-report: " + syntax + ":2:21: expected a member name, found '}'"},
        {schema, "malvoret-report: " + schema +
                     ": $.devices[0].instanceId: expected a string, found a number\n"},
    };
    for (const auto& c : cases) {
        const Outcome run = Start("--system " + Quote(c.file) + " --output " + Quote(output));
        EXPECT_EQ(2, run.exitCode) << c.file;
        EXPECT_EQ(0u, run.err.find(c.message)) << run.err;
        EXPECT_EQ(1, std::count(run.err.begin(), run.err.end(), '\n')) << run.err;
        EXPECT_EQ("precious", ReadWholeFile(output));
    }
}

TEST_F(ReportCliRunTest, UnwritableOutputExitsOne) {
    const std::string nowhere = dir.Path("no/such/dir/report.txt");
    const Outcome run = Start("--output " + Quote(nowhere));
    EXPECT_EQ(1, run.exitCode);
    EXPECT_EQ("malvoret-report: cannot write '" + nowhere + "': No such file or directory\n",
              run.err);

    if (std::filesystem::is_character_file("/dev/full")) {
        const Outcome full = Start("--output /dev/full");
        EXPECT_EQ(1, full.exitCode);
        EXPECT_EQ("malvoret-report: cannot write '/dev/full': No space left on device\n", full.err);
        EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
        const std::string toFull = MVSI_REPORT_EXE + std::string(" >/dev/full 2>/dev/null");
        const int status = std::system(toFull.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1);
    }
}

TEST_F(ReportCliRunTest, TraceConfigurationBesideTheExecutable) {
    const std::string exe = dir.Path("malvoret-report");
    std::filesystem::copy_file(MVSI_REPORT_EXE, exe);
    std::filesystem::permissions(exe, std::filesystem::perms::owner_all);
    const std::string cfg = dir.Path("malvoret-report.cfg");
    ASSERT_TRUE(WriteWholeFile(cfg, ""));
    Outcome run = Start("", exe);
    EXPECT_EQ(WorkedExampleReport(), run.out);
    EXPECT_EQ(DefaultConfigFile(), ReadWholeFile(cfg));

    // Only INFO on: the verbose sink sees it, the report is unchanged.
    ASSERT_TRUE(WriteWholeFile(cfg, "[LogType3]\r\nName=INFO\r\nEnabled=1\r\n"));
    run = Start("--verbose", exe);
    EXPECT_EQ(WorkedExampleReport(), run.out);
    EXPECT_EQ(0u, run.err.find("INFO: FinalReport::Generate...\n"));
}

}  // namespace

#endif
