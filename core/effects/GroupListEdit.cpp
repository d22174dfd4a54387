#include "core/effects/GroupListEdit.h"

#include "core/effects/ModeCatalogue.h"

#include <algorithm>
#include <string>

namespace lumaro {

namespace {

std::size_t FindOrAdd(ArrayList& lists, const UIntArray& list)
{
    const auto it = std::find(lists.begin(), lists.end(), list);
    if (it != lists.end())
        return static_cast<std::size_t>(it - lists.begin());
    lists.push_back(list);
    return lists.size() - 1;
}

// The list a stored index names; empty for an index naming none.
UIntArray ListAt(const ArrayList& lists, std::int64_t index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= lists.size())
        return {};
    return lists[static_cast<std::size_t>(index)];
}

void SetLamps(CPickLists& picks, UIntArray lamps)
{
    picks.lamps = std::move(lamps);
    picks.lampCursor = picks.lamps.size();
}

Status CheckBandMode(const CModeItem& record)
{
    if (CGroupListEdit::KindOf(record) != UserList::BandList)
        return Status::Fail(CGroupListEdit::kNotBandModeKey,
                            "mode '" + record.type + "' does not play a group list");
    return Status::Ok();
}

Status CheckLamps(const CEffectSet& effects)
{
    if (effects.picks.lamps.empty())
        return Status::Fail(CGroupListEdit::kNoLampsKey, "no lamps picked");
    return Status::Ok();
}

Status CheckSelected(const CEffectSet& effects, std::optional<std::size_t> selected)
{
    if (!selected || *selected >= effects.picks.bands.size())
        return Status::Fail(CGroupListEdit::kNoGroupSelectedKey, "no band entry selected");
    return Status::Ok();
}

Status CheckMode(const CEffectSet& effects, std::size_t mode)
{
    if (mode >= effects.modes.size())
        return Status::Fail(CGroupListEdit::kNoSuchModeKey,
                            "mode " + std::to_string(mode) + " is not in the list");
    return Status::Ok();
}

} // namespace

UserList CGroupListEdit::KindOf(const CModeItem& record)
{
    if (IsWordMode(record.type))
        return UserList::LampOrder;
    if (record.type != kCustomModeType)
        return UserList::None;
    if (IsLampOrderCode(record.layer))
        return UserList::LampOrder;
    if (IsBandCode(record.layer))
        return UserList::BandList;
    return UserList::None;
}

std::size_t CGroupListEdit::StoreLampGroup(CEffectSet& effects, const UIntArray& lamps)
{
    return FindOrAdd(effects.lampGroups, lamps);
}

std::size_t CGroupListEdit::StoreGroupList(CEffectSet& effects, const UIntArray& bands)
{
    return FindOrAdd(effects.groupLists, bands);
}

void CGroupListEdit::Show(CEffectSet& effects, const CModeItem& record)
{
    const UserList kind = KindOf(record);
    SetLamps(effects.picks,
             kind == UserList::LampOrder ? ListAt(effects.lampGroups, record.lampOrderIndex) : UIntArray{});
    effects.picks.bands =
        kind == UserList::BandList ? ListAt(effects.groupLists, record.bandOrderIndex) : UIntArray{};
}

void CGroupListEdit::NewGroup(CEffectSet& effects)
{
    SetLamps(effects.picks, {});
}

Status CGroupListEdit::OpenGroup(CEffectSet& effects, std::optional<std::size_t> selected)
{
    if (Status s = CheckSelected(effects, selected); !s)
        return s;
    const std::uint32_t group = effects.picks.bands[*selected];
    if (group >= effects.lampGroups.size())
        return Status::Fail(kNoSuchLampGroupKey, "lamp group " + std::to_string(group) + " does not exist");
    SetLamps(effects.picks, effects.lampGroups[group]);
    return Status::Ok();
}

Status CGroupListEdit::AddGroup(CEffectSet& effects, const CModeItem& record)
{
    return InsertGroup(effects, record, effects.picks.bands.size());
}

Status CGroupListEdit::InsertGroup(CEffectSet& effects, const CModeItem& record,
                                   std::optional<std::size_t> selected)
{
    if (Status s = CheckBandMode(record); !s)
        return s;
    // Appending is inserting before the end.
    if (!selected || *selected > effects.picks.bands.size())
        return Status::Fail(kNoGroupSelectedKey, "no band entry selected");
    if (Status s = CheckLamps(effects); !s)
        return s;
    const auto group = static_cast<std::uint32_t>(StoreLampGroup(effects, effects.picks.lamps));
    effects.picks.bands.insert(effects.picks.bands.begin() + static_cast<std::ptrdiff_t>(*selected), group);
    return Status::Ok();
}

Status CGroupListEdit::DeleteGroup(CEffectSet& effects, std::optional<std::size_t> selected)
{
    if (Status s = CheckSelected(effects, selected); !s)
        return s;
    auto& bands = effects.picks.bands;
    const std::uint32_t group = bands[*selected];
    bands.erase(bands.begin() + static_cast<std::ptrdiff_t>(*selected));
    SetLamps(effects.picks, ListAt(effects.lampGroups, group));
    return Status::Ok();
}

Status CGroupListEdit::InputGroup(CEffectSet& effects, std::size_t mode)
{
    if (Status s = CheckMode(effects, mode); !s)
        return s;
    return InputGroupInto(effects, effects.modes[mode]);
}

Status CGroupListEdit::InputGroupInto(CEffectSet& effects, CModeItem& record)
{
    if (KindOf(record) != UserList::LampOrder)
        return Status::Fail(kNotLampOrderModeKey, "mode '" + record.type + "' plays no lamp group");
    if (Status s = CheckLamps(effects); !s)
        return s;
    record.lampOrderIndex = static_cast<std::int32_t>(StoreLampGroup(effects, effects.picks.lamps));
    SetLamps(effects.picks, {});
    return Status::Ok();
}

Status CGroupListEdit::InputGrpGrp(CEffectSet& effects, std::size_t mode)
{
    if (Status s = CheckMode(effects, mode); !s)
        return s;
    return InputGrpGrpInto(effects, effects.modes[mode]);
}

Status CGroupListEdit::InputGrpGrpInto(CEffectSet& effects, CModeItem& record)
{
    if (Status s = CheckBandMode(record); !s)
        return s;
    if (effects.picks.bands.empty())
        return Status::Fail(kNoGroupsKey, "the group list is empty");
    record.bandOrderIndex = static_cast<std::int32_t>(StoreGroupList(effects, effects.picks.bands));
    SetLamps(effects.picks, {});
    effects.picks.bands.clear();
    return Status::Ok();
}

} // namespace lumaro
