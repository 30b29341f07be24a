// malvoret-report from its arguments to its exit code: 0 done, 1 the output
// could not be written, 2 bad arguments or a description that does not load.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

int RunReportCli(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

// The title block of the report: the product line, a line break and as many
// dashes as the product line is long.
std::string ReportTitle();
