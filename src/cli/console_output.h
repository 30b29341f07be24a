// The report on standard output. A console shows its own (OEM) code page,
// not the ANSI code page the report is written in, so accented names would
// come out wrong: to a console the text goes as wide characters. A file or a
// pipe gets the bytes unchanged.
#pragma once

#include <cstdio>
#include <string>

#include "platform/platform.h"

// True when `out` is the process's standard output and that is a console.
bool IsConsole(win::Platform& system, std::FILE* out);

// Writes `text` to `out`, through the console's wide-character call when
// IsConsole. False with `error` (the reason) when not all of it was written.
bool WriteStandardOutput(win::Platform& system, std::FILE* out, const std::string& text,
                         std::string& error);
