#include "devices/dev_node_status.h"

#include "log/trace_log.h"

StatusCode GetDevNodeStatus(const DevNode& node, DevNodeStatus& status) {
    status = DevNodeStatus{};
    win::ULONG bits = 0;
    win::ULONG problem = 0;
    const win::CONFIGRET result =
        win::Current().CM_Get_DevNode_Status(&bits, &problem, node.DeviceInfoData().DevInst, 0);
    if (result != win::CR_SUCCESS) {
        Trace(LOG_ERROR,
              "GetDevNodeStatus: calling CM_Get_DevNode_Status failed with CONFIGRET 0x%08X\n",
              result);
        return result;
    }
    status.status = bits;
    status.problem = problem;
    return 0;
}
