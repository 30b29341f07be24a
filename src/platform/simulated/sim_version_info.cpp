// File version information: the version resource of a described file, built
// from its fields, read from a real PE file, or given as raw bytes, and
// queried as Windows does: keys without regard to case, strings handed back
// narrow from a converted copy kept inside the caller's buffer.
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "machine/ansi_code_page.h"
#include "platform/simulated/pe_version_resource.h"
#include "platform/simulated/simulated_platform.h"
#include "platform/simulated/version_block.h"

namespace sim {

namespace {

// After the block: a signature, then room for the narrow copies of its
// strings, each at its own UTF-16 string's offset (it needs at most as many
// bytes), so the area is as large as the block.
constexpr char kConversionSignature[4] = {'F', 'E', '2', 'X'};
constexpr std::size_t kSignatureSize = sizeof kConversionSignature;

// Windows resolves "\\", "/" and "." / ".." before it opens a file.
std::string NormalizePath(const std::string& path) {
    std::string slashed = path;
    for (char& c : slashed) {
        if (c == '/') {
            c = '\\';
        }
    }
    std::string prefix;
    std::size_t at = 0;
    if (slashed.size() >= 2 && slashed[1] == ':') {
        prefix = slashed.substr(0, 2);
        at = 2;
    } else if (slashed.rfind("\\\\", 0) == 0) {
        prefix = "\\\\";
        at = 2;
    }
    const bool rooted = at < slashed.size() && slashed[at] == '\\';
    std::vector<std::string> parts;
    while (at <= slashed.size()) {
        std::size_t end = slashed.find('\\', at);
        if (end == std::string::npos) {
            end = slashed.size();
        }
        const std::string part = slashed.substr(at, end - at);
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        at = end + 1;
    }
    std::string result = prefix + (rooted ? "\\" : "");
    for (std::size_t i = 0; i < parts.size(); ++i) {
        result += (i > 0 ? "\\" : "") + parts[i];
    }
    return result;
}

bool StartsWithFolded(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    const machine::CaseInsensitiveLess less;
    const std::string head = text.substr(0, prefix.size());
    return !less(head, prefix) && !less(prefix, head);
}

// The system directory and every directory that holds a described file.
bool IsDirectory(const machine::Machine& machine, const std::string& path) {
    if (path.empty()) {
        return false;
    }
    const std::string folder = path.back() == '\\' ? path : path + "\\";
    if (StartsWithFolded(NormalizePath(machine.systemDirectory) + "\\", folder)) {
        return true;
    }
    for (const auto& [filePath, file] : machine.files) {
        if (StartsWithFolded(NormalizePath(filePath), folder)) {
            return true;
        }
    }
    return false;
}

// The version resource of the file at `path`, or the error Windows gives.
win::DWORD FileVersionResource(const machine::Machine& machine, const char* path,
                               std::vector<std::uint8_t>& block) {
    block.clear();
    if (path == nullptr || *path == '\0') {
        return win::ERROR_PATH_NOT_FOUND;
    }
    auto file = machine.files.find(path);
    if (file == machine.files.end()) {
        file = machine.files.find(NormalizePath(path));
    }
    if (file == machine.files.end()) {
        // Opening a directory as a file is refused.
        return IsDirectory(machine, NormalizePath(path)) ? win::ERROR_ACCESS_DENIED
                                                         : win::ERROR_FILE_NOT_FOUND;
    }
    const machine::DriverFile& described = file->second;
    if (described.version) {
        block = BuildVersionBlock(*described.version);
    } else if (described.rawBlock) {
        block = *described.rawBlock;
    } else if (described.peFile) {
        if (!described.peImage) {
            return win::ERROR_FILE_NOT_FOUND;  // the copy could not be read
        }
        if (const win::DWORD error = ReadPeVersionResource(*described.peImage, block)) {
            return error;
        }
    } else {
        return win::ERROR_RESOURCE_TYPE_NOT_FOUND;
    }
    if (block.size() < 6) {
        block.clear();
        return win::ERROR_RESOURCE_DATA_NOT_FOUND;  // not even a node header
    }
    return 0;
}

win::WORD BlockLength(const void* block) {
    const auto* bytes = static_cast<const std::uint8_t*>(block);
    return static_cast<win::WORD>(bytes[0] | bytes[1] << 8);
}

}  // namespace

win::DWORD SimulatedPlatform::GetFileVersionInfoSizeA(const char* lptstrFilename,
                                                      win::DWORD* lpdwHandle) {
    if (Enter("GetFileVersionInfoSizeA", lptstrFilename != nullptr ? lptstrFilename : "")) {
        return 0;
    }
    if (lpdwHandle != nullptr) {
        *lpdwHandle = 0;
    }
    std::vector<std::uint8_t> block;
    if (const win::DWORD error = FileVersionResource(machine_, lptstrFilename, block)) {
        return Fail<win::DWORD>(error, 0);
    }
    lastError_ = win::ERROR_SUCCESS;
    return static_cast<win::DWORD>(2 * block.size() + kSignatureSize);
}

win::BOOL SimulatedPlatform::GetFileVersionInfoA(const char* lptstrFilename, win::DWORD,
                                                 win::DWORD dwLen, void* lpData) {
    if (Enter("GetFileVersionInfoA", lptstrFilename != nullptr ? lptstrFilename : "")) {
        return win::FALSE;
    }
    if (lpData == nullptr) {
        return Fail(win::ERROR_INVALID_DATA, win::FALSE);
    }
    std::vector<std::uint8_t> block;
    if (const win::DWORD error = FileVersionResource(machine_, lptstrFilename, block)) {
        return Fail(error, win::FALSE);
    }
    // As Windows: a short buffer gets the beginning of the resource.
    const std::size_t copied = dwLen < block.size() ? dwLen : block.size();
    std::memcpy(lpData, block.data(), copied);
    const std::size_t length = copied >= 2 ? BlockLength(block.data()) : 0;
    if (dwLen >= length + kSignatureSize && length <= copied) {
        std::memcpy(static_cast<std::uint8_t*>(lpData) + length, kConversionSignature,
                    kSignatureSize);
    }
    versionBuffers_[lpData] = VersionBuffer{dwLen, copied};
    lastError_ = win::ERROR_SUCCESS;
    return win::TRUE;
}

win::BOOL SimulatedPlatform::VerQueryValueA(const void* pBlock, const char* lpSubBlock,
                                            void** lplpBuffer, win::UINT* puLen) {
    if (Enter("VerQueryValueA", lpSubBlock != nullptr ? lpSubBlock : "")) {
        return win::FALSE;
    }
    if (lplpBuffer != nullptr) {
        *lplpBuffer = nullptr;
    }
    if (puLen != nullptr) {
        *puLen = 0;
    }
    const auto known = versionBuffers_.find(pBlock);
    if (pBlock == nullptr || lpSubBlock == nullptr || lplpBuffer == nullptr ||
        known == versionBuffers_.end() || known->second.copied < 2) {
        // Only blocks this provider filled have a known extent.
        return Fail(win::ERROR_INVALID_PARAMETER, win::FALSE);
    }
    const auto* block = static_cast<const std::uint8_t*>(pBlock);
    const std::size_t length = BlockLength(pBlock);
    const std::size_t limit = length < known->second.copied ? length : known->second.copied;
    VersionValue value;
    if (!FindVersionValue(block, limit, lpSubBlock, value)) {
        return Fail(win::ERROR_RESOURCE_TYPE_NOT_FOUND, win::FALSE);
    }
    if (value.isRoot && value.bytes == 0) {
        // Windows: a block without its fixed part has no root value.
        return Fail(win::ERROR_RESOURCE_TYPE_NOT_FOUND, win::FALSE);
    }
    if (!value.isText) {
        *lplpBuffer = const_cast<std::uint8_t*>(block + value.offset);
        if (puLen != nullptr) {
            *puLen = static_cast<win::UINT>(value.bytes);
        }
        lastError_ = win::ERROR_SUCCESS;
        return win::TRUE;
    }
    std::u16string wide;
    for (std::size_t i = 0; i + 1 < value.bytes; i += 2) {
        const auto c =
            static_cast<char16_t>(block[value.offset + i] | block[value.offset + i + 1] << 8);
        if (c == 0) {
            break;
        }
        wide.push_back(c);
    }
    const std::string narrow = machine::WideToAnsi(wide);
    const std::size_t target = length + kSignatureSize + value.offset;
    if (target > known->second.size || narrow.size() + 1 > known->second.size - target) {
        // The caller's buffer has no room for the copy: Windows would write past it.
        return Fail(win::ERROR_INSUFFICIENT_BUFFER, win::FALSE);
    }
    auto* copy = static_cast<std::uint8_t*>(const_cast<void*>(pBlock)) + target;
    std::memcpy(copy, narrow.c_str(), narrow.size() + 1);
    *lplpBuffer = copy;
    if (puLen != nullptr) {
        *puLen = value.bytes == 0 ? 0 : static_cast<win::UINT>(narrow.size() + 1);
    }
    lastError_ = win::ERROR_SUCCESS;
    return win::TRUE;
}

}  // namespace sim
