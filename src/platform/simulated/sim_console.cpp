// Standard output and the console: GetStdHandle, GetConsoleMode and
// WriteConsoleW.
#include "platform/simulated/simulated_platform.h"

namespace sim {

namespace {

constexpr win::DWORD kStdInput = static_cast<win::DWORD>(-10);
constexpr win::DWORD kStdError = static_cast<win::DWORD>(-12);

// The standard handles of a console process as Windows numbers them: 3, 7, 11.
win::HANDLE StandardHandle(win::DWORD which) {
    return reinterpret_cast<win::HANDLE>(std::uintptr_t{3} + 4 * (kStdInput - which));
}
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
