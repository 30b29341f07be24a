#include "ui/command_prompt.h"

CommandPrompt SplitCommandText(const std::string& text) {
    const std::size_t lineBreak = text.find('\n');
    if (lineBreak == std::string::npos) {
        return {text, std::string()};
    }
    return {text.substr(0, lineBreak), text.substr(lineBreak + 1)};
}

std::uint32_t SystemCommandPromptId(std::uint32_t systemCommand) {
    // Windows may set the low four bits of a system command; they carry no
    // meaning for the prompt.
    const std::uint32_t command = systemCommand & 0xFFF0u;
    if (command < 0xF000u || command > 0xF1F0u) {
        return 0;
    }
    return 0xEF00u + ((command - 0xF000u) >> 4);
}
