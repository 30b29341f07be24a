#include "analysis/html_report.h"

#include "analysis/html_page.h"
#include "analysis/html_parts.h"
#include "analysis/report_diff.h"
#include "text/joined.h"

namespace analysis {

namespace {

const char* SeverityClass(Severity severity) {
    static constexpr const char* kNames[] = {"error", "warning", "info"};
    return kNames[static_cast<std::size_t>(severity)];
}

const char* SeverityWord(Severity severity) {
    static constexpr const char* kNames[] = {"Error", "Warning", "Note"};
    return kNames[static_cast<std::size_t>(severity)];
}

std::string Plural(std::size_t n, const char* one, const char* many) {
    return Joined({std::to_string(n), " ", n == 1 ? one : many});
}

void WriteFinding(HtmlWriter& html, const Finding& f, const HtmlAnchors& anchors) {
    html.Raw("<li class=\"").Raw(SeverityClass(f.severity)).Raw("\"><span class=\"sev\">");
    html.Raw(SeverityWord(f.severity)).Raw("</span> ");
    const std::string anchor = anchors.For(f.subject);
    if (anchor.empty()) {
        html.Element("strong", "", f.subject);
    } else {
        html.Raw("<a href=\"#").Raw(anchor).Raw("\"><strong>").Text(f.subject);
        html.Raw("</strong></a>");
    }
    html.Raw(" <span class=\"muted\">[").Utf8(f.rule).Raw("]</span>");
    html.Raw("<p>").Text(f.message).Raw("</p>");
    html.Raw("<p><strong>What to do:</strong> ").Text(f.action).Raw("</p>");
    if (!f.lines.empty()) {
        html.Raw("<p class=\"muted\">Report ").Raw(f.lines.size() == 1 ? "line " : "lines ");
        for (std::size_t i = 0; i < f.lines.size(); ++i) {
            html.Raw(i == 0 ? "" : ", ").Number(f.lines[i]);
        }
        html.Raw("</p>");
    }
    html.Raw("</li>\n");
}

void WriteSystem(HtmlWriter& html, const SystemFacts& system) {
    html.Raw("<section id=\"system\">\n<h2>System</h2>\n<table class=\"facts\"><tbody>\n");
    auto row = [&](TraceSlot slot, const char* label, const std::string* value) {
        bool traced = false;
        for (const TraceLine& t : system.traces) {
            traced = traced || t.slot == slot;
        }
        if (traced) {
            html.Raw("<tr><td colspan=\"2\">");
            WriteTraces(html, system.traces, slot);
            html.Raw("</td></tr>\n");
        }
        html.Raw("<tr><th>").Raw(label).Raw("</th><td>");
        if (value != nullptr) {
            html.Text(*value);
        } else {
            for (std::size_t i = 0; i < system.productSuites.size(); ++i) {
                html.Raw(i == 0 ? "" : "<br>").Text(system.productSuites[i]);
            }
        }
        html.Raw("</td></tr>\n");
    };
    row(TraceSlot::OperatingSystem, "Operating system", &system.operatingSystem);
    row(TraceSlot::VersionNumber, "Version number", &system.versionNumber);
    row(TraceSlot::ServicePack, "Service pack", &system.servicePack);
    row(TraceSlot::ProductType, "Product type", &system.productType);
    row(TraceSlot::ProductSuites, "Product suites", nullptr);
    row(TraceSlot::Processors, "Logical processors", &system.processors);
    html.Raw("</tbody></table>\n</section>\n");
}

void WriteClass(HtmlWriter& html, const SetupClass& c, std::size_t index) {
    html.Raw("<section class=\"class\" id=\"").Raw(HtmlAnchors::ClassId(index)).Raw("\">\n<h2>");
    const bool installed = !c.name || *c.name != kClassNotInstalled;
    html.Raw(installed ? "Setup class "
                       : "Setup class <span class=\"tag missing\">not installed"
                         "</span> ");
    if (c.name && installed) {
        html.Text(*c.name).Raw(" ");
    }
    html.Element("code", "", c.guid).Raw("</h2>\n");
    WriteTraces(html, c.traces, TraceSlot::ClassName);
    WriteTraces(html, c.traces, TraceSlot::DeviceList);
    if (c.devicesListed) {
        html.Raw("<p class=\"muted\">")
            .Utf8(Plural(c.devices.size(), "device", "devices"))
            .Raw("</p>\n");
    }
    if (!c.devices.empty()) {
        html.Raw("<div class=\"cards\">\n");
        const ServiceIndex services = IndexServices(c);
        for (std::size_t d = 0; d < c.devices.size(); ++d) {
            WriteDeviceCard(html, c, services, index, d);
        }
        html.Raw("</div>\n");
    }
    WriteTraces(html, c.traces, TraceSlot::ServiceManager);
    if (!c.services.empty()) {
        html.Raw("<h3>Services of ");
        html.Text(ClassDisplayName(c)).Raw("</h3>\n");
        WriteServiceTable(html, c, index);
    }
    html.Raw("</section>\n");
}

void WriteHeader(HtmlWriter& html, const char* heading, const std::string& title,
                 const std::string& source) {
    html.Raw("<header>\n<h1>").Text(title).Raw("</h1>\n<p class=\"source\">").Raw(heading);
    html.Raw(" <strong>").Utf8(source).Raw("</strong></p>\n</header>\n");
}

std::string Page(const ReportData& report, const std::vector<Finding>& findings,
                 const CodePage& codePage, const std::string& source, const char* heading) {
    HtmlWriter html(codePage);
    std::string title;
    codePage.AppendUtf8(title, report.title);
    BeginHtmlPage(html, Joined({heading, " ", source, " \xE2\x80\x94 ", title}));
    WriteHeader(html, heading, report.title, source);
    const HtmlAnchors anchors(report);
    WriteFindings(html, findings, anchors);
    WriteReportBody(html, report);
    EndHtmlPage(html);
    return html.Take();
}

}  // namespace

void WriteTraces(HtmlWriter& html, const TraceLines& traces, TraceSlot slot) {
    for (const TraceLine& t : traces) {
        if (t.slot != slot) {
            continue;
        }
        const bool error = t.kind == TraceKind::Error;
        html.Raw(error ? "<p class=\"trace error\">ERROR: "
                       : "<p class=\"trace warning\">WARNING: ");
        html.Text(t.message).Raw("</p>\n");
    }
}

void WriteFindings(HtmlWriter& html, const std::vector<Finding>& findings,
                   const HtmlAnchors& anchors) {
    std::size_t counts[3] = {};
    for (const Finding& f : findings) {
        ++counts[static_cast<std::size_t>(f.severity)];
    }
    html.Raw("<section id=\"findings\">\n<h2>Findings</h2>\n<p class=\"count\">");
    if (findings.empty()) {
        html.Raw("No findings: nothing in this report needs looking at first.</p>\n");
    } else {
        html.Utf8(Joined({Plural(findings.size(), "finding", "findings"), ": ",
                          Plural(counts[0], "error", "errors"), ", ",
                          Plural(counts[1], "warning", "warnings"), ", ",
                          Plural(counts[2], "note", "notes"), "."}));
        html.Raw("</p>\n<ol class=\"findings\">\n");
        for (const Finding& f : findings) {
            WriteFinding(html, f, anchors);
        }
        html.Raw("</ol>\n");
    }
    html.Raw("</section>\n");
}

void WriteReportBody(HtmlWriter& html, const ReportData& report) {
    WriteSystem(html, report.system);
    for (std::size_t c = 0; c < report.classes.size(); ++c) {
        WriteClass(html, report.classes[c], c);
    }
}

std::string ClassDisplayName(const SetupClass& c) {
    return c.name && *c.name != kClassNotInstalled ? *c.name : c.guid;
}

std::string ReportToHtml(const ReportData& report, const CodePage& codePage,
                         const std::string& source) {
    return Page(report, CheckReport(report), codePage, source, "Report of");
}

std::string FindingsToHtml(const ReportData& report, const std::vector<Finding>& findings,
                           const CodePage& codePage, const std::string& source) {
    return Page(report, findings, codePage, source, "Findings in the report of");
}

}  // namespace analysis
