// The described machine's ANSI code page, 1252: GetACP and the conversions
// between it and UTF-16. Other code pages are unknown here, as a code page
// that is not installed is on Windows.
#include <cstring>

#include "machine/ansi_code_page.h"
#include "platform/simulated/simulated_platform.h"

namespace sim {

namespace {

constexpr win::UINT kAnsiCodePage = 1252;
constexpr win::DWORD kNoBestFitChars = 0x400;  // WC_NO_BEST_FIT_CHARS

bool IsAnsiCodePage(win::UINT codePage) {
    return codePage == win::CP_ACP || codePage == kAnsiCodePage;
}

}  // namespace

win::UINT SimulatedPlatform::GetACP() {
    Enter("GetACP");  // cannot fail
    return kAnsiCodePage;
}

int SimulatedPlatform::MultiByteToWideChar(win::UINT CodePage, win::DWORD dwFlags,
                                           const char* lpMultiByteStr, int cbMultiByte,
                                           win::OLECHAR* lpWideCharStr, int cchWideChar) {
    if (Enter("MultiByteToWideChar")) {
        return 0;
    }
    if (!IsAnsiCodePage(CodePage) || dwFlags != 0 || lpMultiByteStr == nullptr ||
        cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 ||
        (lpWideCharStr == nullptr && cchWideChar != 0)) {
        return Fail(win::ERROR_INVALID_PARAMETER, 0);
    }
    // -1: up to and with the terminator.
    const std::size_t length =
        cbMultiByte == -1 ? std::strlen(lpMultiByteStr) + 1 : static_cast<std::size_t>(cbMultiByte);
    const std::u16string wide = machine::AnsiToWide(std::string(lpMultiByteStr, length));
    const int needed = static_cast<int>(wide.size());
    if (cchWideChar == 0) {
        return needed;
    }
    if (cchWideChar < needed) {
        return Fail(win::ERROR_INSUFFICIENT_BUFFER, 0);
    }
    wide.copy(lpWideCharStr, wide.size());
    return needed;
}

int SimulatedPlatform::WideCharToMultiByte(win::UINT CodePage, win::DWORD dwFlags,
                                           const win::OLECHAR* lpWideCharStr, int cchWideChar,
                                           char* lpMultiByteStr, int cbMultiByte,
                                           const char* lpDefaultChar,
                                           win::BOOL* lpUsedDefaultChar) {
    if (Enter("WideCharToMultiByte")) {
        return 0;
    }
    if (!IsAnsiCodePage(CodePage) || (dwFlags & ~kNoBestFitChars) != 0 ||
        lpWideCharStr == nullptr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 ||
        (lpMultiByteStr == nullptr && cbMultiByte != 0)) {
        return Fail(win::ERROR_INVALID_PARAMETER, 0);
    }
    std::size_t length = static_cast<std::size_t>(cchWideChar);
    if (cchWideChar == -1) {  // up to and with the terminator
        length = 0;
        while (lpWideCharStr[length] != 0) {
            ++length;
        }
        ++length;
    }
    const std::u16string wide(lpWideCharStr, length);
    std::string narrow = machine::WideToAnsi(wide);
    // The table has no best fit: a character it lacks became '?'.
    bool usedDefault = false;
    for (std::size_t i = 0; i < narrow.size(); ++i) {
        if (narrow[i] == '?' && wide[i] != u'?') {
            usedDefault = true;
            if (lpDefaultChar != nullptr) {
                narrow[i] = *lpDefaultChar;
            }
        }
    }
    if (lpUsedDefaultChar != nullptr) {
        *lpUsedDefaultChar = usedDefault ? win::TRUE : win::FALSE;
    }
    const int needed = static_cast<int>(narrow.size());
    if (cbMultiByte == 0) {
        return needed;
    }
    if (cbMultiByte < needed) {
        return Fail(win::ERROR_INSUFFICIENT_BUFFER, 0);
    }
    narrow.copy(lpMultiByteStr, narrow.size());
    return needed;
}

}  // namespace sim
