#include "analysis/report_diff.h"

#include "analysis/details_diff.h"
#include "analysis/differ.h"
#include "text/print_format.h"

#include <algorithm>
#include <map>
#include <optional>

namespace analysis {

namespace {

// The element of `items` that is the `n`th (from 0) of those `same` as
// `item`, where `item` is itself that many same ones into its own list.
template <typename T, typename Same>
const T* Counterpart(const std::vector<T>& items, const std::vector<T>& own, std::size_t index,
                     Same same) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < index; ++i) {
        n += same(own[i], own[index]) ? 1 : 0;
    }
    for (const T& candidate : items) {
        if (same(candidate, own[index]) && n-- == 0) {
            return &candidate;
        }
    }
    return nullptr;
}

bool SameLanguage(const LanguageBlock& x, const LanguageBlock& y) {
    return x.language == y.language && x.codePage == y.codePage;
}

bool SameClass(const SetupClass& x, const SetupClass& y) {
    return SameName(x.guid, y.guid);
}

std::string ClassLabel(const SetupClass& c) {
    return c.name && *c.name != kClassNotInstalled ? *c.name + " " + c.guid : c.guid;
}

std::string DeviceKey(const Device& device, std::size_t index) {
    return device.instanceId ? *device.instanceId : "#" + std::to_string(index + 1);
}

// Match keys: the folded name, and for the second and later elements of the
// same name their occurrence, so that duplicates pair up in order.
class Keys {
  public:
    std::string Next(const std::string& name) {
        const std::string folded = Folded(name);
        const std::size_t seen = seen_[folded]++;
        return seen == 0 ? folded : folded + "\n" + std::to_string(seen);
    }

  private:
    std::map<std::string, std::size_t> seen_;
};

void DiffDevices(Differ& d, const SetupClass& a, const SetupClass& b) {
    std::map<std::string, const Device*> before;
    Keys beforeKeys;
    for (std::size_t i = 0; i < a.devices.size(); ++i) {
        before.emplace(beforeKeys.Next(DeviceKey(a.devices[i], i)), &a.devices[i]);
    }
    std::map<std::string, const Device*> after;
    Keys afterKeys;
    for (std::size_t i = 0; i < b.devices.size(); ++i) {
        const Device& device = b.devices[i];
        const std::string key = DeviceKey(device, i);
        const std::string match = afterKeys.Next(key);
        after.emplace(match, &device);
        const auto old = before.find(match);
        if (old == before.end()) {
            d.Add(key, "device", ChangeKind::Added, "", device.description.value_or(""));
            continue;
        }
        const Device& was = *old->second;
        d.Optional(key, "description", was.description, device.description);
        for (std::size_t layer = 0; layer < kStackLayers; ++layer) {
            d.List(key, StackLayerName(static_cast<StackLayer>(layer)), was.stack.layers[layer],
                   device.stack.layers[layer]);
        }
        DiffDeviceDetails(d, key, was, device);
    }
    Keys removedKeys;
    for (std::size_t i = 0; i < a.devices.size(); ++i) {
        const std::string key = DeviceKey(a.devices[i], i);
        if (after.find(removedKeys.Next(key)) == after.end()) {
            d.Add(key, "device", ChangeKind::Removed, a.devices[i].description.value_or(""), "");
        }
    }
}

std::string LanguageKey(const LanguageBlock& block) {
    char key[40];
    FormatPrint(key, sizeof key, "language 0x%04X/code page 0x%04X",
                static_cast<unsigned>(block.language), static_cast<unsigned>(block.codePage));
    return key;
}

void DiffService(Differ& d, const Service& a, const Service& b) {
    d.Optional(b.name, "binary", a.binary, b.binary);
    DiffStartType(d, a, b);
    auto version = [](const Service& s, const std::string& v) {
        return s.versionLoaded ? std::optional<std::string>(v) : std::nullopt;
    };
    d.Optional(b.name, "fileVersion", version(a, a.fileVersion), version(b, b.fileVersion));
    d.Optional(b.name, "productVersion", version(a, a.productVersion),
               version(b, b.productVersion));
    for (std::size_t j = 0; j < b.languages.size(); ++j) {
        const LanguageBlock& block = b.languages[j];
        const LanguageBlock* old = Counterpart(a.languages, b.languages, j, SameLanguage);
        if (old == nullptr) {
            d.Add(b.name, "language", ChangeKind::Added, "", LanguageKey(block));
            continue;
        }
        for (std::size_t i = 0; i < kVersionStrings; ++i) {
            d.Value(b.name, LanguageKey(block) + " " + VersionStringName(i), old->strings[i],
                    block.strings[i]);
        }
    }
    for (std::size_t j = 0; j < a.languages.size(); ++j) {
        if (Counterpart(b.languages, a.languages, j, SameLanguage) == nullptr) {
            d.Add(b.name, "language", ChangeKind::Removed, LanguageKey(a.languages[j]), "");
        }
    }
}

std::map<std::string, const Service*> OpenedServices(const SetupClass& c) {
    std::map<std::string, const Service*> services;
    Keys keys;
    for (const Service& s : c.services) {
        if (s.opened) {
            services.emplace(keys.Next(s.name), &s);
        }
    }
    return services;
}

void DiffServices(Differ& d, const SetupClass& a, const SetupClass& b) {
    const auto before = OpenedServices(a);
    const auto after = OpenedServices(b);
    Keys afterKeys;
    for (const Service& service : b.services) {
        if (!service.opened) {
            continue;
        }
        const auto old = before.find(afterKeys.Next(service.name));
        if (old == before.end()) {
            d.Add(service.name, "service", ChangeKind::Added, "", service.binary.value_or(""));
        } else {
            DiffService(d, *old->second, service);
        }
    }
    Keys beforeKeys;
    for (const Service& service : a.services) {
        if (service.opened && after.find(beforeKeys.Next(service.name)) == after.end()) {
            d.Add(service.name, "service", ChangeKind::Removed, service.binary.value_or(""), "");
        }
    }
}

// Every trace line with the element it interrupts, for matching by content.
std::vector<std::pair<std::string, std::string>> TraceLinesOf(const ReportData& report) {
    std::vector<std::pair<std::string, std::string>> lines;
    auto add = [&](const TraceLines& traces, const std::string& where) {
        for (const TraceLine& t : traces) {
            lines.emplace_back(
                (t.kind == TraceKind::Error ? "ERROR: " : "WARNING: ") + t.message,
                where + (where.empty() ? "" : ", ") +
                    (IsEndSlot(t.slot) ? std::string("at the end")
                                       : std::string("before ") + TraceSlotName(t.slot)));
        }
    };
    add(report.system.traces, "System");
    for (const SetupClass& c : report.classes) {
        add(c.traces, ClassLabel(c));
        for (std::size_t i = 0; i < c.devices.size(); ++i) {
            add(c.devices[i].traces, "device " + DeviceKey(c.devices[i], i));
        }
        for (const Service& s : c.services) {
            add(s.traces, s.opened ? "service " + s.name : std::string(ClassLabel(c)));
            for (const LanguageBlock& block : s.languages) {
                add(block.traces, "service " + s.name + ", " + LanguageKey(block));
            }
        }
    }
    return lines;
}

// Lines matched by text and place, as many times as they occur.
void DiffTraces(Differ& d, const ReportData& a, const ReportData& b) {
    const auto before = TraceLinesOf(a);
    const auto after = TraceLinesOf(b);
    std::map<std::pair<std::string, std::string>, std::size_t> unmatched;
    for (const auto& line : after) {
        ++unmatched[line];
    }
    for (const auto& line : before) {
        std::size_t& count = unmatched[line];
        count > 0 ? static_cast<void>(--count)
                  : d.Add(line.second, "trace", ChangeKind::Removed, line.first, "");
    }
    unmatched.clear();
    for (const auto& line : before) {
        ++unmatched[line];
    }
    for (const auto& line : after) {
        std::size_t& count = unmatched[line];
        count > 0 ? static_cast<void>(--count)
                  : d.Add(line.second, "trace", ChangeKind::Added, "", line.first);
    }
}

}  // namespace

ReportDiff DiffReports(const ReportData& a, const ReportData& b) {
    ReportDiff diff;
    Differ d(diff);
    d.Section("System");
    d.Value("", "title", a.title, b.title);
    const SystemFacts& x = a.system;
    const SystemFacts& y = b.system;
    d.Value("", "operatingSystem", x.operatingSystem, y.operatingSystem);
    d.Value("", "versionNumber", x.versionNumber, y.versionNumber);
    d.Value("", "servicePack", x.servicePack, y.servicePack);
    d.Value("", "productType", x.productType, y.productType);
    d.List("", "productSuites", x.productSuites, y.productSuites);
    d.Value("", "logicalProcessors", x.processors, y.processors);
    for (std::size_t j = 0; j < b.classes.size(); ++j) {
        const SetupClass& c = b.classes[j];
        const SetupClass* old = Counterpart(a.classes, b.classes, j, SameClass);
        d.Section(ClassLabel(c));
        if (old == nullptr) {
            d.Add("", "setupClass", ChangeKind::Added, "", ClassLabel(c));
            continue;
        }
        d.Optional("", "name", old->name, c.name);
        DiffDevices(d, *old, c);
        DiffServices(d, *old, c);
    }
    for (std::size_t j = 0; j < a.classes.size(); ++j) {
        if (Counterpart(b.classes, a.classes, j, SameClass) == nullptr) {
            d.Section(ClassLabel(a.classes[j]));
            d.Add("", "setupClass", ChangeKind::Removed, ClassLabel(a.classes[j]), "");
        }
    }
    d.Section("Trace lines");
    DiffTraces(d, a, b);
    return diff;
}

}  // namespace analysis
