// Saved reports of a system whose ANSI code page the reader has no table of
// (here a Cyrillic one) are read through that system's own conversions.
#include <string>

#include <gtest/gtest.h>

#include "analysis/read_failure.h"
#include "analysis/report_json.h"
#include "analysis/report_reader.h"
#include "analysis/report_writer.h"
#include "cli/system_code_page.h"
#include "platform/platform.h"
#include "support/scratch_dir.h"

namespace {

// Code page 1251 as far as the test needs it: ASCII, and 0xC0..0xFF for
// U+0410..U+044F.
class CyrillicSystem : public win::Platform {
  public:
    win::UINT GetACP() override { return 1251; }

    int MultiByteToWideChar(win::UINT codePage, win::DWORD, const char* narrow, int size,
                            win::OLECHAR* wide, int capacity) override {
        if (codePage != 1251 || size <= 0) {
            SetLastError(win::ERROR_INVALID_PARAMETER);
            return 0;
        }
        for (int i = 0; i < size && i < capacity; ++i) {
            const auto c = static_cast<unsigned char>(narrow[i]);
            wide[i] = c >= 0xC0 ? static_cast<char16_t>(0x0410 + c - 0xC0) : c;
        }
        return size;
    }

    int WideCharToMultiByte(win::UINT codePage, win::DWORD, const win::OLECHAR* wide, int size,
                            char* narrow, int capacity, const char*,
                            win::BOOL* usedDefault) override {
        if (codePage != 1251 || size <= 0 || capacity < size) {
            SetLastError(win::ERROR_INVALID_PARAMETER);
            return 0;
        }
        *usedDefault = win::FALSE;
        for (int i = 0; i < size; ++i) {
            const char16_t c = wide[i];
            const bool cyrillic = c >= 0x0410 && c <= 0x044F;
            *usedDefault |= !cyrillic && c >= 0x80;
            narrow[i] = static_cast<char>(cyrillic ? c - 0x0410 + 0xC0 : c < 0x80 ? c : '?');
        }
        return size;
    }
};

TEST(SystemCodePage, ReportsAreReadInTheSystemsAnsiCodePage) {
    CyrillicSystem system;
    win::ScopedPlatform scope(system);
    const std::optional<analysis::CodePage> page = SystemCodePage(0);
    ASSERT_TRUE(page);
    EXPECT_EQ(page->Number(), 1251u);
    EXPECT_FALSE(SystemCodePage(866));  // not a code page this system has

    std::string text =
        ReadWholeFile(std::string(MVSI_SOURCE_DIR) + "/tests/golden/worked-example.txt");
    const std::string company = "Example Corp.";
    ASSERT_NE(text.find(company), std::string::npos);
    text.replace(text.find(company), company.size(), "\xCF\xF0\xE8\xEC\xE5\xF0");  // "Пример"
    analysis::ReportData report;
    analysis::ReadFailure failure;
    ASSERT_TRUE(analysis::ReadReport(text, *page, report, failure)) << failure.Format("r.txt");
    EXPECT_NE(analysis::ReportToJson(report, *page, false, "r.txt")
                  .find("\"\xD0\x9F\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80\""),
              std::string::npos);

    // The same report after an editor saved it as UTF-16: the same bytes again.
    std::string unicode = "\xFF\xFE";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const char16_t wide = byte >= 0xC0 ? static_cast<char16_t>(0x0410 + byte - 0xC0) : byte;
        unicode.push_back(static_cast<char>(wide & 0xFF));
        unicode.push_back(static_cast<char>(wide >> 8));
    }
    analysis::ReportData fromUnicode;
    ASSERT_TRUE(analysis::ReadReport(unicode, *page, fromUnicode, failure))
        << failure.Format("r.txt");
    EXPECT_EQ(analysis::WriteReportText(fromUnicode), text);
}

}  // namespace
