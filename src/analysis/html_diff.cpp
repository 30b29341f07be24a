// The difference of two reports as a page: both sources and the count at the
// top, then each change under its section and subject.
#include "analysis/html_page.h"
#include "analysis/html_report.h"
#include "analysis/html_writer.h"

namespace analysis {

namespace {

const char* KindWord(ChangeKind kind) {
    static constexpr const char* kWords[] = {"added", "removed", "changed", "moved"};
    return kWords[static_cast<std::size_t>(kind)];
}

// The position a moved entry had or has: the text after its last " at ".
std::string Position(const std::string& text) {
    const std::size_t at = text.rfind(" at ");
    return at == std::string::npos ? text : text.substr(at + 4);
}

void WriteChange(HtmlWriter& html, const Change& c) {
    html.Raw("<li class=\"").Raw(KindWord(c.kind)).Raw("\"><span class=\"kind\">");
    html.Raw(KindWord(c.kind)).Raw("</span>");
    const bool trace = c.field == "trace";
    if (!trace) {
        html.Element("code", "", c.field).Raw(" ");
    }
    switch (c.kind) {
        case ChangeKind::Added:
            html.Element("ins", trace ? "trace" : "", c.after);
            break;
        case ChangeKind::Removed:
            html.Element("del", trace ? "trace" : "", c.before);
            break;
        case ChangeKind::Moved:
            html.Text(c.after.substr(0, c.after.rfind(" at ")));
            html.Raw(" from position ").Text(Position(c.before));
            html.Raw(" to ").Text(Position(c.after));
            break;
        case ChangeKind::Changed:
            html.Element("del", "", c.before).Raw(" &rarr; ").Element("ins", "", c.after);
            break;
    }
    html.Raw("</li>\n");
}

void WriteCount(HtmlWriter& html, const ReportDiff& diff) {
    std::size_t kinds[4] = {};
    for (const Change& c : diff.changes) {
        ++kinds[static_cast<std::size_t>(c.kind)];
    }
    html.Raw("<p class=\"count\"><strong>");
    if (diff.Empty()) {
        html.Raw("The reports are the same.</strong></p>\n");
        return;
    }
    html.Number(diff.changes.size()).Raw(diff.changes.size() == 1 ? " difference" : " differences");
    html.Raw("</strong>: ");
    for (std::size_t k = 0; k < 4; ++k) {
        html.Raw(k == 0 ? "" : ", ")
            .Number(kinds[k])
            .Raw(" ")
            .Raw(KindWord(static_cast<ChangeKind>(k)));
    }
    html.Raw(".</p>\n");
}

}  // namespace

std::string DiffToHtml(const ReportDiff& diff, const CodePage& codePage, const std::string& oldName,
                       const std::string& newName) {
    HtmlWriter html(codePage);
    BeginHtmlPage(html, "Differences: " + oldName + " \xE2\x86\x92 " + newName);
    html.Raw(
        "<header>\n<h1>Differences between two reports</h1>\n<p class=\"source\">From <strong>");
    html.Utf8(oldName).Raw("</strong> to <strong>").Utf8(newName).Raw("</strong></p>\n");
    WriteCount(html, diff);
    html.Raw("</header>\n");
    const std::string* section = nullptr;
    const std::string* subject = nullptr;
    for (const Change& c : diff.changes) {
        const bool newSection = section == nullptr || *section != c.section;
        const bool newSubject = newSection || *subject != c.subject;
        if (newSubject && section != nullptr) {
            html.Raw("</ul>\n");
        }
        if (newSection) {
            html.Raw(section == nullptr ? "<section>\n" : "</section>\n<section>\n");
            html.Element("h2", "", c.section).Raw("\n");
            section = &c.section;
        }
        if (newSubject) {
            if (!c.subject.empty()) {
                html.Raw("<h3>").Element("code", "", c.subject).Raw("</h3>\n");
            }
            html.Raw("<ul class=\"changes\">\n");
            subject = &c.subject;
        }
        WriteChange(html, c);
    }
    html.Raw(section == nullptr ? "" : "</ul>\n</section>\n");
    EndHtmlPage(html);
    return html.Take();
}

}  // namespace analysis
