#include "log/log_config.h"

#include "host/read_probe.h"
#include "log/trace_log.h"
#include "platform/failure_code.h"
#include "text/joined.h"

namespace {

constexpr std::size_t kDriveSize = 3;
constexpr std::size_t kDirSize = 256;
constexpr std::size_t kNameSize = 256;

bool CanOpenForReading(const char* path) {
    return host::ProbeForReading(path) != host::ReadStart::CannotOpen;
}

std::string Bounded(const std::string& s, std::size_t size) {
    return s.size() < size ? s : s.substr(0, size - 1);
}

bool IsOne(const char* value) {
    return value[0] == '1' && value[1] == '\0';
}

LogType& NamedType(std::uint32_t mask) {
    for (LogType& type : LogState().types) {
        if (type.mask == mask) {
            return type;
        }
    }
    return LogState().types[0];
}

std::string SectionName(std::size_t n) {
    return Joined({"LogType", std::to_string(n)});
}

}  // namespace

std::string ConfigPathFor(const std::string& path) {
    std::size_t rest = 0;
    std::string drive;
    if (path.size() >= 2 && path[1] == ':' &&
        ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'))) {
        drive = path.substr(0, 2);
        rest = 2;
    }
    const std::size_t slash = path.find_last_of("\\/");
    std::string dir;
    if (slash != std::string::npos && slash >= rest) {
        dir = path.substr(rest, slash + 1 - rest);
        rest = slash + 1;
    }
    std::string name = path.substr(rest);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) {
        name.erase(dot);
    }
    std::string result = Joined(
        {Bounded(drive, kDriveSize), Bounded(dir, kDirSize), Bounded(name, kNameSize), ".cfg"});
    return Bounded(result, win::MAX_PATH);
}

StatusCode SetCfgFile(win::HMODULE module) {
    LogSettings& log = LogState();
    char path[win::MAX_PATH] = {};
    const win::DWORD length = win::Current().GetModuleFileNameA(module, path, sizeof path);
    // A cut name would point at some other file: treat it as a failure.
    if (length == 0 || length >= sizeof path) {
        const win::DWORD last = win::Current().GetLastError();
        const win::DWORD error = length != 0 && last == win::ERROR_SUCCESS
                                     ? win::ERROR_INSUFFICIENT_BUFFER
                                     : FailureCode(last);
        Trace(LOG_ERROR, "SetCfgFile: GetModuleFileName failed with error = %d\n",
              static_cast<int>(error));
        log.cfgFile[0] = '\0';
        return error;
    }
    CopyBounded(log.cfgFile, sizeof log.cfgFile, ConfigPathFor(path).c_str());
    return 0;
}

CfgFileState ClassifyCfgFile() {
    switch (host::ProbeForReading(LogState().cfgFile)) {
        case host::ReadStart::CannotOpen:
            return CfgFileState::Absent;
        case host::ReadStart::AtEnd:
            return CfgFileState::Empty;
        case host::ReadStart::Something:
            break;
    }
    return CfgFileState::NonEmpty;
}

void ReadLogConfig() {
    LogSettings& log = LogState();
    win::Platform& platform = win::Current();
    // A value that cannot be read counts as absent.
    log.moduleToken[0] = '\0';
    platform.GetPrivateProfileStringA("Common", "ModuleToken", "", log.moduleToken,
                                      sizeof log.moduleToken, log.cfgFile);
    for (std::size_t n = 1; n <= LOG_TYPE_COUNT; ++n) {
        LogType& type = log.types[n - 1];
        const std::string section = SectionName(n);
        char enabled[100] = {};
        platform.GetPrivateProfileStringA(section.c_str(), "Enabled", "", enabled, sizeof enabled,
                                          log.cfgFile);
        if (IsOne(enabled)) {
            log.enabledMask |= type.mask;
        } else {
            log.enabledMask &= ~type.mask;
        }
        type.name[0] = '\0';
        platform.GetPrivateProfileStringA(section.c_str(), "Name", "", type.name, sizeof type.name,
                                          log.cfgFile);
    }
}

void WriteLogDefaults(std::uint32_t mask) {
    LogSettings& log = LogState();
    log.enabledMask = mask;
    if (!CanOpenForReading(log.cfgFile)) {
        return;  // an absent file is never created
    }
    for (std::size_t n = 1; n <= LOG_TYPE_COUNT; ++n) {
        const LogType& type = log.types[n - 1];
        const std::string section = SectionName(n);
        win::Current().WritePrivateProfileStringA(section.c_str(), "Name", type.name, log.cfgFile);
        win::Current().WritePrivateProfileStringA(section.c_str(), "Enabled",
                                                  (log.enabledMask & type.mask) != 0 ? "1" : "0",
                                                  log.cfgFile);
    }
}

LogConfig DefaultLogConfig() {
    return LogConfig{nullptr, 7, 0x1B, "ZEP"};
}

void InitLog(const LogConfig& config) {
    LogState().channelMask = config.channelMask;
    SetCfgFile(config.module);  // on failure the path stays empty: no file
    const CfgFileState state = ClassifyCfgFile();
    if (state == CfgFileState::NonEmpty) {
        ReadLogConfig();  // the file alone decides: no default mask, no names
        return;
    }
    CopyBounded(LogState().moduleToken, sizeof LogState().moduleToken, config.moduleToken);
    if (state == CfgFileState::Empty) {
        win::Current().WritePrivateProfileStringA("Common", "ModuleToken", LogState().moduleToken,
                                                  LogState().cfgFile);
    }
    CopyBounded(NamedType(LOG_ERROR).name, LOG_NAME_SIZE, "ERROR");
    CopyBounded(NamedType(LOG_WARNING).name, LOG_NAME_SIZE, "WARNING");
    CopyBounded(NamedType(LOG_INFO).name, LOG_NAME_SIZE, "INFO");
    WriteLogDefaults(config.defaultEnabledMask);
}
