// The setup classes installed on the system: their GUIDs as the system lists
// them and their names; and how many present devices a class has.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

struct InstalledClass {
    win::GUID guid{};
    bool named = false;  // false: the name could not be read
    std::string name;
};

class SetupClassList {
  public:
    // The installed classes (those marked NoUseClass aside) with their names,
    // in the system's order. A class whose name cannot be read stays listed
    // without one; the failure is traced.
    StatusCode Load();
    // By name without regard to case; the unnamed ones last, by GUID.
    void SortByName();
    // Class names compare as Windows compares them: without regard to case.
    static int CompareNames(const std::string& a, const std::string& b);

    const std::vector<InstalledClass>& Classes() const { return classes; }

  private:
    std::vector<InstalledClass> classes;
};

// The present devices of one class, counted up to `limit`: one enumeration
// call per device, as listing the class for the report costs. A failure is
// traced and returned; `count` then holds what was counted before it.
StatusCode CountPresentDevicesOfClass(const win::GUID& guid, std::uint32_t limit,
                                      std::uint32_t& count);
