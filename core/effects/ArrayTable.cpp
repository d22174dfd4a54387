#include "core/effects/ArrayTable.h"

#include <algorithm>
#include <utility>

namespace lumaro {

std::uint64_t CArrayHash::Of(const UIntArray& array)
{
    // The lanes four values at a time, as Add feeds them.
    CArrayHash h;
    const std::size_t n = array.size(), whole = n - n % 4;
    const std::uint32_t* v = array.data();
    for (std::size_t i = 0; i < whole; i += 4)
        for (std::size_t k = 0; k < 4; ++k)
            h.m_lanes[k] = (h.m_lanes[k] ^ v[i + k]) * kPrime;
    h.m_count = whole;
    for (std::size_t i = whole; i < n; ++i)
        h.Add(v[i]);
    return h.Value();
}

void CArrayTable::Seed(const std::vector<UIntArray>& arrays)
{
    for (const auto& a : arrays) {
        m_index.emplace(CArrayHash::Of(a), static_cast<std::uint32_t>(m_arrays.size()));
        m_arrays.push_back(a);
    }
}

template <class A> std::uint32_t CArrayTable::Add(A&& array, std::uint64_t h)
{
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

std::uint32_t CArrayTable::AddUnique(const UIntArray& array)
{
    return Add(array, CArrayHash::Of(array));
}
std::uint32_t CArrayTable::AddUnique(UIntArray&& array)
{
    const std::uint64_t h = CArrayHash::Of(array);
    return Add(std::move(array), h);
}
std::uint32_t CArrayTable::AddUnique(const UIntArray& array, std::uint64_t hash)
{
    return Add(array, hash);
}
std::uint32_t CArrayTable::AddUnique(UIntArray&& array, std::uint64_t hash)
{
    return Add(std::move(array), hash);
}

} // namespace lumaro
