// Malformed machine descriptions (tests/cli/bad_machines/, with the expected
// message of each in expected.tsv) given to the built malvoret-report: exit
// 2, one line on standard error naming the file and the problem, and the
// output file as it was (host builds only).
#if !defined(_WIN32)

#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/scratch_dir.h"

namespace {

struct BadCase {
    std::string file;
    std::string message;
};

std::vector<BadCase> Cases(const std::string& folder) {
    std::vector<BadCase> cases;
    std::ifstream table(folder + "/expected.tsv");
    std::string line;
    while (std::getline(table, line)) {
        const std::size_t tab = line.find('\t');
        if (line.empty() || line[0] == '#' || tab == std::string::npos) {
            continue;
        }
        cases.push_back(BadCase{line.substr(0, tab), line.substr(tab + 1)});
    }
    return cases;
}

TEST(BadMachinesTest, EachIsRefusedWithItsProblemAndTheOutputUntouched) {
    const std::string folder = std::string(MVSI_SOURCE_DIR) + "/tests/cli/bad_machines";
    const std::vector<BadCase> cases = Cases(folder);
    ASSERT_GE(cases.size(), 20u);
    ScratchDir dir;
    const std::string output = dir.Path("report.txt");
    const std::string missing = dir.Path("never-written.txt");
    const std::string err = dir.Path("stderr");
    for (const BadCase& c : cases) {
        const std::string input = folder + "/" + c.file;
        ASSERT_TRUE(WriteWholeFile(output, "the previous report\r\n"));
        for (const std::string& target : {output, missing}) {
            const std::string command = std::string(MVSI_REPORT_EXE) + " --system '" + input +
                                        "' --output '" + target + "' >/dev/null 2>'" + err +
                                        "' </dev/null";
            const int status = std::system(command.c_str());
            ASSERT_TRUE(WIFEXITED(status)) << c.file;
            EXPECT_EQ(2, WEXITSTATUS(status)) << c.file;
            const std::string message = ReadWholeFile(err);
            EXPECT_EQ(0u, message.find("malvoret-report: " + input)) << c.file << ": " << message;
            EXPECT_NE(std::string::npos, message.find(c.message)) << c.file << ": " << message;
            EXPECT_EQ(message.size() - 1, message.find('\n')) << c.file << ": one line";
        }
        EXPECT_EQ("the previous report\r\n", ReadWholeFile(output)) << c.file;
        EXPECT_FALSE(std::filesystem::exists(missing)) << c.file;
    }
}

}  // namespace

#endif
