#pragma once

#include "core/effects/ModeItem.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace lumaro {

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

    std::size_t Size() const { return m_arrays.size(); }
    const std::vector<UIntArray>& Arrays() const { return m_arrays; }
    std::vector<UIntArray> Take() { return std::move(m_arrays); }

private:
    static std::uint64_t Hash(const UIntArray& array);
    template <class A>
    std::uint32_t Add(A&& array);

    std::vector<UIntArray> m_arrays;
    std::unordered_multimap<std::uint64_t, std::uint32_t> m_index;
};

} // namespace lumaro
