// The bytes an empty trace configuration file holds after one start.
#pragma once

#include <string>

inline std::string DefaultConfigFile() {
    std::string text = "[Common]\r\nModuleToken=ZEP\r\n";
    const char* names[] = {"ERROR", "WARNING", "INFO"};
    for (int n = 1; n <= 32; ++n) {
        text += "[LogType" + std::to_string(n) + "]\r\n";
        text += std::string("Name=") + (n <= 3 ? names[n - 1] : "") + "\r\n";
        text += std::string("Enabled=") + (n <= 3 ? "1" : "0") + "\r\n";
    }
    return text;
}
