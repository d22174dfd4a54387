#pragma once

#include "core/effects/ModeItem.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace lumaro {

// The hash a CArrayTable files an array under, fed one value at a time so
// that whoever makes an array can hash it while the values are at hand:
// FNV-1a in four interleaved lanes (the multiplications of a long lamp
// sequence overlap instead of waiting on each other), then the lanes and
// the length. It lives only in memory.
class CArrayHash {
public:
    void Add(std::uint32_t v)
    {
        std::uint64_t& lane = m_lanes[m_count & 3];
        lane = (lane ^ v) * kPrime;
        ++m_count;
    }
    std::uint64_t Value() const
    {
        std::uint64_t out = m_count;
        for (std::uint64_t lane : m_lanes)
            out = (out ^ lane) * kPrime;
        return out;
    }
    static std::uint64_t Of(const UIntArray& array);

private:
    static constexpr std::uint64_t kPrime = 1099511628211ull;
    std::uint64_t m_lanes[4] = {1469598103934665603ull, 0x9E3779B97F4A7C15ull, 0xC2B2AE3D27D4EB4Full,
                                0x165667B19E3779F9ull};
    std::uint64_t m_count = 0;
};

// A list of arrays in which equal arrays are stored once: AddUnique gives
// the position of the first equal entry, appending only when there is none.
// Entries are found by a hash of their contents, so a table of thousands of
// lamp sequences is searched in constant time.
class CArrayTable {
public:
    // Entries placed first keep their positions 0, 1, 2, ... even when some
    // of them are equal to each other.
    void Seed(const std::vector<UIntArray>& arrays);

    std::uint32_t AddUnique(const UIntArray& array);
    std::uint32_t AddUnique(UIntArray&& array);
    // For an array whose CArrayHash its maker kept.
    std::uint32_t AddUnique(const UIntArray& array, std::uint64_t hash);
    std::uint32_t AddUnique(UIntArray&& array, std::uint64_t hash);

    std::size_t Size() const { return m_arrays.size(); }
    const std::vector<UIntArray>& Arrays() const { return m_arrays; }
    std::vector<UIntArray> Take() { return std::move(m_arrays); }

private:
    template <class A> std::uint32_t Add(A&& array, std::uint64_t hash);

    std::vector<UIntArray> m_arrays;
    std::unordered_multimap<std::uint64_t, std::uint32_t> m_index;
};

} // namespace lumaro
