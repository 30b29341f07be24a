// The difference of two reports written for people and as JSON.
#include "analysis/json_writer.h"
#include "analysis/report_diff.h"

namespace analysis {

namespace {

const char* KindName(ChangeKind kind) {
    static constexpr const char* kNames[] = {"added", "removed", "changed", "moved"};
    return kNames[static_cast<std::size_t>(kind)];
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string Describe(const Change& c) {
    // Whole elements read "+ device ID", their parts "~ ID: description".
    const bool element = c.field == "device" || c.field == "service" || c.field == "setupClass" ||
                         c.field == "language" || c.field == "trace";
    const std::string what = c.subject.empty() ? c.field
                             : element         ? c.field + " " + c.subject
                                               : c.subject + ": " + c.field;
    switch (c.kind) {
        case ChangeKind::Added:
            return "+ " + what + " " + Quoted(c.after);
        case ChangeKind::Removed:
            return "- " + what + " " + Quoted(c.before);
        case ChangeKind::Moved:
            return "~ " + what + " moved: " + c.before + " -> " +
                   c.after.substr(c.after.rfind(" at ") + 4);
        default:
            return "~ " + what + " " + Quoted(c.before) + " -> " + Quoted(c.after);
    }
}

}  // namespace

std::string DiffToText(const ReportDiff& diff, const std::string& oldName,
                       const std::string& newName) {
    std::string text = "--- " + oldName + "\n+++ " + newName + "\n";
    const std::string* section = nullptr;
    for (const Change& change : diff.changes) {
        if (section == nullptr || *section != change.section) {
            section = &change.section;
            text += "\n" + change.section + ":\n";
        }
        text += "  " + Describe(change) + "\n";
    }
    text += diff.Empty() ? "\nThe reports are the same.\n"
                         : "\n" + std::to_string(diff.changes.size()) +
                               (diff.changes.size() == 1 ? " difference.\n" : " differences.\n");
    return text;
}

std::string DiffToJson(const ReportDiff& diff, const CodePage& codePage, const std::string& oldName,
                       const std::string& newName) {
    JsonWriter json(codePage, true);
    json.BeginObject();
    json.Key("schemaVersion");
    json.Number(1);
    json.Key("old");
    json.Utf8(oldName);
    json.Key("new");
    json.Utf8(newName);
    json.Key("same");
    json.Bool(diff.Empty());
    json.Key("changes");
    json.BeginArray();
    for (const Change& c : diff.changes) {
        json.BeginObject();
        json.Key("section");
        json.String(c.section);
        json.Key("subject");
        json.String(c.subject);
        json.Key("field");
        json.String(c.field);
        json.Key("kind");
        json.Utf8(KindName(c.kind));
        json.Key("old");
        c.kind == ChangeKind::Added ? json.Null() : json.String(c.before);
        json.Key("new");
        c.kind == ChangeKind::Removed ? json.Null() : json.String(c.after);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    return json.Take() + "\n";
}

}  // namespace analysis
