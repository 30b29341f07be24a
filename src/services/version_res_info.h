// The version resource of one file, read once and queried from the block.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/buffer.h"
#include "platform/platform.h"

// Language in the low 16 bits, code page in the high 16 bits.
using LangCodePage = std::uint32_t;
using LangCodePageList = std::vector<LangCodePage>;

class VersionResInfo {
  public:
    VersionResInfo() = default;
    ~VersionResInfo();
    VersionResInfo(const VersionResInfo&) = delete;
    VersionResInfo& operator=(const VersionResInfo&) = delete;

    StatusCode LoadVersionResource(const std::string& path);
    bool GetFileVersion(std::uint16_t& part1, std::uint16_t& part2, std::uint16_t& part3,
                        std::uint16_t& part4) const;
    bool GetProductVersion(std::uint16_t& part1, std::uint16_t& part2, std::uint16_t& part3,
                           std::uint16_t& part4) const;
    bool GetLangCodePageList(LangCodePageList& list) const;
    // `value` points into the block: valid until the next load or Unload.
    bool GetLangCodeDependentResStr(const char*& value, std::uint32_t& length,
                                    const std::string& VersionInfoName, std::uint16_t language,
                                    std::uint16_t codePage) const;
    void Unload();

  private:
    ByteBuffer versionBlock;
    const win::VS_FIXEDFILEINFO* fixedInfo = nullptr;
};
