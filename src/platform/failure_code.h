// The status of a platform call that reported failure. Some calls fail
// without setting an error (the last error then still reads 0, or whatever an
// earlier call left); a failure must never read as success, so 0 becomes
// ERROR_INVALID_FUNCTION, the code this program gives every failure that
// carries no code of its own.
#pragma once

#include "platform/platform.h"

inline StatusCode FailureCode(win::DWORD lastError) {
    return lastError != win::ERROR_SUCCESS ? lastError : win::ERROR_INVALID_FUNCTION;
}

// Right after a call of the current platform that failed.
inline StatusCode LastFailureCode() {
    return FailureCode(win::Current().GetLastError());
}
