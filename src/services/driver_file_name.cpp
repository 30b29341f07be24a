#include "services/driver_file_name.h"

#include "services/path_parts.h"

namespace {

constexpr std::size_t kPartSize = 256;
constexpr std::size_t kNameSize = 260;

}  // namespace

bool DriverFileName(const std::string& binPath, const std::string& serviceName,
                    std::string& fileName) {
    fileName.clear();
    PathParts parts;
    PathPartSizes sizes;
    // Drive and directory are discarded: they have no size limit here.
    sizes.drive = binPath.size() + 1;
    sizes.dir = binPath.size() + 1;
    sizes.fname = kPartSize;
    sizes.ext = kPartSize;
    if (!SplitPath(binPath, parts, sizes)) {
        return false;
    }
    PathParts name;
    if (parts.fname.empty()) {
        name.fname = serviceName;
        name.ext = "sys";
        if (name.fname.size() >= kPartSize) {
            return false;
        }
    } else {
        name.fname = parts.fname;
        name.ext = parts.ext;
    }
    return MakePath(fileName, name, kNameSize);
}
