#include "analysis/html_parts.h"
#include "analysis/report_diff.h"
#include "text/joined.h"

namespace analysis {

HtmlAnchors::HtmlAnchors(const ReportData& report) {
    // The subjects as the findings word them; the first element wins.
    ids_.Emplace("system", "system");
    for (std::size_t c = 0; c < report.classes.size(); ++c) {
        const SetupClass& setupClass = report.classes[c];
        ids_.Emplace(Folded(Joined({"class ", ClassDisplayName(setupClass)})), ClassId(c));
        for (std::size_t d = 0; d < setupClass.devices.size(); ++d) {
            const Device& device = setupClass.devices[d];
            if (device.instanceId) {
                ids_.Emplace(Folded(Joined({"device ", *device.instanceId})), DeviceId(c, d));
            }
        }
        for (std::size_t s = 0; s < setupClass.services.size(); ++s) {
            const Service& service = setupClass.services[s];
            if (!service.name.empty()) {
                ids_.Emplace(Folded(Joined({"service ", service.name})), ServiceId(c, s));
            }
        }
    }
}

std::string HtmlAnchors::For(const std::string& subject) const {
    const std::string* id = ids_.Find(Folded(subject));
    return id == nullptr ? std::string() : *id;
}

std::string HtmlAnchors::ClassId(std::size_t c) {
    return "c" + std::to_string(c + 1);
}

std::string HtmlAnchors::DeviceId(std::size_t c, std::size_t d) {
    return Joined({ClassId(c), "-d", std::to_string(d + 1)});
}

std::string HtmlAnchors::ServiceId(std::size_t c, std::size_t s) {
    return Joined({ClassId(c), "-s", std::to_string(s + 1)});
}

}  // namespace analysis
