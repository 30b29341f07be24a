#include "analysis/report_check.h"

#include <algorithm>

#include "analysis/checker.h"
#include "analysis/device_checks.h"
#include "analysis/report_diff.h"
#include "text/joined.h"

namespace analysis {

namespace {

bool Contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

using ServiceIndex = SortedMap<std::string, const Service*>;

ServiceIndex Described(const SetupClass& c) {
    ServiceIndex index;
    for (const Service& s : c.services) {
        if (s.opened) {
            index.Emplace(Folded(s.name), &s);
        }
    }
    return index;
}

std::string Provider(const ServiceIndex& index, const std::string& name) {
    const Service* const* found = index.Find(Folded(name));
    const Service* s = found == nullptr ? nullptr : *found;
    return s == nullptr || s->languages.empty() ? std::string() : s->languages.front().strings[0];
}

// Stack entries whose service the service control manager does not know.
void MissingServices(Checker& check, const SetupClass& c) {
    for (const Service& slot : c.services) {
        const bool unknown =
            !slot.opened &&
            std::any_of(slot.traces.begin(), slot.traces.end(),
                        [](const TraceLine& t) { return Contains(t.message, "0x00000424"); });
        if (!unknown) {
            continue;
        }
        std::vector<std::size_t> lines;
        std::string devices;
        for (const TraceLine& t : slot.traces) {
            lines.push_back(t.line);
            check.Explain(t);
        }
        for (const Device& d : c.devices) {
            for (std::size_t layer = 0; layer < kStackLayers; ++layer) {
                for (const std::string& entry : d.stack.layers[layer]) {
                    if (SameName(entry, slot.name)) {
                        lines.push_back(d.stack.lines[layer]);
                        devices += devices.empty() ? "" : ", ";
                        devices += d.instanceId.value_or("?");
                    }
                }
            }
        }
        const std::string_view stack = devices.empty() ? std::string_view("a device") : devices;
        check.Add(Severity::Error, "service-not-installed", Joined({"service ", slot.name}), lines,
                  Joined({"the driver stack of ", stack, " names ", slot.name,
                          ", which the service control manager does not know: the device "
                          "cannot start"}),
                  Joined({"Remove ", slot.name,
                          " from the UpperFilters/LowerFilters value that names it (left behind "
                          "by uninstalled software), or reinstall the software that owns it."}));
    }
}

void VersionResource(Checker& check, const Service& s) {
    for (const TraceLine& t : s.traces) {
        if (t.slot != TraceSlot::VersionResource || !Contains(t.message, "LoadVersionResource")) {
            continue;
        }
        check.Explain(t);
        if (!Contains(t.message, "AddDriverVersionInfo")) {
            continue;  // the loader's own line; the report generator's says the same
        }
        const bool missing = Contains(t.message, "0x00000002") || Contains(t.message, "0x00000003");
        check.Add(missing ? Severity::Error : Severity::Warning,
                  missing ? "driver-file-missing" : "no-version-resource",
                  Joined({"service ", s.name}), {s.line, t.line},
                  Joined({"the driver file of ", s.name,
                          missing ? " is not in the drivers folder" : " has no version resource"}),
                  missing ? Joined({"Reinstall the driver that installed ", s.name,
                                    ", or remove the service if nothing uses it any more."})
                          : "Ask the driver's maker for a signed release; a driver without a "
                            "version resource cannot be told apart from other builds.");
    }
    for (const LanguageBlock& block : s.languages) {
        for (const TraceLine& t : block.traces) {
            check.Explain(t);  // a version string missing: "not available" says it
        }
    }
}

void BinaryPath(Checker& check, const Service& s) {
    if (!s.binary) {
        return;
    }
    const std::string path = Folded(*s.binary);
    const std::size_t slash = path.rfind('\\');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash);
    const std::string drivers = "system32\\drivers";
    const bool inDrivers =
        folder.size() >= drivers.size() &&
        folder.compare(folder.size() - drivers.size(), drivers.size(), drivers) == 0;
    if (path.empty()) {
        check.Add(Severity::Warning, "binary-path", Joined({"service ", s.name}), {s.binaryLine},
                  Joined({"the binary path of ", s.name, " is empty"}),
                  Joined({"Reinstall the driver: the system loads the service's file by a default "
                          "name only, and the version shown is that of ",
                          s.name, ".sys."}));
    } else if (!inDrivers) {
        check.Add(
            Severity::Warning, "binary-path", Joined({"service ", s.name}), {s.binaryLine},
            Joined({"the binary path of ", s.name, " lies outside the system's drivers folder"}),
            "Compare the file at that path with the one in system32\\drivers: the report "
            "shows the version of the latter, the system loads the former.");
    }
}

void Filters(Checker& check, const SetupClass& c, const std::string& className) {
    const ServiceIndex described = Described(c);
    SortedSet<std::string> classFilters;
    for (const Device& d : c.devices) {
        for (const StackLayer layer :
             {StackLayer::UpperClassFilters, StackLayer::LowerClassFilters}) {
            const auto index = static_cast<std::size_t>(layer);
            for (const std::string& name : d.stack.layers[index]) {
                if (classFilters.Insert(Folded(name))) {
                    check.Add(Severity::Warning, "class-filter", Joined({"class ", className}),
                              {d.stack.lines[index]},
                              Joined({name, " is a class filter of the ", className,
                                      " class: it sits in the stack of every device of the class"}),
                              Joined({"Make sure ", name,
                                      " belongs to software the customer uses; if not, remove it "
                                      "from the class's filter list and restart."}));
                }
            }
        }
        const std::string function = d.stack.layers[2].empty() ? "" : d.stack.layers[2].front();
        const std::string company = Provider(described, function);
        for (std::size_t layer = 0; layer < kStackLayers && !company.empty(); ++layer) {
            for (const std::string& name : d.stack.layers[layer]) {
                const std::string other = Provider(described, name);
                if (layer != 2 && !other.empty() && Folded(other) != Folded(company) &&
                    other != kNotAvailable && company != kNotAvailable) {
                    check.Add(
                        Severity::Info, "foreign-filter",
                        Joined({"device ", d.instanceId.value_or("?")}), {d.stack.lines[layer]},
                        Joined({"filter ", name, " (", other, ") sits on ", function, " (", company,
                                ")"}),
                        Joined({"If the device misbehaves, try it without ", name,
                                " first: a filter of another maker is the likeliest cause."}));
                }
            }
        }
    }
}

void Unexplained(Checker& check, const TraceLines& traces, const std::string& subject) {
    for (const TraceLine& t : traces) {
        if (t.kind == TraceKind::Error && !check.explained.Contains(t.line)) {
            check.Add(Severity::Warning, "unexplained", subject, {t.line}, t.message,
                      "The report is incomplete here: run it again as an administrator, and if "
                      "the line stays, send it to the developers.");
        }
    }
}

}  // namespace

std::vector<Finding> CheckReport(const ReportData& report) {
    Checker check;
    for (const SetupClass& c : report.classes) {
        const std::string className = c.name && *c.name != kClassNotInstalled ? *c.name : c.guid;
        MissingServices(check, c);
        for (const Service& s : c.services) {
            if (s.opened) {
                VersionResource(check, s);
                BinaryPath(check, s);
            }
        }
        Filters(check, c, className);
        DeviceRules(check, c);
    }
    Unexplained(check, report.system.traces, "system");
    for (const SetupClass& c : report.classes) {
        const std::string className = c.name && *c.name != kClassNotInstalled ? *c.name : c.guid;
        Unexplained(check, c.traces, Joined({"class ", className}));
        for (const Device& d : c.devices) {
            Unexplained(check, d.traces, Joined({"device ", d.instanceId.value_or("?")}));
        }
        for (const Service& s : c.services) {
            Unexplained(check, s.traces, Joined({"service ", s.name}));
        }
    }
    // Errors first, then warnings, then notes; each in the order found.
    std::vector<Finding> ordered;
    ordered.reserve(check.findings.size());
    for (const Severity severity : {Severity::Error, Severity::Warning, Severity::Info}) {
        for (Finding& f : check.findings) {
            if (f.severity == severity) {
                ordered.push_back(std::move(f));
            }
        }
    }
    return ordered;
}

bool HasErrors(const std::vector<Finding>& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& f) { return f.severity == Severity::Error; });
}

}  // namespace analysis
