// The code page saved reports are read in: the one asked for, or the
// system's ANSI code page, since a report holds the narrow text of the
// system that wrote it.
#pragma once

#include <optional>

#include "analysis/code_page.h"

// `number` 0 asks the installed platform for its ANSI code page (1252 when
// none answers). Code pages without a table of the reader's go through the
// platform's conversions; nothing when the platform does not know `number`.
std::optional<analysis::CodePage> SystemCodePage(unsigned number);
