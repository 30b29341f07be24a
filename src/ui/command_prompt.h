// The two halves of a command's string-table text: the status-bar prompt
// before the first line break and the toolbar tooltip after it.
#pragma once

#include <cstdint>
#include <string>

struct CommandPrompt {
    std::string statusText;
    std::string tooltip;
};

CommandPrompt SplitCommandText(const std::string& text);

// The string-table identifier of a window-menu command's prompt (SC_SIZE ...
// SC_TASKLIST), or 0 for a value that is no system command.
std::uint32_t SystemCommandPromptId(std::uint32_t systemCommand);
