// Reads a described machine (docs/machine-description.md) from JSON. Every
// error is one line naming the source and either the line and column of a
// syntax error or the JSON path of a value and what was expected there.
#pragma once

#include <string>
#include <string_view>

#include "machine/json_value.h"
#include "machine/machine.h"

namespace sim {

class MachineLoader {
  public:
    // `source` names the description in messages; relative "peFile" paths
    // are taken from `baseDir`.
    MachineLoader(std::string source, std::string baseDir);

    bool LoadFile(const std::string& path, Machine& machine);
    bool LoadText(std::string_view text, Machine& machine);
    const std::string& Error() const { return error_; }

    // Reads a whole machine description; false with Error() set.
    static bool FromFile(const std::string& path, Machine& machine, std::string& error);

  private:
    bool Fail(const std::string& path, const std::string& expected);
    bool CheckMembers(const JsonValue& value, const std::string& path,
                      std::initializer_list<const char*> allowed);

    bool ReadMachine(const JsonValue& root, Machine& machine);
    bool ReadOs(const JsonValue& value, const std::string& path, OsFacts& os);
    bool ReadClass(const JsonValue& value, const std::string& path, SetupClass& cls);
    bool ReadDevice(const JsonValue& value, const std::string& path, Device& device);
    bool ReadService(const JsonValue& value, const std::string& path, Service& service);
    bool ReadFile(const JsonValue& value, const std::string& path, DriverFile& file);
    bool ReadVersion(const JsonValue& value, const std::string& path, VersionFields& version);
    bool ReadFault(const JsonValue& value, const std::string& path, Fault& fault);
    bool ReadRegValue(const JsonValue& value, const std::string& path, RegValue& reg);

    bool ReadNarrow(const JsonValue& value, const std::string& path, std::string& out);
    bool ReadUnsigned(const JsonValue& value, const std::string& path, std::uint64_t maximum,
                      std::uint64_t& out);
    template <typename T>
    bool ReadInteger(const JsonValue& value, const std::string& path, T& out);
    bool ReadBool(const JsonValue& value, const std::string& path, bool& out);
    bool ReadGuid(const JsonValue& value, const std::string& path, win::GUID& out);
    bool ReadHex(const JsonValue& value, const std::string& path, std::vector<std::uint8_t>& out);
    bool ReadVersionNumber(const JsonValue& value, const std::string& path, win::WORD (&out)[4]);
    bool ReadTranslation(const JsonValue& value, const std::string& path, win::DWORD& out);

    std::string source_;
    std::string baseDir_;
    std::string error_;
};

}  // namespace sim
