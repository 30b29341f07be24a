#include "analysis/device_facts.h"

namespace analysis {

namespace {

// Digits at `pos`, moved past; false when there are none or too many.
bool Digits(const std::string& text, std::size_t& pos, std::uint32_t& value) {
    const std::size_t start = pos;
    std::uint64_t number = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && pos - start < 10) {
        number = number * 10 + static_cast<std::uint64_t>(text[pos] - '0');
        ++pos;
    }
    if (pos == start || number > 0xFFFFFFFFull) {
        return false;
    }
    value = static_cast<std::uint32_t>(number);
    return true;
}

}  // namespace

const char* DeviceStateName(DeviceState state) {
    static constexpr const char* kNames[] = {"started", "notStarted",      "disabled", "problem",
                                             "unknown", "notKnownOffline", "other"};
    return kNames[static_cast<std::size_t>(state)];
}

const std::string* FieldText(const DeviceDetails& details, DetailField field) {
    const std::vector<std::string>& values = details.fields[static_cast<std::size_t>(field)];
    return values.empty() ? nullptr : &values.front();
}

std::optional<StatusFacts> StatusOf(const DeviceDetails& details) {
    const std::string* text = FieldText(details, DetailField::Status);
    if (text == nullptr) {
        return std::nullopt;
    }
    StatusFacts facts;
    const std::vector<std::string>& values = details.fields[0];
    if (values.size() > 1) {
        facts.meaning = values[1];
    }
    if (*text == "Started") {
        facts.state = DeviceState::Started;
    } else if (*text == "Not started") {
        facts.state = DeviceState::NotStarted;
    } else if (*text == "Unknown") {
        facts.state = DeviceState::Unknown;
    } else if (*text == "Not known offline") {
        facts.state = DeviceState::NotKnownOffline;
    } else {
        // "Problem, code 10 (CM_PROB_FAILED_START)", "Disabled, code 22 (...)".
        const bool problem = text->rfind("Problem, code ", 0) == 0;
        const bool disabled = text->rfind("Disabled, code ", 0) == 0;
        std::size_t pos = problem ? 14 : 15;
        std::uint32_t code = 0;
        if ((problem || disabled) && Digits(*text, pos, code)) {
            const std::string rest = text->substr(pos);
            if (rest.empty() ||
                (rest.size() > 3 && rest.rfind(" (", 0) == 0 && rest.back() == ')')) {
                facts.state = problem ? DeviceState::Problem : DeviceState::Disabled;
                facts.problemCode = code;
                facts.problemName = rest.empty() ? "" : rest.substr(2, rest.size() - 3);
            }
        }
    }
    return facts;
}

std::optional<std::uint32_t> ConfigFlagsOf(const DeviceDetails& details) {
    const std::string* text = FieldText(details, DetailField::ConfigFlags);
    if (text == nullptr || text->size() < 10 || text->rfind("0x", 0) != 0) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (std::size_t i = 2; i < 10; ++i) {
        const char c = (*text)[i];
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                 : -1;
        if (digit < 0) {
            return std::nullopt;
        }
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return value;
}

std::vector<std::string> ConfigFlagNames(const DeviceDetails& details) {
    std::vector<std::string> names;
    const std::string* text = FieldText(details, DetailField::ConfigFlags);
    const std::size_t open = text == nullptr ? std::string::npos : text->find(" (");
    if (open == std::string::npos || text->back() != ')') {
        return names;
    }
    const std::string list = text->substr(open + 2, text->size() - open - 3);
    for (std::size_t start = 0; start <= list.size();) {
        const std::size_t comma = list.find(", ", start);
        names.push_back(list.substr(start, comma - start));
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 2;
    }
    return names;
}

bool NoDriverValue(const DeviceDetails& details) {
    const std::string* key = FieldText(details, DetailField::DriverKey);
    return key != nullptr && *key == kNoDriverValue;
}

bool DriverKeyMissing(const DeviceDetails& details) {
    const std::vector<std::string>& values =
        details.fields[static_cast<std::size_t>(DetailField::DriverKey)];
    return values.size() > 1 && values[1] == kKeyMissing;
}

bool InfFileMissing(const DeviceDetails& details) {
    return details.fields[static_cast<std::size_t>(DetailField::InfFile)].size() > 1;
}

}  // namespace analysis
