#include "platform/simulated/fault_table.h"

#include <utility>

namespace sim {

void FaultTable::Add(machine::Fault fault) {
    faults_.push_back(std::move(fault));
}

void FaultTable::Add(const std::string& function, win::DWORD error) {
    Add(machine::Fault{function, std::nullopt, std::nullopt, error});
}

void FaultTable::AddOnCall(const std::string& function, std::uint32_t callNumber,
                           win::DWORD error) {
    Add(machine::Fault{function, std::nullopt, callNumber, error});
}

void FaultTable::AddOnArgument(const std::string& function, const std::string& argument,
                               win::DWORD error) {
    Add(machine::Fault{function, argument, std::nullopt, error});
}

void FaultTable::Clear() {
    faults_.clear();
    calls_.clear();
}

std::optional<win::DWORD> FaultTable::Check(std::string_view function,
                                            const std::string& argument) {
    if (faults_.empty()) {
        return std::nullopt;
    }
    auto counted = calls_.find(function);
    if (counted == calls_.end()) {
        counted = calls_.emplace(std::string(function), 0).first;
    }
    const std::uint32_t call = ++counted->second;
    for (const machine::Fault& fault : faults_) {
        if (fault.function != function) {
            continue;
        }
        if (fault.argument && *fault.argument != argument) {
            continue;
        }
        if (fault.callNumber && *fault.callNumber != call) {
            continue;
        }
        return fault.error;
    }
    return std::nullopt;
}

bool FaultTable::MatchesArgument(std::string_view function) const {
    for (const machine::Fault& fault : faults_) {
        if (fault.argument && fault.function == function) {
            return true;
        }
    }
    return false;
}

}  // namespace sim
