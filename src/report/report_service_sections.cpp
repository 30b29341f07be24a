// The service and driver version sections: a service's name and binary path,
// and the version resource of its driver file.
#include <cstdint>
#include <string>

#include "log/trace_log.h"
#include "report/format_string.h"
#include "report/report.h"
#include "services/driver_file_name.h"
#include "services/svc_ctrl.h"
#include "services/system_dir.h"
#include "services/version_res_info.h"

namespace {

constexpr std::uint32_t kValueColumn = 21;
constexpr std::uint32_t kStringLabelColumn = 3;
constexpr std::uint32_t kStringValueColumn = 24;

struct VersionString {
    const char* name;
    const char* label;
};

constexpr VersionString kVersionStrings[] = {
    {"CompanyName", "Provider:"},
    {"InternalName", "Internal Name:"},
    {"OriginalFilename", "Original Filename:"},
    {"ProductName", "Product Name:"},
    {"FileDescription", "File Description:"},
};

std::string VersionText(std::uint16_t part1, std::uint16_t part2, std::uint16_t part3,
                        std::uint16_t part4) {
    std::string text;
    FormatString(text, "%u.%u.%u.%u", static_cast<unsigned>(part1), static_cast<unsigned>(part2),
                 static_cast<unsigned>(part3), static_cast<unsigned>(part4));
    return text;
}

}  // namespace

void Report::AddCommonServiceInfo(TSvcCtrl& service) {
    Trace(LOG_INFO, "Report::AddCommonServiceInfo...\n");
    AddText("Name:", 0);
    AddText(service.ServiceName(), kValueColumn);
    AddNewLines(1);
    std::string binPath;
    const StatusCode status = service.GetBinPathNameInfo(binPath);
    if (status != 0) {
        Trace(LOG_ERROR, "AddCommonServiceInfo: GetBinPathNameInfo failed with error 0x%08X.\n",
              status);
        return;
    }
    AddText("Binary:", 0);
    AddText(binPath, kValueColumn);
    AddNewLines(1);
}

void Report::AddDriverVersionInfo(TSvcCtrl& service) {
    Trace(LOG_INFO, "Report::AddDriverVersionInfo...\n");
    std::string binPath;
    StatusCode status = service.GetBinPathNameInfo(binPath);
    if (status != 0) {
        Trace(LOG_ERROR, "AddDriverVersionInfo: GetBinPathNameInfo failed with error 0x%08X.\n",
              status);
        binPath.clear();
    }
    std::string fileName;
    if (!DriverFileName(binPath, service.ServiceName(), fileName)) {
        Trace(LOG_ERROR, "AddDriverVersionInfo: the driver file name of '%s' is too long.\n",
              binPath.c_str());
        return;
    }
    std::string systemDir;
    status = GetSystemDir(systemDir);
    if (status != 0) {
        Trace(LOG_ERROR, "AddDriverVersionInfo: GetSystemDir failed with error = 0x%08X\n", status);
        return;
    }
    VersionResInfo versionInfo;
    status = versionInfo.LoadVersionResource(systemDir + "drivers\\" + fileName);
    if (status != 0) {
        Trace(LOG_ERROR, "AddDriverVersionInfo: LoadVersionResource failed with error = 0x%08X\n",
              status);
        return;
    }
    std::uint16_t part1 = 0xFFFF, part2 = 0xFFFF, part3 = 0xFFFF, part4 = 0xFFFF;
    versionInfo.GetFileVersion(part1, part2, part3, part4);
    AddText("File Version:", 0);
    AddText(VersionText(part1, part2, part3, part4), kValueColumn);
    AddNewLines(1);
    versionInfo.GetProductVersion(part1, part2, part3, part4);
    AddText("Product Version:", 0);
    AddText(VersionText(part1, part2, part3, part4), kValueColumn);
    AddNewLines(1);

    LangCodePageList translations;
    if (!versionInfo.GetLangCodePageList(translations)) {
        AddNewLines(1);
        AddText("File description for specific language/code page not available.", 0);
        AddNewLines(1);
        return;
    }
    for (const LangCodePage entry : translations) {
        const auto language = static_cast<std::uint16_t>(entry & 0xFFFF);
        const auto codePage = static_cast<std::uint16_t>(entry >> 16);
        std::string header;
        FormatString(header, "Language 0x%04X/Code Page 0x%04X:", static_cast<unsigned>(language),
                     static_cast<unsigned>(codePage));
        AddText(header, 0);
        AddNewLines(1);
        for (const VersionString& item : kVersionStrings) {
            const char* value = nullptr;
            std::uint32_t length = 0;
            // Asked before the label, so that its trace stands above the line.
            const bool found = versionInfo.GetLangCodeDependentResStr(value, length, item.name,
                                                                      language, codePage);
            AddText(item.label, kStringLabelColumn);
            AddText(found && value != nullptr ? value : "not available", kStringValueColumn);
            AddNewLines(1);
        }
    }
}
