// Collects the changes of one comparison, section by section: single
// values, optional values and lists (entries added, removed and moved).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/report_diff.h"

namespace analysis {

class Differ {
  public:
    explicit Differ(ReportDiff& diff) : diff_(diff) {}

    void Section(std::string name) { section_ = std::move(name); }
    void Add(const std::string& subject, const std::string& field, ChangeKind kind,
             const std::string& before, const std::string& after) {
        diff_.changes.push_back({section_, subject, field, kind, before, after});
    }
    void Value(const std::string& subject, const std::string& field, const std::string& before,
               const std::string& after) {
        if (before != after) {
            Add(subject, field, ChangeKind::Changed, before, after);
        }
    }
    void Optional(const std::string& subject, const std::string& field,
                  const std::optional<std::string>& before,
                  const std::optional<std::string>& after) {
        if (before != after) {
            Add(subject, field,
                !before  ? ChangeKind::Added
                : !after ? ChangeKind::Removed
                         : ChangeKind::Changed,
                before.value_or(""), after.value_or(""));
        }
    }
    // Entries added, removed, and those kept whose order among the kept ones changed.
    void List(const std::string& subject, const std::string& field,
              const std::vector<std::string>& before, const std::vector<std::string>& after);

  private:
    ReportDiff& diff_;
    std::string section_;
};

}  // namespace analysis
