// The VS_VERSIONINFO binary layout: building a block from described fields,
// and walking a block to the value a sub-block path names. The walker checks
// every length and offset against the bytes it is given.
//
// A node: WORD wLength (the node with its children), WORD wValueLength (in
// characters for text, bytes for binary), WORD wType (1 text, 0 binary), the
// key in UTF-16 with its terminator, padding to 4 bytes, the value, padding
// to 4 bytes, the children.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "machine/machine.h"

namespace sim {

inline constexpr win::DWORD kFixedFileInfoSignature = 0xFEEF04BD;

std::vector<std::uint8_t> BuildVersionBlock(const machine::VersionFields& fields);

struct VersionValue {
    std::size_t offset = 0;  // of the value, from the block's start
    std::size_t bytes = 0;   // the value's bytes that lie inside its node
    bool isText = false;
    bool isRoot = false;
};

// Finds the value of `subBlock` ("\\", "\\VarFileInfo\\Translation",
// "\\StringFileInfo\\040904b0\\CompanyName"; keys without regard to case) in
// the first `size` bytes of `block`. False when the path is not there or the
// block is malformed on the way.
bool FindVersionValue(const std::uint8_t* block, std::size_t size, const char* subBlock,
                      VersionValue& value);

}  // namespace sim
