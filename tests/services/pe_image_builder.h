// Builds small PE images with one resource section for the reader's tests,
// and names the offsets that the malformed variants overwrite.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct PeImageOptions {
    bool pe32Plus = false;
    bool withResources = true;
    std::uint16_t resourceType = 16;  // RT_VERSION
    std::uint16_t resourceName = 1;
    std::uint16_t language = 0x0409;
};

struct PeImage {
    std::vector<std::uint8_t> bytes;
    std::size_t peHeader = 0;  // "PE\0\0"
    std::size_t optionalHeader = 0;
    std::size_t resourceEntry = 0;  // the data directory entry (RVA, size)
    std::size_t sectionTable = 0;
    std::size_t resourceStart = 0;  // file offset of the resource directory
    std::size_t dataEntry = 0;      // file offset of the resource data entry
    std::size_t data = 0;           // file offset of the resource bytes

    void PutWord(std::size_t at, std::uint16_t value);
    void PutDword(std::size_t at, std::uint32_t value);
};

PeImage BuildPeImage(const std::vector<std::uint8_t>& resource, const PeImageOptions& options = {});
