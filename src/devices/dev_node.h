// One device node: an element of a device information set, and the reads
// made on it (instance ID, registry properties).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "devices/string_list.h"
#include "platform/platform.h"

// Whoever holds the device information set a node belongs to. The set handle
// is read through the owner at each call, never copied into the node.
class DevInfoSetOwner {
  public:
    virtual win::HDEVINFO DeviceInfoSet() const = 0;

  protected:
    virtual ~DevInfoSetOwner() = default;
};

class DevNode {
  public:
    DevNode(const DevInfoSetOwner& setOwner, const win::SP_DEVINFO_DATA& data)
        : owner(setOwner), deviceInfoData(data) {}
    DevNode(const DevNode&) = delete;
    DevNode& operator=(const DevNode&) = delete;

    win::HDEVINFO DeviceInfoSet() const { return owner.DeviceInfoSet(); }
    // The platform takes the record by non-const address; the copy keeps the
    // node itself unchanged.
    win::SP_DEVINFO_DATA DeviceInfoData() const { return deviceInfoData; }

  private:
    const DevInfoSetOwner& owner;
    win::SP_DEVINFO_DATA deviceInfoData;
};

StatusCode GetDeviceInstanceID(const DevNode& node, std::string& id);

// The list form: a property the device lacks gives success and an empty list.
StatusCode GetRegistryProperty(StringList& values, const DevNode& node, std::uint32_t property);
// The single-value form: fails unless the list form yields exactly one value.
StatusCode GetRegistryProperty(std::string& value, const DevNode& node, std::uint32_t property);

StatusCode GetDescription(const DevNode& node, std::string& value);  // SPDRP_DEVICEDESC
StatusCode GetServiceName(const DevNode& node, std::string& value);  // SPDRP_SERVICE
StatusCode GetClassGuid(const DevNode& node, std::string& value);    // SPDRP_CLASSGUID
// SPDRP_CONFIGFLAGS; a device without the value gives success and no flags.
StatusCode GetConfigFlags(const DevNode& node, std::optional<std::uint32_t>& flags);
