#include "platform/simulated/pe_version_resource.h"

#include <cstddef>

namespace sim {

namespace {

constexpr std::uint16_t kRtVersion = 16;
constexpr std::uint16_t kVersionInfoName = 1;
constexpr std::uint16_t kLangNeutral = 0;
constexpr std::uint16_t kLangEnglishUs = 0x0409;
constexpr std::uint32_t kSubdirectoryFlag = 0x80000000;
constexpr std::uint32_t kNameIsStringFlag = 0x80000000;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::size_t kResourceDirectoryIndex = 2;

// Bounds-checked little-endian reads from the image.
class Image {
  public:
    explicit Image(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

    std::size_t Size() const { return bytes_.size(); }
    bool Has(std::size_t offset, std::size_t length) const {
        return offset <= bytes_.size() && length <= bytes_.size() - offset;
    }
    std::uint16_t Word(std::size_t offset) const {
        return static_cast<std::uint16_t>(bytes_[offset] | bytes_[offset + 1] << 8);
    }
    std::uint32_t Dword(std::size_t offset) const {
        return static_cast<std::uint32_t>(Word(offset)) |
               static_cast<std::uint32_t>(Word(offset + 2)) << 16;
    }
    const std::uint8_t* At(std::size_t offset) const { return bytes_.data() + offset; }

  private:
    const std::vector<std::uint8_t>& bytes_;
};

struct Section {
    std::uint32_t virtualAddress;
    std::uint32_t virtualSize;
    std::uint32_t rawSize;
    std::uint32_t rawOffset;
};

// The file range that holds `length` bytes at `rva`, within one section's
// raw data and within the file.
bool MapRva(const Image& image, const std::vector<Section>& sections, std::uint32_t rva,
            std::size_t length, std::size_t& offset, std::size_t& available) {
    for (const Section& section : sections) {
        if (rva < section.virtualAddress) {
            continue;
        }
        const std::size_t delta = rva - section.virtualAddress;
        if (delta >= section.rawSize) {
            continue;
        }
        const std::size_t start = std::size_t{section.rawOffset} + delta;
        std::size_t end = std::size_t{section.rawOffset} + section.rawSize;
        if (end > image.Size()) {
            end = image.Size();
        }
        if (start > end || end - start < length) {
            return false;
        }
        offset = start;
        available = end - start;
        return true;
    }
    return false;
}

// The resource directory, as offsets relative to its own start.
class ResourceTree {
  public:
    ResourceTree(const Image& image, std::size_t start, std::size_t size)
        : image_(image), start_(start), size_(size) {}

    // The entry of directory `directory` with numeric id `id`: its
    // OffsetToData field. Ids come after the named entries; all are searched.
    win::DWORD FindId(std::size_t directory, std::uint16_t id, std::uint32_t& target,
                      bool& found) const {
        found = false;
        std::size_t first = 0, count = 0;
        if (const win::DWORD error = Entries(directory, first, count)) {
            return error;
        }
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t entry = first + 8 * i;
            const std::uint32_t name = image_.Dword(start_ + entry);
            if ((name & kNameIsStringFlag) == 0 && name == id) {
                target = image_.Dword(start_ + entry + 4);
                found = true;
                return 0;
            }
        }
        return 0;
    }

    // The first entry's OffsetToData, for the language fallback.
    win::DWORD First(std::size_t directory, std::uint32_t& target, bool& found) const {
        found = false;
        std::size_t first = 0, count = 0;
        if (const win::DWORD error = Entries(directory, first, count)) {
            return error;
        }
        if (count > 0) {
            target = image_.Dword(start_ + first + 4);
            found = true;
        }
        return 0;
    }

    bool Has(std::size_t offset, std::size_t length) const {
        return offset <= size_ && length <= size_ - offset;
    }
    std::uint32_t Dword(std::size_t offset) const { return image_.Dword(start_ + offset); }

  private:
    win::DWORD Entries(std::size_t directory, std::size_t& first, std::size_t& count) const {
        if (!Has(directory, 16)) {
            return win::ERROR_RESOURCE_DATA_NOT_FOUND;
        }
        count = std::size_t{image_.Word(start_ + directory + 12)} +
                image_.Word(start_ + directory + 14);
        first = directory + 16;
        if (!Has(first, 8 * count)) {
            return win::ERROR_RESOURCE_DATA_NOT_FOUND;
        }
        return 0;
    }

    const Image& image_;
    std::size_t start_;
    std::size_t size_;
};

// A subdirectory entry's directory offset; false when it points at data.
bool Subdirectory(std::uint32_t target, std::size_t& directory) {
    if ((target & kSubdirectoryFlag) == 0) {
        return false;
    }
    directory = target & ~kSubdirectoryFlag;
    return true;
}

}  // namespace

win::DWORD ReadPeVersionResource(const std::vector<std::uint8_t>& bytes,
                                 std::vector<std::uint8_t>& block) {
    block.clear();
    const Image image(bytes);
    if (!image.Has(0, 64) || image.Word(0) != 0x5A4D) {  // "MZ"
        return win::ERROR_BAD_EXE_FORMAT;
    }
    const std::size_t pe = image.Dword(0x3C);
    if (!image.Has(pe, 24) || image.Dword(pe) != 0x00004550) {  // "PE\0\0"
        return win::ERROR_BAD_EXE_FORMAT;
    }
    const std::size_t sectionCount = image.Word(pe + 6);
    const std::size_t optionalSize = image.Word(pe + 20);
    const std::size_t optional = pe + 24;
    if (!image.Has(optional, optionalSize) || optionalSize < 2) {
        return win::ERROR_BAD_EXE_FORMAT;
    }
    std::size_t directories = 0;
    switch (image.Word(optional)) {
        case 0x10B:  // PE32
            directories = 96;
            break;
        case 0x20B:  // PE32+
            directories = 112;
            break;
        default:
            return win::ERROR_BAD_EXE_FORMAT;
    }
    if (optionalSize < directories) {
        return win::ERROR_BAD_EXE_FORMAT;
    }
    const std::size_t directoryCount = image.Dword(optional + directories - 4);
    const std::size_t tableEnd = optional + optionalSize;
    const std::size_t sectionTable = tableEnd;
    if (sectionCount > (image.Size() - sectionTable) / kSectionHeaderSize) {
        return win::ERROR_BAD_EXE_FORMAT;
    }
    std::vector<Section> sections;
    for (std::size_t i = 0; i < sectionCount; ++i) {
        const std::size_t at = sectionTable + i * kSectionHeaderSize;
        sections.push_back(Section{image.Dword(at + 12), image.Dword(at + 8), image.Dword(at + 16),
                                   image.Dword(at + 20)});
    }
    const std::size_t entry = optional + directories + 8 * kResourceDirectoryIndex;
    if (directoryCount <= kResourceDirectoryIndex || entry + 8 > tableEnd) {
        return win::ERROR_RESOURCE_TYPE_NOT_FOUND;  // no resources at all
    }
    const std::uint32_t resourceRva = image.Dword(entry);
    if (resourceRva == 0 || image.Dword(entry + 4) == 0) {
        return win::ERROR_RESOURCE_TYPE_NOT_FOUND;
    }
    std::size_t treeStart = 0, treeSize = 0;
    if (!MapRva(image, sections, resourceRva, 16, treeStart, treeSize)) {
        return win::ERROR_RESOURCE_DATA_NOT_FOUND;
    }
    const ResourceTree tree(image, treeStart, treeSize);

    std::uint32_t target = 0;
    bool found = false;
    if (const win::DWORD error = tree.FindId(0, kRtVersion, target, found)) {
        return error;
    }
    std::size_t names = 0;
    if (!found) {
        return win::ERROR_RESOURCE_TYPE_NOT_FOUND;
    }
    if (!Subdirectory(target, names)) {
        return win::ERROR_RESOURCE_DATA_NOT_FOUND;
    }
    if (const win::DWORD error = tree.FindId(names, kVersionInfoName, target, found)) {
        return error;
    }
    std::size_t languages = 0;
    if (!found) {
        return ERROR_RESOURCE_NAME_NOT_FOUND;
    }
    if (!Subdirectory(target, languages)) {
        return win::ERROR_RESOURCE_DATA_NOT_FOUND;
    }
    // As the loader: neutral, then the (simulated) user language, then any.
    for (const std::uint16_t language : {kLangNeutral, kLangEnglishUs}) {
        if (const win::DWORD error = tree.FindId(languages, language, target, found)) {
            return error;
        }
        if (found) {
            break;
        }
    }
    if (!found) {
        if (const win::DWORD error = tree.First(languages, target, found)) {
            return error;
        }
    }
    if (!found) {
        return ERROR_RESOURCE_LANG_NOT_FOUND;
    }
    if ((target & kSubdirectoryFlag) != 0 || !tree.Has(target, 16)) {
        return win::ERROR_RESOURCE_DATA_NOT_FOUND;
    }
    const std::uint32_t dataRva = tree.Dword(target);
    const std::uint32_t dataSize = tree.Dword(target + 4);
    std::size_t dataOffset = 0, available = 0;
    if (!MapRva(image, sections, dataRva, dataSize, dataOffset, available)) {
        return win::ERROR_RESOURCE_DATA_NOT_FOUND;
    }
    block.assign(image.At(dataOffset), image.At(dataOffset) + dataSize);
    return 0;
}

}  // namespace sim
