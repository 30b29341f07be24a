#include "analysis/golden_reports.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::filesystem::path GoldenDir() {
    return std::filesystem::path(MVSI_SOURCE_DIR) / "tests" / "golden";
}

}  // namespace

std::vector<std::pair<std::string, std::string>> GoldenReports() {
    std::vector<std::pair<std::string, std::string>> reports;
    for (const auto& entry : std::filesystem::directory_iterator(GoldenDir())) {
        if (entry.path().extension() == ".txt" && entry.path().stem() != "CMakeLists") {
            reports.emplace_back(entry.path().stem().string(), Slurp(entry.path()));
        }
    }
    std::sort(reports.begin(), reports.end());
    return reports;
}

std::string GoldenReport(const std::string& name) {
    return Slurp(GoldenDir() / (name + ".txt"));
}
