// VerifyVersionInfo's comparison of a request with the described system,
// with the condition mask that VerSetConditionMask builds.
#pragma once

#include "platform/platform.h"
#include "machine/machine.h"

namespace sim {

inline constexpr int kBitsPerCondition = 3;
inline constexpr win::BYTE kConditionBits = 0x07;

enum class VersionMatch {
    Holds,
    DoesNotHold,   // ERROR_OLD_WIN_VERSION
    BadArguments,  // ERROR_BAD_ARGUMENTS
};

// The condition that `conditionMask` pairs with the field type `typeBit`.
win::BYTE ConditionOf(win::DWORDLONG conditionMask, win::DWORD typeBit);

VersionMatch CompareVersion(const machine::OsFacts& os, const win::OSVERSIONINFOEXA& request,
                            win::DWORD typeMask, win::DWORDLONG conditionMask);

}  // namespace sim
