// Fault injection for the simulated provider: make a function fail with a
// chosen code always, on its n-th call, or when its identifying argument
// matches.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "machine/machine.h"

namespace sim {

class FaultTable {
  public:
    void Add(machine::Fault fault);
    void Add(const std::string& function, win::DWORD error);
    void AddOnCall(const std::string& function, std::uint32_t callNumber, win::DWORD error);
    void AddOnArgument(const std::string& function, const std::string& argument, win::DWORD error);
    void Clear();  // faults and call counters
    bool Empty() const { return faults_.empty(); }
    const std::vector<machine::Fault>& Faults() const { return faults_; }

    // Counts one call of `function` and answers the error it must fail with.
    std::optional<win::DWORD> Check(std::string_view function, const std::string& argument);
    // Whether a fault matches `function`'s argument: otherwise Check gives
    // the same answer without one.
    bool MatchesArgument(std::string_view function) const;

  private:
    // Looked up by the caller's name without making a string of it: every
    // call of the provider is counted while faults are set.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const {
            return std::hash<std::string_view>{}(name);
        }
    };
    std::vector<machine::Fault> faults_;
    std::unordered_map<std::string, std::uint32_t, NameHash, std::equal_to<>> calls_;
};

}  // namespace sim
