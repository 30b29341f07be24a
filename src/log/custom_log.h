// Base class of every trace sink. A sink is registered for exactly its
// lifetime and receives every delivered entry through Output.
#pragma once

#include <cstdint>

class TCustomLog {
  public:
    TCustomLog();
    virtual ~TCustomLog();
    TCustomLog(const TCustomLog&) = delete;
    TCustomLog& operator=(const TCustomLog&) = delete;

    // `type` is the mask of the entry's log type; `message` its text,
    // including the message's own trailing line break.
    virtual void Output(std::uint32_t type, const char* message) = 0;
    // The masks of the log types whose entries the sink writes: an entry no
    // sink writes is not formatted.
    virtual std::uint32_t TypesTaken() const { return ~std::uint32_t{0}; }
};
