#include "host/system_error_text.h"

#include <cstring>

#include <windows.h>

namespace host {

// The system's text for an error code, worded as std::system_category()
// words it, whose error categories would pull the standard library's
// exception classes into the release programs. A message with inserts (%1)
// fails without arguments, as it does there.
std::string SystemErrorText(unsigned long error) {
    char* text = nullptr;
    const DWORD length =
        ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr,
                         error, LANG_USER_DEFAULT, reinterpret_cast<char*>(&text), 0, nullptr);
    if (length == 0 || text == nullptr) {
        return "Unknown error code";
    }
    const bool sentence = length > 3 && std::memcmp(text + length - 3, ".\r\n", 3) == 0;
    std::string message(text, sentence ? length - 3 : length);
    ::LocalFree(text);
    return message;
}

}  // namespace host
