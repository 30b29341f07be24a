// Standard output and the console: GetStdHandle, GetConsoleMode,
// MultiByteToWideChar (code page 1252) and WriteConsoleW.
#include <cstring>

#include "machine/ansi_code_page.h"
#include "platform/simulated/simulated_platform.h"

namespace sim {

namespace {

constexpr win::DWORD kStdInput = static_cast<win::DWORD>(-10);
constexpr win::DWORD kStdError = static_cast<win::DWORD>(-12);

// The standard handles of a console process as Windows numbers them: 3, 7, 11.
win::HANDLE StandardHandle(win::DWORD which) {
    return reinterpret_cast<win::HANDLE>(std::uintptr_t{3} + 4 * (kStdInput - which));
}
constexpr win::DWORD kAnsiCodePage = 1252;
// ENABLE_PROCESSED_OUTPUT | ENABLE_WRAP_AT_EOL_OUTPUT, a console's default.
constexpr win::DWORD kConsoleOutputMode = 0x3;

}  // namespace

win::HANDLE SimulatedPlatform::GetStdHandle(win::DWORD nStdHandle) {
    if (Enter("GetStdHandle")) {
        return win::InvalidHandleValue();
    }
    if (nStdHandle < kStdError || nStdHandle > kStdInput) {
        return Fail(win::ERROR_INVALID_HANDLE, win::InvalidHandleValue());
    }
    return StandardHandle(nStdHandle);
}

win::BOOL SimulatedPlatform::GetConsoleMode(win::HANDLE hConsoleHandle, win::DWORD* lpMode) {
    if (Enter("GetConsoleMode")) {
        return win::FALSE;
    }
    // A file or a pipe is no console: Windows says the handle is invalid.
    if (!console_.attached || hConsoleHandle != StandardHandle(win::STD_OUTPUT_HANDLE)) {
        return Fail(win::ERROR_INVALID_HANDLE, win::FALSE);
    }
    if (lpMode == nullptr) {
        return Fail(win::ERROR_INVALID_ADDRESS, win::FALSE);
    }
    *lpMode = kConsoleOutputMode;
    return win::TRUE;
}

int SimulatedPlatform::MultiByteToWideChar(win::UINT CodePage, win::DWORD dwFlags,
                                           const char* lpMultiByteStr, int cbMultiByte,
                                           win::OLECHAR* lpWideCharStr, int cchWideChar) {
    if (Enter("MultiByteToWideChar")) {
        return 0;
    }
    if ((CodePage != win::CP_ACP && CodePage != kAnsiCodePage) || dwFlags != 0 ||
        lpMultiByteStr == nullptr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 ||
        (lpWideCharStr == nullptr && cchWideChar != 0)) {
        return Fail(win::ERROR_INVALID_PARAMETER, 0);
    }
    // -1: up to and with the terminator.
    const std::size_t length =
        cbMultiByte == -1 ? std::strlen(lpMultiByteStr) + 1 : static_cast<std::size_t>(cbMultiByte);
    const std::u16string wide = AnsiToWide(std::string(lpMultiByteStr, length));
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

win::BOOL SimulatedPlatform::WriteConsoleW(win::HANDLE hConsoleOutput, const win::OLECHAR* lpBuffer,
                                           win::DWORD nNumberOfCharsToWrite,
                                           win::DWORD* lpNumberOfCharsWritten, void*) {
    if (Enter("WriteConsoleW")) {
        return win::FALSE;
    }
    if (!console_.attached || hConsoleOutput != StandardHandle(win::STD_OUTPUT_HANDLE)) {
        return Fail(win::ERROR_INVALID_HANDLE, win::FALSE);
    }
    if (lpBuffer == nullptr && nNumberOfCharsToWrite != 0) {
        return Fail(win::ERROR_INVALID_ADDRESS, win::FALSE);
    }
    console_.text.append(lpBuffer, nNumberOfCharsToWrite);
    if (lpNumberOfCharsWritten != nullptr) {
        *lpNumberOfCharsWritten = nNumberOfCharsToWrite;
    }
    return win::TRUE;
}

}  // namespace sim
