#include "services/version_res_info.h"

#include <cstring>

#include "log/trace_log.h"
#include "platform/failure_code.h"
#include "text/print_format.h"

namespace {

constexpr std::size_t kSubBlockSize = 1024;

void SplitVersion(win::DWORD ms, win::DWORD ls, std::uint16_t& part1, std::uint16_t& part2,
                  std::uint16_t& part3, std::uint16_t& part4) {
    part1 = static_cast<std::uint16_t>(ms >> 16);
    part2 = static_cast<std::uint16_t>(ms & 0xFFFF);
    part3 = static_cast<std::uint16_t>(ls >> 16);
    part4 = static_cast<std::uint16_t>(ls & 0xFFFF);
}

}  // namespace

VersionResInfo::~VersionResInfo() {
    Unload();
}

void VersionResInfo::Unload() {
    if (versionBlock != nullptr) {
        fixedInfo = nullptr;
        versionBlock.reset();
    }
}

StatusCode VersionResInfo::LoadVersionResource(const std::string& path) {
    Trace(LOG_INFO, "VersionResInfo::LoadVersionResource('%s')...\n", path.c_str());
    Unload();
    win::Platform& platform = win::Current();
    win::DWORD handle = 0;
    const win::DWORD size = platform.GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0) {
        const StatusCode error = LastFailureCode();
        Trace(LOG_ERROR, "LoadVersionResource: GetFileVersionInfoSize failed with error 0x%08X.\n",
              error);
        return error;
    }
    versionBlock = AllocateBuffer(size);
    if (versionBlock == nullptr) {
        Trace(LOG_ERROR, "LoadVersionResource: not enough memory for the version resource.\n");
        return win::ERROR_NOT_ENOUGH_MEMORY;
    }
    if (!platform.GetFileVersionInfoA(path.c_str(), handle, size, versionBlock.get())) {
        const StatusCode error = LastFailureCode();
        Trace(LOG_ERROR, "LoadVersionResource: GetFileVersionInfo failed with error 0x%08X.\n",
              error);
        Unload();
        return error;
    }
    void* fixed = nullptr;
    win::UINT length = 0;
    if (!platform.VerQueryValueA(versionBlock.get(), "\\", &fixed, &length)) {
        Trace(LOG_ERROR,
              "LoadVersionResource: VerQueryValue failed to get the fixed part of the version "
              "resource.\n");
        Unload();
        return win::ERROR_INVALID_FUNCTION;
    }
    if (length != sizeof(win::VS_FIXEDFILEINFO) || fixed == nullptr) {
        Trace(LOG_ERROR,
              "LoadVersionResource: unexpected size of the fixed part of the version resource.\n");
        Unload();
        return win::ERROR_INVALID_FUNCTION;
    }
    fixedInfo = static_cast<const win::VS_FIXEDFILEINFO*>(fixed);
    return 0;
}

bool VersionResInfo::GetFileVersion(std::uint16_t& part1, std::uint16_t& part2,
                                    std::uint16_t& part3, std::uint16_t& part4) const {
    Trace(LOG_INFO, "VersionResInfo::GetFileVersion...\n");
    part1 = part2 = part3 = part4 = 0xFFFF;
    if (versionBlock == nullptr || fixedInfo == nullptr) {
        Trace(LOG_ERROR, "GetFileVersion: no version resource loaded.\n");
        return false;
    }
    SplitVersion(fixedInfo->dwFileVersionMS, fixedInfo->dwFileVersionLS, part1, part2, part3,
                 part4);
    return true;
}

bool VersionResInfo::GetProductVersion(std::uint16_t& part1, std::uint16_t& part2,
                                       std::uint16_t& part3, std::uint16_t& part4) const {
    Trace(LOG_INFO, "VersionResInfo::GetProductVersion...\n");
    part1 = part2 = part3 = part4 = 0xFFFF;
    if (versionBlock == nullptr || fixedInfo == nullptr) {
        Trace(LOG_ERROR, "GetProductVersion: no version resource loaded.\n");
        return false;
    }
    SplitVersion(fixedInfo->dwProductVersionMS, fixedInfo->dwProductVersionLS, part1, part2, part3,
                 part4);
    return true;
}

bool VersionResInfo::GetLangCodePageList(LangCodePageList& list) const {
    Trace(LOG_INFO, "VersionResInfo::GetLangCodePageList...\n");
    list.clear();
    if (versionBlock == nullptr) {
        Trace(LOG_ERROR, "GetLangCodePageList: no version resource loaded.\n");
        return false;
    }
    void* value = nullptr;
    win::UINT length = 0;
    if (!win::Current().VerQueryValueA(versionBlock.get(), "\\VarFileInfo\\Translation", &value,
                                       &length) ||
        value == nullptr) {
        Trace(LOG_ERROR, "GetLangCodePageList:  List of languages and code pages not available.\n");
        return false;
    }
    // The entries need not be aligned inside the block.
    const auto* bytes = static_cast<const std::uint8_t*>(value);
    for (win::UINT i = 0; i + 4 <= length; i += 4) {
        LangCodePage entry = 0;
        std::memcpy(&entry, bytes + i, sizeof entry);
        list.push_back(entry);
    }
    return true;
}

bool VersionResInfo::GetLangCodeDependentResStr(const char*& value, std::uint32_t& length,
                                                const std::string& VersionInfoName,
                                                std::uint16_t language,
                                                std::uint16_t codePage) const {
    Trace(LOG_INFO, "VersionResInfo::GetLangCodeDependentResStr...\n");
    value = nullptr;
    length = 0;
    if (versionBlock == nullptr) {
        Trace(LOG_ERROR, "GetLangCodeDependentResStr: no version resource loaded.\n");
        return false;
    }
    char subBlock[kSubBlockSize] = {};
    const int written = FormatPrint(subBlock, kSubBlockSize, "\\StringFileInfo\\%04x%04x\\%s",
                                    language, codePage, VersionInfoName.c_str());
    if (written < 0 || static_cast<std::size_t>(written) >= kSubBlockSize) {
        Trace(LOG_ERROR, "GetLangCodeDependentResStr: VersionInfoName to long.\n");
        return false;
    }
    void* found = nullptr;
    win::UINT foundLength = 0;
    if (!win::Current().VerQueryValueA(versionBlock.get(), subBlock, &found, &foundLength) ||
        found == nullptr) {
        Trace(LOG_ERROR,
              "GetLangCodeDependentResStr: version information '%s' for language 0x%04X and code "
              "page 0x%04X not available.\n",
              VersionInfoName.c_str(), language, codePage);
        return false;
    }
    value = static_cast<const char*>(found);
    length = foundLength;
    return true;
}
