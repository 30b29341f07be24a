// Counts the bytes the program holds on the heap (through operator new), so
// a benchmark can report the peak of one operation.
#pragma once

#include <cstddef>

namespace heap {

std::size_t Current();
std::size_t Peak();
// Starts a new peak from what is held now.
void ResetPeak();

}  // namespace heap
