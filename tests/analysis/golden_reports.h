// The golden reports of tests/golden/, read as bytes: the saved reports of
// every example machine, the fault machines' included.
#pragma once

#include <string>
#include <utility>
#include <vector>

// Name (without .txt) and bytes, sorted by name.
std::vector<std::pair<std::string, std::string>> GoldenReports();
std::string GoldenReport(const std::string& name);
