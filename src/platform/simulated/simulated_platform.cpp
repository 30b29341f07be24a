#include "platform/simulated/simulated_platform.h"

#include <utility>

namespace sim {

SimulatedPlatform::SimulatedPlatform(machine::Machine machine, ProfileStore* profiles)
    : machine_(std::move(machine)), profiles_(profiles) {
    for (const machine::Fault& fault : machine_.faults) {
        faults_.Add(fault);
    }
}

bool SimulatedPlatform::Enter(const char* function, const std::string& argument) {
    calls_.Record(function, argument);
    if (auto error = faults_.Check(function, argument)) {
        lastError_ = *error;
        return true;
    }
    return false;
}

win::DWORD SimulatedPlatform::GetLastError() {
    return lastError_;
}

void SimulatedPlatform::SetLastError(win::DWORD dwErrCode) {
    lastError_ = dwErrCode;
}

}  // namespace sim
