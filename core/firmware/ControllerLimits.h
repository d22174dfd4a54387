#pragma once

#include <cstddef>
#include <cstdint>

// What the lamp controller and its firmware tables hold, in one place: the
// compiler, the table writers, the build report, the downloads and the
// windows all measure against these.
namespace lumaro::controller {

// Output ports, each driving one chain of lamps.
inline constexpr int kPortCount = 12;
// Program groups the controller plays, the keys choosing among them.
inline constexpr std::size_t kProgramGroups = 32;

// The lamp-sequence table declares 512 arrays and accepts 511 sequences;
// the older controllers of format 1 index 254 of them.
inline constexpr std::size_t kLampSequenceArrays = 512;
inline constexpr std::size_t kMaxLampSequences = 511;
inline constexpr std::size_t kLampSequenceCapacityFormat1 = 254;
inline constexpr std::size_t kLampSequenceCapacity = 512;
// Band lists and colour lists: as many arrays as lists accepted.
inline constexpr std::size_t kBandLists = 61;
inline constexpr std::size_t kColourLists = 101;

// The 8051's code space, which an image must fit.
inline constexpr std::uint32_t kCodeSpace = 64 * 1024;
// External RAM for the frame of the controller's play, unless the build
// folder's settings say otherwise.
inline constexpr std::size_t kDefaultXram = 8192;

// The lamp grid, in cells on each side.
inline constexpr int kGridSize = 500;

} // namespace lumaro::controller
