// malvoret-report: the report on standard output or in a file.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/report_cli.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
#if defined(_WIN32)
    // The report's line breaks are "\r\n" already; text mode would double the "\r".
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return RunReportCli(args, stdout, stderr);
}
