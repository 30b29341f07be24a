// The setup classes installed on the system: their GUIDs as the system lists
// them, their names and, when asked, how many present devices each has.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

struct InstalledClass {
    win::GUID guid{};
    bool named = false;  // false: the name could not be read
    std::string name;
    std::uint32_t presentDevices = 0;
};

class SetupClassList {
  public:
    // The installed classes (those marked NoUseClass aside) with their names,
    // in the system's order. A class whose name cannot be read stays listed
    // without one; the failure is traced.
    StatusCode Load();
    // Counts the present devices of every listed class. Counting stops at
    // `limit` per class: one is enough to know that a class has devices.
    void CountPresentDevices(std::uint32_t limit = 0xFFFFFFFFu);
    // By name without regard to case; the unnamed ones last, by GUID.
    void SortByName();

    const std::vector<InstalledClass>& Classes() const { return classes; }
    // The class of that name, compared without regard to case; null if none.
    const InstalledClass* FindByName(const std::string& name) const;
    // The names of the listed classes, sorted, joined by ", ".
    std::string NameList() const;

  private:
    std::vector<InstalledClass> classes;
};

// The present devices of one class, counted up to `limit`: one enumeration
// call per device, as listing the class for the report costs. A failure is
// traced and returned; `count` then holds what was counted before it.
StatusCode CountPresentDevicesOfClass(const win::GUID& guid, std::uint32_t limit,
                                      std::uint32_t& count);
