// Writes registry content as a REGEDIT4 file, the form `regedit /S` imports:
// how a described machine is carried into a Wine prefix.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "machine/machine.h"

namespace machine {

class RegistryExport {
  public:
    RegistryExport();

    // Starts the key `path` (for example HKEY_LOCAL_MACHINE\SYSTEM\...).
    void Key(const std::string& path);
    void String(const std::string& name, const std::string& value);  // REG_SZ
    void Dword(const std::string& name, win::DWORD value);
    // Any type, byte for byte, as hex(type):.. (hex:.. for REG_BINARY).
    void Raw(const std::string& name, win::DWORD type, const std::vector<std::uint8_t>& data);
    // The plain string form where it carries the value exactly, else Raw.
    void Value(const std::string& name, const RegValue& value);

    // The whole file, "\r\n" line breaks.
    const std::string& Text() const { return text_; }

  private:
    void Name(const std::string& name);

    std::string text_;
};

// `name` as a quoted REGEDIT4 string: backslashes and quotes escaped.
std::string QuoteRegString(const std::string& name);

}  // namespace machine
