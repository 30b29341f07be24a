// A device card: what the report says of the device, and its driver stack as
// a column of boxes from the upper class filters down to the lower device
// filters, each box with its service's file version and company.
#include "analysis/html_parts.h"
#include "analysis/report_diff.h"

namespace analysis {

namespace {

const char* LayerTitle(std::size_t layer) {
    static constexpr const char* kTitles[] = {"Upper class filter", "Upper device filter",
                                              "Function driver", "Lower class filter",
                                              "Lower device filter"};
    return kTitles[layer];
}

// What a stack entry's service section says, found by name (Windows compares
// service names without case).
struct ServiceFacts {
    const Service* service = nullptr;
    std::size_t index = 0;
    bool missing = false;  // the service control manager does not know it
};

ServiceFacts Lookup(const SetupClass& c, const ServiceIndex& index, const std::string& name) {
    ServiceFacts facts;
    const std::size_t* found = index.Find(Folded(name));
    if (found == nullptr) {
        return facts;
    }
    facts.index = *found;
    facts.service = &c.services[facts.index];
    for (const TraceLine& t : facts.service->traces) {
        // ERROR_SERVICE_DOES_NOT_EXIST, as OpenService reported it.
        facts.missing = facts.missing || (!facts.service->opened &&
                                          t.message.find("0x00000424") != std::string::npos);
    }
    return facts;
}

// The company of a service's driver file: its first language block's provider.
std::string Company(const ServiceFacts& facts) {
    const Service* s = facts.service;
    if (s == nullptr || !s->opened || s->languages.empty() ||
        s->languages.front().strings[0] == kNotAvailable) {
        return std::string();
    }
    return s->languages.front().strings[0];
}

void WriteBox(HtmlWriter& html, const SetupClass& c, const ServiceIndex& index,
              std::size_t classIndex, std::size_t layer, const std::string& name,
              const std::string& ownCompany) {
    const ServiceFacts facts = Lookup(c, index, name);
    const std::string company = Company(facts);
    const bool function = layer == static_cast<std::size_t>(StackLayer::FunctionDriver);
    const bool foreign = !function && !company.empty() && !ownCompany.empty() &&
                         Folded(company) != Folded(ownCompany);
    html.Raw("<li class=\"")
        .Raw(function ? "fn" : "filter")
        .Raw(foreign ? " foreign" : "")
        .Raw(facts.missing ? " missing" : "")
        .Raw("\"><span class=\"layer\">")
        .Raw(LayerTitle(layer))
        .Raw("</span>");
    if (name.empty()) {
        html.Raw("<span class=\"muted\">none named</span></li>\n");
        return;
    }
    if (facts.service != nullptr) {
        html.Raw("<a class=\"svc\" href=\"#")
            .Raw(HtmlAnchors::ServiceId(classIndex, facts.index))
            .Raw("\">")
            .Text(name)
            .Raw("</a>");
    } else {
        html.Element("span", "svc", name);
    }
    const Service* s = facts.service;
    if (s != nullptr && s->opened && s->versionLoaded) {
        html.Element("span", "ver", s->fileVersion);
    }
    if (!company.empty()) {
        html.Element("span", "co", company);
    }
    if (facts.missing) {
        html.Raw("<span class=\"tag missing\">missing: not installed</span>");
    } else if (s != nullptr && !s->opened) {
        html.Raw("<span class=\"tag missing\">could not be opened</span>");
    }
    if (foreign) {
        html.Raw("<span class=\"tag foreign\">other company</span>");
    }
    html.Raw("</li>\n");
}

void WriteStack(HtmlWriter& html, const SetupClass& c, const ServiceIndex& index,
                std::size_t classIndex, const DriverStack& stack) {
    if (!stack.loaded) {
        return;
    }
    const auto fn = static_cast<std::size_t>(StackLayer::FunctionDriver);
    const std::string ownCompany = stack.layers[fn].empty()
                                       ? std::string()
                                       : Company(Lookup(c, index, stack.layers[fn].front()));
    html.Raw("<ol class=\"stack\" aria-label=\"Driver stack\">\n");
    for (std::size_t layer = 0; layer < kStackLayers; ++layer) {
        for (const std::string& name : stack.layers[layer]) {
            WriteBox(html, c, index, classIndex, layer, name, ownCompany);
        }
    }
    html.Raw("</ol>\n");
}

}  // namespace

ServiceIndex IndexServices(const SetupClass& c) {
    ServiceIndex index;
    for (std::size_t s = 0; s < c.services.size(); ++s) {
        index.Emplace(Folded(c.services[s].name), s);
    }
    return index;
}

void WriteDeviceCard(HtmlWriter& html, const SetupClass& c, const ServiceIndex& index,
                     std::size_t classIndex, std::size_t d) {
    const Device& device = c.devices[d];
    html.Raw("<article class=\"device\" id=\"")
        .Raw(HtmlAnchors::DeviceId(classIndex, d))
        .Raw("\">\n");
    if (device.description) {
        html.Element("h3", "", *device.description);
    } else {
        html.Raw("<h3 class=\"muted\">Description not known</h3>");
    }
    html.Raw("\n");
    WriteTraces(html, device.traces, TraceSlot::Description);
    WriteTraces(html, device.traces, TraceSlot::InstanceId);
    if (device.instanceId) {
        html.Raw("<dl><dt>Instance ID</dt><dd>").Element("code", "", *device.instanceId);
        html.Raw("</dd></dl>\n");
    }
    WriteTraces(html, device.traces, TraceSlot::DriverStack);
    WriteStack(html, c, index, classIndex, device.stack);
    html.Raw("</article>\n");
}

}  // namespace analysis
