// The process-wide trace log: filters messages by type, formats them into a
// fixed-size entry on the caller's stack and hands them to the registered
// sinks (TCustomLog). It writes nowhere itself.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>

#include "platform/platform.h"
#include "text/print_format.h"  // MVSI_PRINTF

inline constexpr std::uint32_t LOG_ERROR = 1;
inline constexpr std::uint32_t LOG_WARNING = 2;
inline constexpr std::uint32_t LOG_INFO = 4;

// The only channel bit with a receiver: delivery to the registered sinks.
inline constexpr std::uint32_t LOG_CHANNEL_SINKS = 0x10;

inline constexpr std::size_t LOG_TYPE_COUNT = 32;
inline constexpr std::size_t LOG_NAME_SIZE = 20;   // 19 characters and the terminator
inline constexpr std::size_t LOG_TOKEN_SIZE = 40;  // 39 characters and the terminator
inline constexpr std::size_t LOG_TEXT_SIZE = 1024;

struct LogType {
    std::uint32_t mask;
    char name[LOG_NAME_SIZE];
};

struct LogEntry {
    std::uint32_t channelMask;
    const LogType* logType;
    char text[LOG_TEXT_SIZE];
};

// Everything InitLog and the configuration file set.
struct LogSettings {
    std::uint32_t enabledMask;
    std::uint32_t channelMask;
    char moduleToken[LOG_TOKEN_SIZE];
    LogType types[LOG_TYPE_COUNT];
    char cfgFile[win::MAX_PATH];  // the configuration file; empty: none
};

// The one instance. Starts as at process start: masks 0, names empty.
LogSettings& LogState();

// Back to the process-start state (tests only; the program initialises once).
void ResetLogState();

void Trace(std::uint32_t type, const char* format, ...) MVSI_PRINTF(2, 3);

LogEntry FormatLogEntry(const char* format, va_list args) MVSI_PRINTF(1, 0);
const LogType& FindLogType(std::uint32_t mask);
void DispatchLogEntry(const LogEntry& entry);

// Copies at most size - 1 bytes of source and terminates; a null source
// gives the empty string.
void CopyBounded(char* target, std::size_t size, const char* source);
