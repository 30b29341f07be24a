// What every version question starts from.
#pragma once

#include "platform/platform.h"

// All zero but its size: each question then sets the fields it asks about.
inline win::OSVERSIONINFOEXA EmptyVersionRequest() {
    win::OSVERSIONINFOEXA request{};
    request.dwOSVersionInfoSize = sizeof request;
    return request;
}
