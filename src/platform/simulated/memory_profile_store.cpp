#include "platform/simulated/memory_profile_store.h"

namespace sim {

win::DWORD MemoryProfileStore::Read(const std::string& path, std::string& text) {
    const auto found = files_.find(path);
    if (found == files_.end()) {
        return win::ERROR_FILE_NOT_FOUND;
    }
    text = found->second;
    return win::ERROR_SUCCESS;
}

win::DWORD MemoryProfileStore::Write(const std::string& path, const std::string& text) {
    files_[path] = text;
    return win::ERROR_SUCCESS;
}

}  // namespace sim
