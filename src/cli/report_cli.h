// malvoret-report from its arguments to its exit code: 0 done, 1 the output
// could not be written, 2 bad arguments or a description that does not load.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

int RunReportCli(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

#include "report/report_title.h"
