// The trace log's configuration file: an INI file beside the executable,
// named like it with the extension "cfg". Optional and never created; an
// empty one is filled with the defaults.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "log/trace_log.h"
#include "platform/platform.h"

// Start-up parameters of InitLog.
struct LogConfig {
    win::HMODULE module;  // whose file name locates the configuration file; null: our own
    std::uint32_t defaultEnabledMask;
    std::uint32_t channelMask;
    const char* moduleToken;
};

// The parameters the program starts with: own executable, ERROR | WARNING |
// INFO, channel mask 0x1B, token "ZEP".
LogConfig DefaultLogConfig();

// Sets the trace log up from the configuration file beside the module, or,
// without one, from `config`.
void InitLog(const LogConfig& config);

enum class CfgFileState { Absent, Empty, NonEmpty };

// Works out the configuration file path (LogState().cfgFile) from the
// module's file name. Answers 0 or the Windows error code.
StatusCode SetCfgFile(win::HMODULE module);

// Absent: cannot be opened. Empty: opens and the first read meets end of
// file. Everything else counts as present and not empty.
CfgFileState ClassifyCfgFile();

// Reads the module token and every log type's Enabled and Name.
void ReadLogConfig();

// Sets the enabled mask and, when the file exists, writes every log type's
// Name and Enabled into it.
void WriteLogDefaults(std::uint32_t mask);

// `path` with everything after its last separator's last "." replaced by
// "cfg" (".cfg" added when it has no extension). Drive, directory and file
// name are bounded as the C runtime's path splitter bounds them.
std::string ConfigPathFor(const std::string& path);
