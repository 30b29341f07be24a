// Read access to one device setup class: its name and the values of its
// class registry key (the class-wide filter driver lists).
#pragma once

#include <cstdint>
#include <string>

#include "devices/string_list.h"
#include "platform/platform.h"

class DeviceSetupClass {
  public:
    explicit DeviceSetupClass(const win::GUID& guid) : classGuid(guid) {}

    const win::GUID& Guid() const { return classGuid; }

    StatusCode GetClassName(std::string& name) const;
    // `Strings` receives a string-typed value, `DwordValue` a REG_DWORD one;
    // either may be absent.
    StatusCode GetRegistryValue(const char* valueName, StringList* Strings,
                                std::uint32_t* DwordValue) const;
    StatusCode GetUpperFilters(StringList& filters) const;
    StatusCode GetLowerFilters(StringList& filters) const;

  private:
    win::GUID classGuid;
};
