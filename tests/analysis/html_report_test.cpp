// The pages: text from a machine or a saved report never becomes markup, no
// ERROR or WARNING line is lost, and the driver stack is drawn in load order
// with its missing and foreign entries marked.
#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "analysis/golden_reports.h"
#include "analysis/html_report.h"
#include "analysis/report_reader.h"

namespace {

using analysis::CodePage;
using analysis::ReportData;

constexpr char kHostile[] = "<script>alert(1)</script> & \"x\"";
constexpr char kHostileShown[] = "&lt;script&gt;alert(1)&lt;/script&gt; &amp; &quot;x&quot;";

ReportData Read(const std::string& golden) {
    ReportData data;
    analysis::ReadFailure failure;
    EXPECT_TRUE(ReadReport(GoldenReport(golden), CodePage::Default(), data, failure));
    return data;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return text;
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

TEST(HtmlReport, HostileNamesShowAsTextOnEveryPage) {
    const ReportData before = Read("support-cases");
    ReportData after = before;
    analysis::SetupClass& usb = after.classes.front();
    usb.devices[1].description = kHostile;
    usb.devices[1].instanceId = std::string(kHostile) + "\\1";
    usb.services[0].name = kHostile;  // excam, the webcam's function driver
    usb.devices[1].stack.layers[2] = {kHostile};
    usb.services[0].languages.front().strings[0] = "<b onmouseover='x()'>Maker</b>";
    after.system.traces.push_back({analysis::TraceKind::Warning, analysis::TraceSlot::Processors,
                                   std::string("</p><script>alert(2)</script>"), 0});
    const CodePage codePage = CodePage::Default();
    const std::string pages[] = {
        analysis::ReportToHtml(after, codePage, "<i>ticket.txt</i>"),
        analysis::FindingsToHtml(after, analysis::CheckReport(after), codePage, "x"),
        analysis::DiffToHtml(analysis::DiffReports(before, after), codePage, "a\"b", "<c>"),
    };
    for (const std::string& page : pages) {
        SCOPED_TRACE(page.substr(page.find("<body>")));
        EXPECT_NE(page.find(kHostileShown), std::string::npos);
        const std::string lower = Lower(page);
        EXPECT_EQ(lower.find("<script"), std::string::npos);
        EXPECT_EQ(lower.find("<b "), std::string::npos);
        EXPECT_EQ(lower.find("<i>"), std::string::npos);
        EXPECT_EQ(lower.find("<c>"), std::string::npos);
    }
    EXPECT_NE(pages[0].find("&lt;/p&gt;&lt;script&gt;alert(2)"), std::string::npos);
}

TEST(HtmlReport, EveryTraceLineOfTheFaultReportsIsShown) {
    for (const char* golden : {"faults-services", "faults-device-lists", "xp-sp3-usb-1394"}) {
        SCOPED_TRACE(golden);
        const std::string report = GoldenReport(golden);
        const std::string page = analysis::ReportToHtml(Read(golden), CodePage::Default(), golden);
        EXPECT_EQ(Count(page, ">ERROR: "), Count(report, "ERROR: "));
        EXPECT_EQ(Count(page, ">WARNING: "), Count(report, "WARNING: "));
    }
}

TEST(HtmlReport, StackBoxesInLoadOrderWithMissingAndForeignEntriesMarked) {
    ReportData data = Read("support-cases");
    analysis::Device& webcam = data.classes.front().devices[1];
    webcam.stack.layers = {{{"UCF"}, {"exvend"}, {"excam"}, {"LCF"}, {"LDF"}}};
    const std::string page = analysis::ReportToHtml(data, CodePage::Default(), "t");
    const std::size_t card = page.find("id=\"c1-d2\"");
    const std::string stack = page.substr(card, page.find("</article>", card) - card);
    std::size_t at = 0;
    for (const char* layer : {"Upper class filter", "Upper device filter", "Function driver",
                              "Lower class filter", "Lower device filter"}) {
        const std::size_t next = stack.find(layer);
        ASSERT_NE(next, std::string::npos) << layer;
        EXPECT_GT(next, at) << layer;
        at = next;
    }
    EXPECT_NE(stack.find("class=\"filter foreign\""), std::string::npos);
    EXPECT_EQ(Count(stack, "tag foreign"), 1u);  // the unknown filters have no company

    const std::string xp =
        analysis::ReportToHtml(Read("xp-sp3-usb-1394"), CodePage::Default(), "xp");
    const std::size_t box = xp.find(">exscan<");
    ASSERT_NE(box, std::string::npos);
    EXPECT_NE(xp.rfind("<li class=\"fn missing\"", box), std::string::npos);
    EXPECT_LT(xp.find("missing: not installed", box), xp.find("</li>", box));
}

}  // namespace
