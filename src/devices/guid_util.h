// The braced lower-case text form of a GUID, and back.
#pragma once

#include <string>

#include "platform/platform.h"

// Appends "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" (38 characters) to `text`.
void GuidToString(const win::GUID& guid, std::string& text);

// Parses the braced form through the platform's CLSIDFromString: 0, or 1 on
// any failure (a null string, text that is not a GUID).
StatusCode GuidFromString(win::GUID& guid, const char* string);
