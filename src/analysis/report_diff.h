// What changed from one report to another, grouped by section: system
// facts, setup classes, devices (by instance ID, case-insensitive) and their
// stacks, services (by name, case-insensitive) and their version resources,
// and the ERROR and WARNING lines.
#pragma once

#include <string>
#include <vector>

#include "analysis/code_page.h"
#include "analysis/report_data.h"

namespace analysis {

enum class ChangeKind : std::uint8_t { Added, Removed, Changed, Moved };

struct Change {
    std::string section;  // "System", "USB", ... or "Trace lines"
    std::string subject;  // a device's instance ID, a service's name; empty for the section
    std::string field;    // what of it: "description", "upperDeviceFilters", ...
    ChangeKind kind = ChangeKind::Changed;
    std::string before;  // empty for Added
    std::string after;   // empty for Removed
};

struct ReportDiff {
    std::vector<Change> changes;
    bool Empty() const { return changes.empty(); }
};

ReportDiff DiffReports(const ReportData& before, const ReportData& after);

// For people: a summary per section. Names are the two sides' file names.
std::string DiffToText(const ReportDiff& diff, const std::string& oldName,
                       const std::string& newName);
std::string DiffToJson(const ReportDiff& diff, const CodePage& codePage, const std::string& oldName,
                       const std::string& newName);

// ASCII letters compared without case, as Windows compares these names.
bool SameName(const std::string& a, const std::string& b);
// `text` with ASCII capitals made small: the key of such a name.
std::string Folded(std::string text);

}  // namespace analysis
