// The parts the pages are made of, shared by the report, findings and
// difference pages. Element ids follow the report's order: "c1" is the first
// setup class, "c1-d2" its second device, "c1-s3" its third service entry.
#pragma once

#include <string>
#include <vector>

#include "analysis/html_writer.h"
#include "analysis/report_check.h"
#include "analysis/report_data.h"
#include "analysis/sorted_index.h"

namespace analysis {

// Where the page shows what a finding's subject names ("device ID",
// "service NAME", "class NAME", "system"): the id of its first element.
class HtmlAnchors {
  public:
    explicit HtmlAnchors(const ReportData& report);
    // Empty when the page has no element for `subject`.
    std::string For(const std::string& subject) const;

    static std::string ClassId(std::size_t c);
    static std::string DeviceId(std::size_t c, std::size_t d);
    static std::string ServiceId(std::size_t c, std::size_t s);

  private:
    SortedMap<std::string, std::string> ids_;  // folded subject -> id
};

// The trace lines of `traces` that stand before `slot`, each as a block that
// says ERROR or WARNING in words as the report did.
void WriteTraces(HtmlWriter& html, const TraceLines& traces, TraceSlot slot);

// The findings first: severity, subject (linked), what is seen, what to do.
void WriteFindings(HtmlWriter& html, const std::vector<Finding>& findings,
                   const HtmlAnchors& anchors);
// The system facts, setup classes with their device cards and services.
void WriteReportBody(HtmlWriter& html, const ReportData& report);
// A class's service entries by folded name: the first of each name.
using ServiceIndex = SortedMap<std::string, std::size_t>;
ServiceIndex IndexServices(const SetupClass& setupClass);
// One device card with its driver stack drawn as a column of boxes.
void WriteDeviceCard(HtmlWriter& html, const SetupClass& setupClass, const ServiceIndex& index,
                     std::size_t c, std::size_t d);
// The services of a class as a table.
void WriteServiceTable(HtmlWriter& html, const SetupClass& setupClass, std::size_t c);

// The name of a class as the report and the findings give it.
std::string ClassDisplayName(const SetupClass& setupClass);

}  // namespace analysis
