// Findings written for people and as JSON.
#include "analysis/json_writer.h"
#include "analysis/report_check.h"

namespace analysis {

namespace {

const char* SeverityName(Severity severity) {
    static constexpr const char* kNames[] = {"error", "warning", "info"};
    return kNames[static_cast<std::size_t>(severity)];
}

std::string LineList(const std::vector<std::size_t>& lines) {
    std::string text;
    for (const std::size_t line : lines) {
        text += (text.empty() ? "" : ", ") + std::to_string(line);
    }
    return text;
}

}  // namespace

std::string FindingsToText(const std::vector<Finding>& findings, const std::string& name) {
    std::string text;
    std::size_t errors = 0;
    for (const Finding& f : findings) {
        errors += f.severity == Severity::Error;
        text += std::string(SeverityName(f.severity)) + " [" + f.rule + "] " + f.subject + "\n";
        text += "  " + f.message + "\n";
        if (!f.lines.empty()) {
            text += "  " + name + (f.lines.size() == 1 ? " line " : " lines ") + LineList(f.lines) +
                    "\n";
        }
        text += "  What to do: " + f.action + "\n\n";
    }
    text += std::to_string(findings.size()) +
            (findings.size() == 1 ? " finding, " : " findings, ") + std::to_string(errors) +
            (errors == 1 ? " error.\n" : " errors.\n");
    return text;
}

std::string FindingsToJson(const std::vector<Finding>& findings, const CodePage& codePage,
                           const std::string& name) {
    JsonWriter json(codePage, true);
    json.BeginObject();
    json.Key("schemaVersion");
    json.Number(1);
    json.Key("report");
    json.Utf8(name);
    json.Key("findings");
    WriteFindings(json, findings);
    json.EndObject();
    return json.Take() + "\n";
}

void WriteFindings(JsonWriter& json, const std::vector<Finding>& findings) {
    json.BeginArray();
    for (const Finding& f : findings) {
        json.BeginObject();
        json.Key("severity");
        json.Utf8(SeverityName(f.severity));
        json.Key("rule");
        json.Utf8(f.rule);
        json.Key("subject");
        json.String(f.subject);
        json.Key("lines");
        json.BeginArray();
        for (const std::size_t line : f.lines) {
            json.Number(line);
        }
        json.EndArray();
        json.Key("message");
        json.String(f.message);
        json.Key("action");
        json.String(f.action);
        json.EndObject();
    }
    json.EndArray();
}

}  // namespace analysis
