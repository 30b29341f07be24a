#include "platform/simulated/call_log.h"

namespace sim {

void CallLog::Record(const char* function, const std::string& argument) {
    if (enabled_) {
        calls_.push_back(CallRecord{function, argument});
    }
}

std::size_t CallLog::Count(const std::string& function) const {
    std::size_t count = 0;
    for (const CallRecord& call : calls_) {
        count += call.function == function ? 1 : 0;
    }
    return count;
}

std::size_t CallLog::Count(const std::string& function, const std::string& argument) const {
    std::size_t count = 0;
    for (const CallRecord& call : calls_) {
        count += call.function == function && call.argument == argument ? 1 : 0;
    }
    return count;
}

}  // namespace sim
