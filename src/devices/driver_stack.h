// The drivers stacked up for one device, top to bottom, by service name.
#pragma once

#include <string>

#include "devices/dev_node.h"
#include "devices/string_list.h"

class DriverStack {
  public:
    void Clear();
    StatusCode LoadStack(const DevNode& node);

    StringList UpperClassFilters;
    StringList UpperDeviceFilters;
    std::string FunctionDriverService;
    StringList LowerClassFilters;
    StringList LowerDeviceFilters;
};
