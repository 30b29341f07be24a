// The status of a device node as the Plug and Play manager keeps it: its DN_
// bits and, when it has a problem, the problem code.
#pragma once

#include <cstdint>

#include "devices/dev_node.h"

struct DevNodeStatus {
    std::uint32_t status = 0;   // 0: nothing was said (Wine answers so)
    std::uint32_t problem = 0;  // meaningful only with DN_HAS_PROBLEM
};

// CM_Get_DevNode_Status for the node. Both outputs start at 0, so that a
// provider that succeeds without writing them leaves an unknown status, never
// stack garbage. Returns the CONFIGRET (CR_SUCCESS is 0).
StatusCode GetDevNodeStatus(const DevNode& node, DevNodeStatus& status);
