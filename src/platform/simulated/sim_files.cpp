// The system directory, the program's own file name and the profile files.
#include <cstring>
#include <string>
#include <vector>

#include "platform/simulated/ini_file.h"
#include "platform/simulated/simulated_platform.h"

namespace sim {

namespace {

// Where the program lives when the machine does not say; the front end hands
// in the real path of the program it runs.
constexpr const char* kUsualModulePath = "C:\\Program Files\\Malvoret\\MalvoretSysInfo.exe";

}  // namespace

win::UINT SimulatedPlatform::GetSystemDirectoryA(char* buffer, win::UINT size) {
    if (Enter("GetSystemDirectoryA")) {
        return 0;
    }
    const std::string& dir = machine_.systemDirectory;
    const auto length = static_cast<win::UINT>(dir.size());
    if (buffer == nullptr || size <= length) {
        return length + 1;  // the size needed, terminator included; nothing copied
    }
    std::memcpy(buffer, dir.c_str(), dir.size() + 1);
    return length;
}

win::DWORD SimulatedPlatform::GetModuleFileNameA(win::HMODULE module, char* buffer,
                                                 win::DWORD size) {
    if (Enter("GetModuleFileNameA")) {
        return 0;
    }
    std::string path;
    if (module == nullptr) {
        path = machine_.moduleFileName.empty() ? kUsualModulePath : machine_.moduleFileName;
    } else if (reinterpret_cast<std::uintptr_t>(module) == kKernel32Module) {
        path = machine_.systemDirectory + "\\kernel32.dll";
    } else {
        return Fail<win::DWORD>(win::ERROR_MOD_NOT_FOUND, 0);
    }
    if (buffer == nullptr || size == 0) {
        return Fail<win::DWORD>(win::ERROR_INSUFFICIENT_BUFFER, 0);
    }
    const auto length = static_cast<win::DWORD>(path.size());
    if (length >= size) {
        // As Windows XP and later: cut, terminated, the size returned.
        std::memcpy(buffer, path.data(), size - 1);
        buffer[size - 1] = '\0';
        return Fail<win::DWORD>(win::ERROR_INSUFFICIENT_BUFFER, size);
    }
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    lastError_ = win::ERROR_SUCCESS;
    return length;
}

bool SimulatedPlatform::FolderExists(const std::string& folder) const {
    if (machine_.folders.count(folder) != 0) {
        return true;
    }
    // The described files sort without regard to case, so those under the
    // folder start at the first name not below "<folder>\".
    const std::string prefix = folder + "\\";
    const auto next = machine_.files.lower_bound(prefix);
    if (next != machine_.files.end() && next->first.size() > prefix.size() &&
        !machine::CaseInsensitiveLess{}(prefix, next->first.substr(0, prefix.size()))) {
        return true;
    }
    const auto sub = machine_.folders.lower_bound(prefix);
    return sub != machine_.folders.end() && sub->size() > prefix.size() &&
           !machine::CaseInsensitiveLess{}(prefix, sub->substr(0, prefix.size()));
}

win::DWORD SimulatedPlatform::GetFileAttributesA(const char* lpFileName) {
    const std::string path = lpFileName != nullptr ? lpFileName : "";
    if (Enter("GetFileAttributesA", path)) {
        return win::INVALID_FILE_ATTRIBUTES;
    }
    if (path.empty()) {
        return Fail(win::ERROR_PATH_NOT_FOUND, win::INVALID_FILE_ATTRIBUTES);
    }
    std::string trimmed = path;
    while (trimmed.size() > 3 && trimmed.back() == '\\') {
        trimmed.pop_back();
    }
    if (machine_.files.count(trimmed) != 0) {
        lastError_ = win::ERROR_SUCCESS;
        return win::FILE_ATTRIBUTE_ARCHIVE;
    }
    if (FolderExists(trimmed)) {
        lastError_ = win::ERROR_SUCCESS;
        return win::FILE_ATTRIBUTE_DIRECTORY;
    }
    // A missing file in a folder that exists, or a path through a missing folder.
    const std::size_t slash = trimmed.rfind('\\');
    const bool folder = slash != std::string::npos && FolderExists(trimmed.substr(0, slash));
    return Fail(folder ? win::ERROR_FILE_NOT_FOUND : win::ERROR_PATH_NOT_FOUND,
                win::INVALID_FILE_ATTRIBUTES);
}

namespace {

std::string ProfileArgument(const char* section, const char* key) {
    return std::string(section != nullptr ? section : "") + "|" + (key != nullptr ? key : "");
}

// A list of names as the profile functions hand it back: each terminated,
// one more terminator at the end; cut to fit with both terminators kept.
win::DWORD CopyNameList(const std::vector<std::string>& names, char* buffer, win::DWORD size) {
    std::string list;
    for (const std::string& name : names) {
        list += name;
        list += '\0';
    }
    if (size < 2) {
        buffer[0] = '\0';
        return 0;
    }
    if (list.size() + 1 > size) {
        std::memcpy(buffer, list.data(), size - 2);
        buffer[size - 2] = '\0';
        buffer[size - 1] = '\0';
        return size - 2;
    }
    std::memcpy(buffer, list.data(), list.size());
    buffer[list.size()] = '\0';
    return static_cast<win::DWORD>(list.size());
}

}  // namespace

win::DWORD SimulatedPlatform::LoadProfile(const char* fileName, IniFile& file) {
    std::string text;
    const win::DWORD error = profiles().Read(fileName, text);
    if (error == win::ERROR_SUCCESS) {
        file = IniFile(text);
    }
    return error;
}

win::DWORD SimulatedPlatform::GetPrivateProfileStringA(const char* section, const char* key,
                                                       const char* defaultValue, char* buffer,
                                                       win::DWORD size, const char* fileName) {
    if (Enter("GetPrivateProfileStringA", ProfileArgument(section, key))) {
        return 0;
    }
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    IniFile file;
    win::DWORD error =
        fileName != nullptr ? LoadProfile(fileName, file) : win::ERROR_FILE_NOT_FOUND;
    if (section == nullptr || key == nullptr) {
        lastError_ = error;
        return CopyNameList(section == nullptr ? file.Sections() : file.Keys(section), buffer,
                            size);
    }
    std::string value;
    if (auto found = file.Get(section, key)) {
        value = *found;
        error = win::ERROR_SUCCESS;
    } else {
        // The default loses its trailing blanks, as Windows hands it back.
        value = defaultValue != nullptr ? defaultValue : "";
        value.erase(value.find_last_not_of(' ') + 1);
        error = win::ERROR_FILE_NOT_FOUND;
    }
    lastError_ = error;
    const std::size_t length = value.size() < size ? value.size() : size - 1;
    std::memcpy(buffer, value.data(), length);
    buffer[length] = '\0';
    return static_cast<win::DWORD>(length);
}

win::BOOL SimulatedPlatform::WritePrivateProfileStringA(const char* section, const char* key,
                                                        const char* value, const char* fileName) {
    if (Enter("WritePrivateProfileStringA", ProfileArgument(section, key))) {
        return win::FALSE;
    }
    if (section == nullptr || fileName == nullptr) {
        return Fail(win::ERROR_INVALID_PARAMETER, win::FALSE);
    }
    IniFile file;
    const win::DWORD loaded = LoadProfile(fileName, file);
    if (loaded != win::ERROR_SUCCESS && loaded != win::ERROR_FILE_NOT_FOUND) {
        return Fail(loaded, win::FALSE);
    }
    if (key == nullptr || value == nullptr) {
        if (loaded != win::ERROR_SUCCESS) {
            lastError_ = win::ERROR_SUCCESS;
            return win::TRUE;  // nothing to delete; a deletion creates no file
        }
        if (key == nullptr) {
            file.DeleteSection(section);
        } else {
            file.DeleteKey(section, key);
        }
    } else {
        file.Set(section, key, value);
    }
    if (const win::DWORD saved = profiles().Write(fileName, file.Text());
        saved != win::ERROR_SUCCESS) {
        return Fail(saved, win::FALSE);
    }
    lastError_ = win::ERROR_SUCCESS;
    return win::TRUE;
}

}  // namespace sim
