// Splits a Windows multi-string (NUL-terminated strings closed by an empty
// string) into a list, never reading outside the `size` bytes given.
#pragma once

#include "devices/string_list.h"
#include "platform/platform.h"

// Replaces `list` with the strings of `data`. A malformed multi-string is
// only traced; `list` then holds the strings taken before the fault.
void ConvertMultiStringToList(StringList& list, const win::BYTE* data, win::DWORD size);
