// The services of a setup class as a table: binary path, versions and the
// strings of each language block, with the ERROR and WARNING lines in the
// cell they interrupt.

#include "analysis/html_parts.h"
#include "text/print_format.h"

namespace analysis {

namespace {

void WriteLanguage(HtmlWriter& html, const LanguageBlock& block) {
    char heading[64];
    FormatPrint(heading, sizeof heading, "Language 0x%04X, code page 0x%04X",
                static_cast<unsigned>(block.language), static_cast<unsigned>(block.codePage));
    html.Raw("<div class=\"lang\"><span class=\"muted\">").Raw(heading).Raw("</span>");
    static constexpr TraceSlot kSlots[] = {TraceSlot::Provider, TraceSlot::InternalName,
                                           TraceSlot::OriginalFilename, TraceSlot::ProductName,
                                           TraceSlot::FileDescription};
    static constexpr const char* kLabels[] = {"Provider", "Internal name", "Original file name",
                                              "Product name", "File description"};
    html.Raw("<dl>");
    for (std::size_t i = 0; i < kVersionStrings; ++i) {
        bool traced = false;
        for (const TraceLine& t : block.traces) {
            traced = traced || t.slot == kSlots[i];
        }
        html.Raw("<dt>").Raw(kLabels[i]).Raw("</dt><dd>");
        if (traced) {
            WriteTraces(html, block.traces, kSlots[i]);
        }
        html.Text(block.strings[i]).Raw("</dd>");
    }
    html.Raw("</dl></div>");
}

void WriteVersionCells(HtmlWriter& html, const Service& s) {
    if (!s.versionLoaded) {
        // Only the lines that say why stand where the versions would.
        html.Raw("<td colspan=\"3\" data-label=\"Version resource\">");
        WriteTraces(html, s.traces, TraceSlot::VersionResource);
        WriteTraces(html, s.traces, TraceSlot::ProductVersion);
        WriteTraces(html, s.traces, TraceSlot::Languages);
        html.Raw("</td>");
        return;
    }
    html.Raw("<td data-label=\"File version\">");
    WriteTraces(html, s.traces, TraceSlot::VersionResource);
    html.Text(s.fileVersion).Raw("</td><td data-label=\"Product version\">");
    WriteTraces(html, s.traces, TraceSlot::ProductVersion);
    html.Text(s.productVersion).Raw("</td><td data-label=\"Version resource\">");
    WriteTraces(html, s.traces, TraceSlot::Languages);
    if (!s.languagesListed) {
        html.Raw(
            "<span class=\"muted\">No file description for a language and code page."
            "</span>");
    }
    for (const LanguageBlock& block : s.languages) {
        WriteLanguage(html, block);
    }
    html.Raw("</td>");
}

}  // namespace

void WriteServiceTable(HtmlWriter& html, const SetupClass& c, std::size_t classIndex) {
    // Tables of a few dozen rows each, so that the browser lays out only
    // those in sight; their fixed columns line up from one to the next.
    constexpr std::size_t kRowsPerTable = 40;
    for (std::size_t i = 0; i < c.services.size(); ++i) {
        if (i % kRowsPerTable == 0) {
            html.Raw(i == 0 ? "" : "</tbody>\n</table>\n</div>\n");
            html.Raw(
                "<div class=\"part\"><table class=\"services\">\n<thead><tr><th>Service</th>"
                "<th>Binary</th><th>File version</th><th>Product version</th>"
                "<th>Version resource</th></tr></thead>\n<tbody>\n");
        }
        const Service& s = c.services[i];
        html.Raw("<tr id=\"").Raw(HtmlAnchors::ServiceId(classIndex, i)).Raw("\">");
        html.Raw("<td data-label=\"Service\">").Element("code", "", s.name).Raw("</td>");
        if (!s.opened) {
            html.Raw("<td colspan=\"4\">");
            WriteTraces(html, s.traces, TraceSlot::OpenService);
            html.Raw("</td></tr>\n");
            continue;
        }
        html.Raw("<td data-label=\"Binary\">");
        WriteTraces(html, s.traces, TraceSlot::Binary);
        if (s.binary) {
            html.Element("code", "", *s.binary);
        }
        html.Raw("</td>");
        WriteVersionCells(html, s);
        html.Raw("</tr>\n");
    }
    html.Raw(c.services.empty() ? "" : "</tbody>\n</table>\n</div>\n");
}

}  // namespace analysis
