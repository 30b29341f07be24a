#include "analysis/details_diff.h"

#include <optional>

namespace analysis {

namespace {

// A field as one text: its values joined, so that a note below the value
// ("(the key does not exist)") changes it too.
std::optional<std::string> Joined(const DeviceDetails& details, DetailField field) {
    const std::vector<std::string>& values = details.fields[static_cast<std::size_t>(field)];
    if (values.empty()) {
        return std::nullopt;
    }
    std::string text = values.front();
    for (std::size_t i = 1; i < values.size(); ++i) {
        text += " " + values[i];
    }
    return text;
}

std::optional<std::string> First(const DeviceDetails& details, DetailField field) {
    const std::vector<std::string>& values = details.fields[static_cast<std::size_t>(field)];
    return values.empty() ? std::nullopt : std::optional<std::string>(values.front());
}

}  // namespace

void DiffDeviceDetails(Differ& d, const std::string& key, const Device& before,
                       const Device& after) {
    if (!before.details || !after.details) {
        return;
    }
    const DeviceDetails& a = *before.details;
    const DeviceDetails& b = *after.details;
    for (std::size_t i = 0; i < kDetailFields; ++i) {
        const auto field = static_cast<DetailField>(i);
        const char* name = DetailFieldName(field);
        if (field == DetailField::HardwareIds || field == DetailField::CompatibleIds) {
            d.List(key, name, a.fields[i], b.fields[i]);
        } else if (field == DetailField::Status) {
            d.Optional(key, name, First(a, field),
                       First(b, field));  // the meaning follows the code
        } else {
            d.Optional(key, name, Joined(a, field), Joined(b, field));
        }
    }
}

void DiffStartType(Differ& d, const Service& before, const Service& after) {
    if (before.startType && after.startType) {
        d.Value(after.name, "startType", *before.startType, *after.startType);
    }
}

}  // namespace analysis
