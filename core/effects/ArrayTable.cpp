#include "core/effects/ArrayTable.h"

#include <algorithm>
#include <utility>

namespace lumaro {

std::uint64_t CArrayTable::Hash(const UIntArray& array)
{
    // FNV-1a over the values, then the length.
    std::uint64_t h = 1469598103934665603ull;
    for (std::uint32_t v : array) {
        h ^= v;
        h *= 1099511628211ull;
    }
    h ^= array.size();
    return h * 1099511628211ull;
}

void CArrayTable::Seed(const std::vector<UIntArray>& arrays)
{
    for (const auto& a : arrays) {
        m_index.emplace(Hash(a), static_cast<std::uint32_t>(m_arrays.size()));
        m_arrays.push_back(a);
    }
}

template <class A>
std::uint32_t CArrayTable::Add(A&& array)
{
    const std::uint64_t h = Hash(array);
    const auto [first, last] = m_index.equal_range(h);
    std::uint32_t found = UINT32_MAX;
    for (auto it = first; it != last; ++it)
        if (it->second < found && m_arrays[it->second] == array)
            found = it->second;
    if (found != UINT32_MAX)
        return found;
    const auto at = static_cast<std::uint32_t>(m_arrays.size());
    m_index.emplace(h, at);
    m_arrays.push_back(std::forward<A>(array));
    return at;
}

std::uint32_t CArrayTable::AddUnique(const UIntArray& array) { return Add(array); }
std::uint32_t CArrayTable::AddUnique(UIntArray&& array) { return Add(std::move(array)); }

} // namespace lumaro
