// The commands of malvoret-report that treat reports as data: --read,
// --diff, --check and the JSON twin of the report written now.
#pragma once

#include <cstdio>
#include <string>

#include "cli/cli_options.h"

// True when the command needs no report of this system: every report it
// looks at is a saved one.
bool ReadsSavedReportsOnly(const CliOptions& options);
// True when the command looks at the report written now as data.
bool AnalysesLiveReport(const CliOptions& options);

// `live` is the report written now, or null when ReadsSavedReportsOnly.
// Exit codes: --read 0 or 2 (some file not a report); --diff 0 the same,
// 1 different, 2 trouble; --check 0 no errors, 1 errors found, 2 trouble.
int RunAnalysisCommand(const CliOptions& options, const std::string* live, std::FILE* out,
                       std::FILE* err);
