#include "core/effects/PickListEdit.h"

#include "core/effects/PickLists.h"

#include <algorithm>

namespace lumaro {

namespace {

bool Contains(const UIntArray& list, std::uint32_t lamp)
{
    return std::find(list.begin(), list.end(), lamp) != list.end();
}

bool EraseAll(UIntArray& list, std::uint32_t lamp)
{
    return std::erase(list, lamp) > 0;
}

} // namespace

bool AppendPickedLamp(UIntArray& list, std::uint32_t lamp)
{
    list.push_back(lamp);
    return true;
}

bool InsertPickedLamp(UIntArray& list, std::size_t& cursor, std::uint32_t lamp)
{
    cursor = std::min(cursor, list.size());
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(cursor), lamp);
    ++cursor;
    return true;
}

bool RemovePickedLamp(UIntArray& list, std::size_t& cursor, std::uint32_t lamp)
{
    const std::size_t before = std::min(cursor, list.size());
    const auto removedBefore =
        std::count(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(before), lamp);
    if (!EraseAll(list, lamp))
        return false;
    cursor = before - static_cast<std::size_t>(removedBefore);
    return true;
}

bool AddParameterLamp(UIntArray& list, std::uint32_t lamp)
{
    const UIntArray old = list;
    EraseAll(list, CPickLists::kNoLamp);
    if (!Contains(list, lamp))
        list.push_back(lamp);
    return list != old;
}

bool RemoveParameterLamp(UIntArray& list, std::uint32_t lamp)
{
    const UIntArray old = list;
    EraseAll(list, CPickLists::kNoLamp);
    EraseAll(list, lamp);
    if (list.empty())
        list.push_back(CPickLists::kNoLamp);
    return list != old;
}

bool NoParameterLamp(const UIntArray& list)
{
    return list.size() == 1 && list.front() == CPickLists::kNoLamp;
}

bool AddLayerLamp(UIntArray& layer, std::uint32_t lamp)
{
    if (Contains(layer, lamp))
        return false;
    layer.push_back(lamp);
    return true;
}

bool RemoveLayerLamp(UIntArray& layer, std::uint32_t lamp)
{
    return EraseAll(layer, lamp);
}

} // namespace lumaro
