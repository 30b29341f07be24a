#include "platform/buffer.h"

#include <new>

namespace {

std::size_t g_skip = 0;
std::size_t g_fail = 0;

}  // namespace

ByteBuffer AllocateBuffer(std::size_t size) {
    if (g_fail > 0) {
        if (g_skip > 0) {
            --g_skip;
        } else {
            --g_fail;
            return nullptr;
        }
    }
    // Value-initialised: zero-filled.
    return ByteBuffer(new (std::nothrow) std::uint8_t[size == 0 ? 1 : size]());
}

void FailAllocations(std::size_t skip, std::size_t count) {
    g_skip = skip;
    g_fail = count;
}

void ResetAllocationFailures() {
    FailAllocations(0, 0);
}

std::size_t PendingAllocationFailures() {
    return g_fail;
}
