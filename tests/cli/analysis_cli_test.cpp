// The commands that read reports, through the command line's entry point:
// their exit codes, the one line a damaged report earns, and --read going on
// past a file that is not a report.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/report_cli.h"
#include "log/trace_log.h"
#include "support/scratch_dir.h"

namespace {

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string Drain(std::FILE* file) {
    std::string text;
    std::rewind(file);
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        text.append(buffer, n);
    }
    std::fclose(file);
    return text;
}

Outcome Cli(const std::vector<std::string>& args) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Outcome run;
    run.exitCode = RunReportCli(args, out, err);
    run.out = Drain(out);
    run.err = Drain(err);
    ResetLogState();
    return run;
}

std::string Golden(const std::string& name) {
    return std::string(MVSI_SOURCE_DIR) + "/tests/golden/" + name + ".txt";
}

TEST(AnalysisCli, ExitCodesSayTheSameDifferentOrTrouble) {
    EXPECT_EQ(Cli({"--diff", Golden("worked-example"), Golden("worked-example")}).exitCode, 0);
    const Outcome different = Cli({"--diff", Golden("worked-example"), Golden("support-cases")});
    EXPECT_EQ(different.exitCode, 1);
    EXPECT_NE(different.out.find("+ device USB\\VID_2A11&PID_0902\\7&3A&0&2"), std::string::npos);
    // Without NEW: the report written now, here of the described machine.
    const std::string machine =
        std::string(MVSI_SOURCE_DIR) + "/examples/machines/worked-example.json";
    EXPECT_EQ(Cli({"--diff", Golden("worked-example"), "--system", machine}).exitCode, 0);
    EXPECT_EQ(Cli({"--diff", Golden("missing-file")}).exitCode, 2);
    EXPECT_EQ(Cli({"--check", Golden("worked-example")}).exitCode, 0);
    EXPECT_EQ(Cli({"--check", Golden("xp-sp3-usb-1394"), "--format", "json"}).exitCode, 1);
    EXPECT_EQ(Cli({"--read", Golden("worked-example"), "--format", "xml"}).exitCode, 2);
    EXPECT_EQ(Cli({"--read", Golden("worked-example"), "--code-page", "12345"}).exitCode, 2);
}

TEST(AnalysisCli, DamagedReportIsOneLineAndReadGoesOnPastIt) {
    ScratchDir dir;
    const std::string damaged = dir.Path("damaged.txt");
    ASSERT_TRUE(WriteWholeFile(damaged, "Malvoret System Info v1.70.0\r\n---\r\n"));
    const Outcome diff = Cli({"--diff", damaged, Golden("worked-example")});
    EXPECT_EQ(diff.exitCode, 2);
    EXPECT_EQ(diff.err, damaged + ":2: expected \"----------------------------\", found \"---\"\n");

    const Outcome lines = Cli({"--read", Golden("worked-example"), damaged,
                               Golden("faults-services"), "--format", "jsonl"});
    EXPECT_EQ(lines.exitCode, 2);
    EXPECT_EQ(std::count(lines.out.begin(), lines.out.end(), '\n'), 2);
    EXPECT_EQ(lines.out.find("{\"schemaVersion\":2,\"source\":"), 0u);
    EXPECT_NE(lines.err.find(damaged + ":2:"), std::string::npos);
}

TEST(AnalysisCli, ReadWritesTheReportAgainAndJsonOfTheLiveReport) {
    ScratchDir dir;
    const std::string mailed = dir.Path("mailed.txt");
    std::string text = ReadWholeFile(Golden("worked-example"));
    std::string lf;
    for (const char c : text) {
        if (c != '\r') {
            lf.push_back(c);
        }
    }
    ASSERT_TRUE(WriteWholeFile(mailed, lf));
    const std::string repaired = dir.Path("repaired.txt");
    EXPECT_EQ(Cli({"--read", mailed, "--output", repaired}).exitCode, 0);
    EXPECT_EQ(ReadWholeFile(repaired), text);

    const Outcome json = Cli({"--format", "json", "--no-1394"});
    EXPECT_EQ(json.exitCode, 0);
    EXPECT_EQ(json.out.find("{\n  \"schemaVersion\": 2,\n  \"title\": "), 0u);
}

}  // namespace
