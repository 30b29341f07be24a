// Zero-filled byte buffers for the two-call size protocols. Allocation may
// fail: the callers turn that into ERROR_NOT_ENOUGH_MEMORY, and tests reach
// those paths through FailAllocations.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

using ByteBuffer = std::unique_ptr<std::uint8_t[]>;

// A buffer of `size` zero bytes, or null when it cannot be allocated.
ByteBuffer AllocateBuffer(std::size_t size);

// Tests only: the next `skip` allocations succeed, then `count` fail.
void FailAllocations(std::size_t skip, std::size_t count);
void ResetAllocationFailures();
// Failures set up by FailAllocations and not yet handed out.
std::size_t PendingAllocationFailures();
