// A trace sink that keeps every delivered message, for assertions on what an
// operation traced.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "log/custom_log.h"

struct CapturedMessage {
    std::uint32_t type;
    std::string text;
};

class LogCapture : public TCustomLog {
  public:
    void Output(std::uint32_t type, const char* message) override {
        messages.push_back(CapturedMessage{type, message});
    }

    // Messages of one type, in order.
    std::vector<std::string> Texts(std::uint32_t type) const;
    // All messages of the ERROR and WARNING types, in order: what a report shows.
    std::vector<std::string> Problems() const;
    bool Contains(const std::string& text) const;

    std::vector<CapturedMessage> messages;
};
