// The present devices of one setup class, in enumeration order, each opened
// into the list's own device information set.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "devices/dev_node.h"
#include "platform/platform.h"

class DevNodeList : public DevInfoSetOwner {
  public:
    DevNodeList();
    ~DevNodeList();
    DevNodeList(const DevNodeList&) = delete;
    DevNodeList& operator=(const DevNodeList&) = delete;

    // `classGuid` null: the present devices of every class.
    StatusCode LoadDevices(const win::GUID* classGuid);
    StatusCode LoadDevice(const std::string& instanceId);
    StatusCode SetEmpty();

    std::uint32_t Count() const { return static_cast<std::uint32_t>(nodes.size()); }
    // Valid until the list changes; a node keeps its address meanwhile.
    const DevNode& At(std::uint32_t index) const { return *nodes[index]; }

    win::HDEVINFO DeviceInfoSet() const override { return deviceInfoSet; }

  private:
    win::HDEVINFO deviceInfoSet;
    std::vector<std::unique_ptr<DevNode>> nodes;
};
