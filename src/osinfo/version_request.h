// What every version question starts from, and the code of a failed call.
#pragma once

#include "platform/platform.h"

// All zero but its size: each question then sets the fields it asks about.
inline win::OSVERSIONINFOEXA EmptyVersionRequest() {
    win::OSVERSIONINFOEXA request{};
    request.dwOSVersionInfoSize = sizeof request;
    return request;
}

// The status of a call that failed with `lastError`: one that failed without
// setting an error must still not read as success.
inline StatusCode FailureCode(win::DWORD lastError) {
    return lastError != win::ERROR_SUCCESS ? lastError : win::ERROR_INVALID_FUNCTION;
}
