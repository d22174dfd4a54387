#pragma once

#include <cstddef>

// Counts the bytes the program holds on the heap through operator new, so a
// benchmark can report the peak its operation needs on top of what it had.
namespace lumaro::bench {

std::size_t HeapInUse();
std::size_t HeapPeak();
void ResetHeapPeak(); // peak := what is in use now

} // namespace lumaro::bench
