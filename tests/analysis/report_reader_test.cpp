// Saved reports back to data: every golden report survives the round trip
// and every way a ticket mangles it; anything else is refused at the first
// line that is not a report's, with nothing half-read.
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "analysis/golden_reports.h"
#include "analysis/report_reader.h"
#include "analysis/report_writer.h"

namespace {

using analysis::CodePage;
using analysis::ReadFailure;
using analysis::ReportData;

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::string StripTrailingSpaces(const std::string& text) {
    std::string out;
    std::size_t spaces = 0;
    for (const char c : text) {
        if (c == ' ') {
            ++spaces;
            continue;
        }
        if (c != '\r' && c != '\n') {
            out.append(spaces, ' ');
        }
        spaces = 0;
        out.push_back(c);
    }
    return out;
}

std::string Utf16(const std::string& ascii, bool bom) {
    std::string out = bom ? "\xFF\xFE" : "";
    for (const char c : ascii) {
        out.push_back(c);
        out.push_back('\0');
    }
    return out;
}

std::string WithoutFinalBreak(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    return text;
}

struct Mangling {
    const char* name;
    std::function<std::string(const std::string&)> apply;
};

const Mangling kManglings[] = {
    {"as is", [](const std::string& t) { return t; }},
    {"LF", [](const std::string& t) { return ReplaceAll(t, "\r\n", "\n"); }},
    {"trailing spaces removed", StripTrailingSpaces},
    {"final break removed", WithoutFinalBreak},
    {"final break added", [](const std::string& t) { return t + "\r\n"; }},
    {"UTF-8 BOM", [](const std::string& t) { return "\xEF\xBB\xBF" + t; }},
    {"UTF-16LE", [](const std::string& t) { return Utf16(t, true); }},
    {"UTF-16LE without BOM", [](const std::string& t) { return Utf16(t, false); }},
    {"Linux editor",
     [](const std::string& t) { return StripTrailingSpaces(ReplaceAll(t, "\r\n", "\n")) + "\n"; }},
    {"Notepad after mail",
     [](const std::string& t) {
         return Utf16(WithoutFinalBreak(ReplaceAll(t, "\r\n", "\n")), true);
     }},
};

TEST(ReportReader, EveryGoldenReportSurvivesEveryManglingByteForByte) {
    const auto reports = GoldenReports();
    ASSERT_GE(reports.size(), 7u);
    for (const auto& [name, text] : reports) {
        for (const Mangling& mangling : kManglings) {
            SCOPED_TRACE(name + ", " + mangling.name);
            ReportData data;
            ReadFailure failure;
            ASSERT_TRUE(ReadReport(mangling.apply(text), CodePage::Default(), data, failure))
                << failure.Format(name);
            EXPECT_EQ(analysis::WriteReportText(data), text);
        }
    }
}

TEST(ReportReader, KeepsFailuresAtThePlaceTheyInterrupt) {
    ReportData data;
    ReadFailure failure;
    ASSERT_TRUE(ReadReport(GoldenReport("faults-services"), CodePage::Default(), data, failure));
    const analysis::SetupClass& usb = data.classes.at(0);
    EXPECT_FALSE(usb.devices.at(2).description.has_value());
    EXPECT_EQ(usb.devices.at(2).traces.size(), 3u);
    EXPECT_EQ(usb.devices.at(2).traces[0].slot, analysis::TraceSlot::Description);
    EXPECT_FALSE(usb.devices.at(3).stack.loaded);
    ASSERT_EQ(usb.services.size(), 3u);
    EXPECT_FALSE(usb.services[0].opened);
    EXPECT_EQ(usb.services[0].name, "exlock");
    EXPECT_FALSE(usb.services[1].binary.has_value());
    const analysis::SetupClass& ieee1394 = data.classes.at(1);
    EXPECT_FALSE(ieee1394.managerOpened);
    EXPECT_EQ(ieee1394.traces.back().slot, analysis::TraceSlot::ServiceManager);
}

struct Damage {
    const char* name;
    std::function<std::string(const std::string&)> apply;
    std::size_t line;
    const char* expected;  // part of the expected text
};

std::string Replace(const std::string& text, const std::string& from, const std::string& to) {
    std::string out = text;
    const std::size_t at = out.find(from);
    return at == std::string::npos ? "replaced text missing" : out.replace(at, from.size(), to);
}

const Damage kDamages[] = {
    {"empty file", [](const std::string&) { return std::string(); }, 1, "the title line"},
    {"dashes one short",
     [](const std::string& t) { return Replace(t, "-\r\n\r\nSystem", "\r\n\r\nSystem"); }, 2,
     "\"----"},
    {"label misspelled",
     [](const std::string& t) { return Replace(t, "Device Instance ID:", "Device Instance Id:"); },
     22, "\"      Device Instance ID:\""},
    {"value one column off",
     [](const std::string& t) {
         return Replace(t, "Version:        1.2.3.4", "Version:       1.2.3.4");
     },
     40, "\"File Version:\" with its value at column 28"},
    {"cut inside a language block",
     [](const std::string& t) { return t.substr(0, t.find("Internal Name:       exaudio")); }, 44,
     "\"         Internal Name:\""},
    {"NUL byte",
     [](const std::string& t) { return Replace(t, "USB Root Hub", std::string("USB\0Root", 8)); },
     21, "text"},
    {"UTF-16 of an odd length", [](const std::string& t) { return Utf16(t, true) + "x"; }, 95,
     "whole characters"},
    {"malformed UTF-8",
     [](const std::string& t) { return "\xEF\xBB\xBF" + Replace(t, "Hub", "\xC3("); }, 21,
     "UTF-8 text"},
    {"character outside the code page",
     [](const std::string& t) { return "\xEF\xBB\xBF" + Replace(t, "Hub", "\xE4\xB8\x80"); }, 21,
     "characters of code page 1252"},
    {"trace line without its line feed",
     [](const std::string& t) {
         return Replace(t, "      Description:         USB Root Hub",
                        "      ERROR: lost\r\n      Description:         USB Root Hub");
     },
     22, "the empty line after a trace message"},
    {"text after the report", [](const std::string& t) { return t + "\r\nP.S. thanks\r\n"; }, 96,
     "the end of the report"},
    {"an empty line missing",
     [](const std::string& t) { return Replace(t, "4&1B&0\r\n      \r\n", "4&1B&0\r\n"); }, 23,
     "an empty line"},
    {"lower-case language header",
     [](const std::string& t) { return Replace(t, "Code Page 0x04B0", "Code Page 0x04b0"); }, 42,
     "Code Page 0x04B0"},
    {"five-digit code page",
     [](const std::string& t) { return Replace(t, "Code Page 0x04B0", "Code Page 0x04B00"); }, 42,
     "Language 0xLLLL/Code Page 0xCCCC:"},
    {"one suite under the plural label",
     [](const std::string& t) {
         return Replace(t, "\r\n                                  Single Interactive Session", "");
     },
     10, "\"   Product Suite:"},
};

TEST(ReportReader, RefusesDamageAtTheFirstLineThatIsNotAReports) {
    const std::string text = GoldenReport("worked-example");
    for (const Damage& damage : kDamages) {
        SCOPED_TRACE(damage.name);
        ReportData data;
        data.title = "untouched";
        ReadFailure failure;
        ASSERT_FALSE(ReadReport(damage.apply(text), CodePage::Default(), data, failure));
        EXPECT_EQ(failure.line, damage.line) << failure.Format("r.txt");
        EXPECT_NE(failure.Format("r.txt").find(damage.expected), std::string::npos)
            << failure.Format("r.txt");
        EXPECT_EQ(data.title, "untouched");
    }
}

}  // namespace
