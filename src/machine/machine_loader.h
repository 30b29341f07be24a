// Reads a described machine (docs/machine-description.md) from JSON. Every
// error is one line naming the source and either the line and column of a
// syntax error or the JSON path of a value and what was expected there.
#pragma once

#include <string>
#include <string_view>

#include "machine/description_reader.h"
#include "machine/json_value.h"
#include "machine/machine.h"

namespace machine {

class MachineLoader {
  public:
    // `source` names the description in messages; relative "peFile" paths
    // are taken from `baseDir`.
    MachineLoader(std::string source, std::string baseDir);

    bool LoadFile(const std::string& path, Machine& machine);
    bool LoadText(std::string_view text, Machine& machine);
    const std::string& Error() const { return reader_.Error(); }

    // Reads a whole machine description; false with Error() set.
    static bool FromFile(const std::string& path, Machine& machine, std::string& error);

  private:
    bool ReadMachine(const JsonValue& root, Machine& machine);
    bool ReadFile(const JsonValue& value, const std::string& path, DriverFile& file);

    DescriptionReader reader_;
    std::string baseDir_;
};

}  // namespace machine
