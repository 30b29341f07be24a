#include "services/pe_image_builder.h"

namespace {

constexpr std::uint32_t kSectionRva = 0x1000;
constexpr std::size_t kSectionFileOffset = 0x200;

}  // namespace

void PeImage::PutWord(std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PeImage::PutDword(std::size_t at, std::uint32_t value) {
    PutWord(at, static_cast<std::uint16_t>(value));
    PutWord(at + 2, static_cast<std::uint16_t>(value >> 16));
}

PeImage BuildPeImage(const std::vector<std::uint8_t>& resource, const PeImageOptions& options) {
    PeImage image;
    const std::size_t optionalSize = options.pe32Plus ? 240 : 224;
    const std::size_t directories = options.pe32Plus ? 112 : 96;
    // Resource directory: three levels of one entry each, then the data entry.
    const std::size_t names = 0x18, languages = 0x30, dataEntry = 0x48, data = 0x58;
    const std::size_t sectionSize = data + resource.size();
    image.bytes.assign(kSectionFileOffset + ((sectionSize + 0x1FF) & ~std::size_t{0x1FF}), 0);

    image.PutWord(0, 0x5A4D);
    image.PutDword(0x3C, 0x40);
    image.peHeader = 0x40;
    image.PutDword(image.peHeader, 0x00004550);
    image.PutWord(image.peHeader + 4, options.pe32Plus ? 0x8664 : 0x014C);
    image.PutWord(image.peHeader + 6, 1);
    image.PutWord(image.peHeader + 20, static_cast<std::uint16_t>(optionalSize));
    image.optionalHeader = image.peHeader + 24;
    image.PutWord(image.optionalHeader, options.pe32Plus ? 0x20B : 0x10B);
    image.PutDword(image.optionalHeader + directories - 4, 16);
    image.resourceEntry = image.optionalHeader + directories + 16;
    if (options.withResources) {
        image.PutDword(image.resourceEntry, kSectionRva);
        image.PutDword(image.resourceEntry + 4, static_cast<std::uint32_t>(sectionSize));
    }
    image.sectionTable = image.optionalHeader + optionalSize;
    const std::size_t section = image.sectionTable;
    const char name[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
    for (std::size_t i = 0; i < 8; ++i) {
        image.bytes[section + i] = static_cast<std::uint8_t>(name[i]);
    }
    image.PutDword(section + 8, static_cast<std::uint32_t>(sectionSize));
    image.PutDword(section + 12, kSectionRva);
    image.PutDword(section + 16,
                   static_cast<std::uint32_t>(image.bytes.size() - kSectionFileOffset));
    image.PutDword(section + 20, static_cast<std::uint32_t>(kSectionFileOffset));

    const std::size_t base = kSectionFileOffset;
    image.resourceStart = base;
    const auto directory = [&](std::size_t at, std::uint16_t id, std::uint32_t target) {
        image.PutWord(base + at + 14, 1);  // one id entry
        image.PutDword(base + at + 16, id);
        image.PutDword(base + at + 20, target);
    };
    directory(0, options.resourceType, 0x80000000u | names);
    directory(names, options.resourceName, 0x80000000u | languages);
    directory(languages, options.language, static_cast<std::uint32_t>(dataEntry));
    image.dataEntry = base + dataEntry;
    image.PutDword(image.dataEntry, static_cast<std::uint32_t>(kSectionRva + data));
    image.PutDword(image.dataEntry + 4, static_cast<std::uint32_t>(resource.size()));
    image.data = base + data;
    for (std::size_t i = 0; i < resource.size(); ++i) {
        image.bytes[image.data + i] = resource[i];
    }
    return image;
}
