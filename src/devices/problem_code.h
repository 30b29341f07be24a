// The problem codes the Plug and Play manager gives a device node that does
// not work (the numbers Device Manager shows as "Code N"): each with its
// symbolic name and what it means, in a few words of our own.
#pragma once

#include <cstdint>

struct ProblemCode {
    std::uint32_t code;
    const char* symbol;   // "CM_PROB_FAILED_START"
    const char* meaning;  // one sentence, ending in a full stop
};

// The entry of a code from 1 to 57, or nullptr for any other.
const ProblemCode* FindProblemCode(std::uint32_t code);
