// Reads registry export files as regedit and `reg export` write them:
// "Windows Registry Editor Version 5.00" in UTF-16LE with a byte order mark
// (UTF-8 with one is read too), or REGEDIT4 in the ANSI code page. One pass
// over the bytes, a line at a time; the keys and values go to a sink.
//
// All text handed on is narrow, in the ANSI code page, as the "A" functions
// hand it back: key and value names, and the data of string values (REG_SZ,
// REG_EXPAND_SZ, REG_MULTI_SZ), which a Version 5.00 file holds as UTF-16.
// Other data is kept byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "machine/machine.h"

namespace machine {

class RegFileSink {
  public:
    virtual ~RegFileSink() = default;
    // `path` in parts, the root first ("HKEY_LOCAL_MACHINE", "SYSTEM", ...).
    virtual void Key(const std::vector<std::string>& path) = 0;
    virtual void DeleteKey(const std::vector<std::string>& path) = 0;
    // Of the key last started; "" is the default value (@).
    virtual void Value(const std::string& name, RegValue value) = 0;
    virtual void DeleteValue(const std::string& name) = 0;
};

struct RegFileError {
    std::size_t line = 0;  // from 1; 0 when the file as a whole is refused
    std::string message;
};

// Registry limits that keep a hostile file from building a tree the
// registry could not hold.
inline constexpr std::size_t kMaxKeyNameLength = 255;
inline constexpr std::size_t kMaxKeyDepth = 512;

// False at the first fault, with `error` naming its line. What went to the
// sink before stays there: callers discard it.
bool ParseRegFile(const std::uint8_t* data, std::size_t size, RegFileSink& sink,
                  RegFileError& error);

}  // namespace machine
