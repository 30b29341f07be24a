#include "cli/system_code_page.h"

#include <climits>
#include <memory>

#include "platform/platform.h"

namespace {

constexpr win::DWORD kNoBestFitChars = 0x400;  // WC_NO_BEST_FIT_CHARS
constexpr unsigned kFallback = 1252;           // what a report written elsewhere most likely is

// MultiByteToWideChar and WideCharToMultiByte of the installed platform.
class PlatformConverter : public analysis::CodePageConverter {
  public:
    explicit PlatformConverter(unsigned number) : number_(number) {}

    bool ToUtf16(std::string_view narrow, std::u16string& wide) const override {
        if (narrow.empty() || narrow.size() > INT_MAX) {
            return narrow.empty();
        }
        win::Platform& system = win::Current();
        const int size = static_cast<int>(narrow.size());
        const int needed = system.MultiByteToWideChar(number_, 0, narrow.data(), size, nullptr, 0);
        if (needed <= 0) {
            return false;
        }
        wide.resize(static_cast<std::size_t>(needed));
        return system.MultiByteToWideChar(number_, 0, narrow.data(), size, wide.data(), needed) ==
               needed;
    }

    bool FromUtf16(std::u16string_view wide, std::string& narrow) const override {
        win::Platform& system = win::Current();
        const int size = static_cast<int>(wide.size());
        char bytes[16];  // one character: at most 4 bytes in any code page
        win::BOOL usedDefault = win::FALSE;
        int n = system.WideCharToMultiByte(number_, kNoBestFitChars, wide.data(), size, bytes,
                                           sizeof bytes, nullptr, &usedDefault);
        if (n <= 0) {
            // Some code pages (the UTF-7 and ISO 2022 families among them)
            // take neither the flag nor the question; a round trip answers it.
            n = system.WideCharToMultiByte(number_, 0, wide.data(), size, bytes, sizeof bytes,
                                           nullptr, nullptr);
            std::u16string back;
            if (n <= 0 || !ToUtf16(std::string_view(bytes, static_cast<std::size_t>(n)), back) ||
                back != wide) {
                return false;
            }
        } else if (usedDefault) {
            return false;
        }
        narrow.append(bytes, static_cast<std::size_t>(n));
        return true;
    }

  private:
    unsigned number_;
};

}  // namespace

std::optional<analysis::CodePage> SystemCodePage(unsigned number) {
    if (number == 0) {
        number = win::Current().GetACP();
        if (number == 0) {
            number = kFallback;
        }
    }
    if (std::optional<analysis::CodePage> known = analysis::CodePage::Find(number)) {
        return known;
    }
    // Below 37, and 42, are the system's aliases (CP_OEMCP, CP_MACCP,
    // CP_THREAD_ACP, CP_SYMBOL), not code pages a report is written in.
    if (number < 37 || number == 42) {
        return std::nullopt;
    }
    // The platform knows a code page when it converts a letter of it.
    win::OLECHAR letter[2];
    if (win::Current().MultiByteToWideChar(number, 0, "A", 1, letter, 2) != 1) {
        return std::nullopt;
    }
    return analysis::CodePage::Through(number, std::make_shared<PlatformConverter>(number));
}
