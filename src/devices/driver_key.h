// A device's driver (software) key, Control\Class\<its Driver value>, open
// for reading: the installed driver package's provider, version, date, INF.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "devices/dev_node.h"

class DriverKey {
  public:
    DriverKey() = default;
    ~DriverKey();
    DriverKey(const DriverKey&) = delete;
    DriverKey& operator=(const DriverKey&) = delete;

    // SetupDiOpenDevRegKey(DIREG_DRV, KEY_READ). A key that does not exist
    // (no Driver value, or one naming no key) gives ERROR_KEY_DOES_NOT_EXIST
    // untraced: it is a fact about the device, not a failure.
    StatusCode Open(const DevNode& node);
    // A value's type and bytes; an absent value gives ERROR_FILE_NOT_FOUND
    // untraced.
    StatusCode ReadValue(const char* name, std::uint32_t& type, std::vector<std::uint8_t>& data);
    // A string value up to its first NUL (any string type); absent as above.
    StatusCode ReadText(const char* name, std::string& text);
    // Closes the key and answers the close's result.
    StatusCode Close();

  private:
    win::HKEY key = nullptr;
};
