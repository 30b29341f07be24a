// Reads the version resource (type RT_VERSION, name 1) out of a PE image
// (.sys, .dll, .exe), 32- or 64-bit. Every header, table and offset is
// checked against the image: a truncated or hostile file gives an error code
// as Windows gives one, never a read outside the image.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace sim {

inline constexpr win::DWORD ERROR_RESOURCE_NAME_NOT_FOUND = 1814;
inline constexpr win::DWORD ERROR_RESOURCE_LANG_NOT_FOUND = 1815;

// 0 with `block` holding the resource's bytes, or the error code:
// ERROR_BAD_EXE_FORMAT for broken headers or sections, ERROR_RESOURCE_TYPE_NOT_FOUND
// for an image without a version resource, ERROR_RESOURCE_NAME_NOT_FOUND /
// ERROR_RESOURCE_LANG_NOT_FOUND for incomplete resource directories and
// ERROR_RESOURCE_DATA_NOT_FOUND for directories or data outside the image.
win::DWORD ReadPeVersionResource(const std::vector<std::uint8_t>& image,
                                 std::vector<std::uint8_t>& block);

}  // namespace sim
