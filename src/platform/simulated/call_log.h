// What the simulated provider was asked: each call's function and the
// argument that identifies it, in order. Tests read it for "does not ask the
// platform" checks and call counts.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace sim {

struct CallRecord {
    std::string function;
    std::string argument;
};

class CallLog {
  public:
    void Record(const char* function, const std::string& argument);
    void Clear() { calls_.clear(); }
    // Large benchmark machines turn the log off.
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool Enabled() const { return enabled_; }

    const std::vector<CallRecord>& Calls() const { return calls_; }
    std::size_t Count(const std::string& function) const;
    std::size_t Count(const std::string& function, const std::string& argument) const;
    std::size_t Total() const { return calls_.size(); }

  private:
    std::vector<CallRecord> calls_;
    bool enabled_ = true;
};

}  // namespace sim
