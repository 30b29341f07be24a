#include "log/trace_log.h"

#include <cstring>

#include "log/custom_log.h"
#include "log/log_registry.h"
#include "text/print_format.h"

namespace {

constexpr LogSettings InitialSettings() {
    LogSettings settings{};
    for (std::size_t i = 0; i < LOG_TYPE_COUNT; ++i) {
        settings.types[i].mask = std::uint32_t{1} << i;
    }
    return settings;
}

// Plain data, constant-initialised: valid before any constructor runs and
// after every destructor.
constinit LogSettings g_settings = InitialSettings();

const char kFaultyPrefix[] = "_____FAULTY_LOG_ENTRY: ";

LogType& TypeEntry(std::uint32_t mask) {
    for (LogType& type : g_settings.types) {
        if (type.mask == mask) {
            return type;
        }
    }
    return g_settings.types[0];
}

// Entries reach the sinks only through the sinks' channel.
bool SinkTakes(std::uint32_t type) {
    if ((g_settings.channelMask & LOG_CHANNEL_SINKS) == 0) {
        return false;
    }
    for (const TCustomLog* sink : Sinks()) {
        if ((sink->TypesTaken() & type) != 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

LogSettings& LogState() {
    return g_settings;
}

void ResetLogState() {
    g_settings = InitialSettings();
}

void CopyBounded(char* target, std::size_t size, const char* source) {
    if (size == 0) {
        return;
    }
    std::size_t n = 0;
    if (source != nullptr) {
        while (n + 1 < size && source[n] != '\0') {
            target[n] = source[n];
            ++n;
        }
    }
    target[n] = '\0';
}

void Trace(std::uint32_t type, const char* format, ...) {
    if ((g_settings.enabledMask & type) == 0 || !SinkTakes(type)) {
        return;  // disabled, or no sink writes it: nothing is formatted
    }
    va_list args;
    va_start(args, format);
    LogEntry entry = FormatLogEntry(format, args);
    va_end(args);
    entry.channelMask = g_settings.channelMask;
    entry.logType = &FindLogType(type);
    DispatchLogEntry(entry);
}

LogEntry FormatLogEntry(const char* format, va_list args) {
    LogEntry entry;
    entry.channelMask = 0;
    entry.logType = nullptr;
    const int written =
        format != nullptr ? FormatPrintV(entry.text, sizeof entry.text, format, args) : -1;
    if (written < 0) {
        // The format could not be applied: deliver the raw format instead.
        std::memset(entry.text, 0, sizeof entry.text);
        CopyBounded(entry.text, sizeof entry.text, kFaultyPrefix);
        if (format != nullptr) {
            const std::size_t used = sizeof kFaultyPrefix - 1;
            CopyBounded(entry.text + used, sizeof entry.text - used, format);
        }
    }
    entry.text[sizeof entry.text - 1] = '\0';
    return entry;
}

const LogType& FindLogType(std::uint32_t mask) {
    return TypeEntry(mask);
}

void DispatchLogEntry(const LogEntry& entry) {
    if ((entry.channelMask & LOG_CHANNEL_SINKS) == 0) {
        return;
    }
    const std::uint32_t type = entry.logType != nullptr ? entry.logType->mask : LOG_ERROR;
    for (TCustomLog* sink : Sinks()) {
        sink->Output(type, entry.text);
    }
}
