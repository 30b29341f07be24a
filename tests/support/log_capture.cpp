#include "support/log_capture.h"

#include "log/trace_log.h"

std::vector<std::string> LogCapture::Texts(std::uint32_t type) const {
    std::vector<std::string> texts;
    for (const CapturedMessage& message : messages) {
        if (message.type == type) {
            texts.push_back(message.text);
        }
    }
    return texts;
}

std::vector<std::string> LogCapture::Problems() const {
    std::vector<std::string> texts;
    for (const CapturedMessage& message : messages) {
        if (message.type == LOG_ERROR || message.type == LOG_WARNING) {
            texts.push_back(message.text);
        }
    }
    return texts;
}

bool LogCapture::Contains(const std::string& text) const {
    for (const CapturedMessage& message : messages) {
        if (message.text == text) {
            return true;
        }
    }
    return false;
}
