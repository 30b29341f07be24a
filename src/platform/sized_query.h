// The two-call size protocol of the Windows queries: ask with no buffer for
// the size, then again with a buffer of that size.
#pragma once

#include <cstddef>

#include "platform/buffer.h"
#include "platform/failure_code.h"

enum class SizedQueryStep { Done, Size, Memory, Data };

struct SizedAnswer {
    SizedQueryStep failedAt = SizedQueryStep::Done;
    StatusCode error = 0;  // 0 when done; never 0 when a step failed
    ByteBuffer buffer;
    std::size_t size = 0;  // bytes in `buffer`
};

// `call(buffer, size, needed)` makes one call of the protocol and answers its
// BOOL. The size step succeeds when the call fails with
// ERROR_INSUFFICIENT_BUFFER (or succeeds) and leaves the size in `needed`; a
// size of 0 ends the query there, done, with no buffer. The buffer is never
// smaller than `minimum` (records that hold pointers need all of themselves).
template <typename Call>
SizedAnswer QuerySized(Call&& call, std::size_t minimum = 0) {
    SizedAnswer answer;
    win::DWORD needed = 0;
    if (!call(nullptr, 0, &needed)) {
        const StatusCode error = LastFailureCode();
        if (error != win::ERROR_INSUFFICIENT_BUFFER) {
            answer.failedAt = SizedQueryStep::Size;
            answer.error = error;
            return answer;
        }
    }
    if (needed == 0 && minimum == 0) {
        return answer;
    }
    const std::size_t size = needed < minimum ? minimum : needed;
    answer.buffer = AllocateBuffer(size);
    if (answer.buffer == nullptr) {
        answer.failedAt = SizedQueryStep::Memory;
        answer.error = win::ERROR_NOT_ENOUGH_MEMORY;
        return answer;
    }
    if (!call(answer.buffer.get(), static_cast<win::DWORD>(size), &needed)) {
        answer.failedAt = SizedQueryStep::Data;
        answer.error = LastFailureCode();
        answer.buffer.reset();
        return answer;
    }
    answer.size = size;
    return answer;
}
