#pragma once

#include "core/app/Status.h"
#include "core/effects/EffectSet.h"

#include <cstddef>
#include <optional>

namespace lumaro {

// Which user-built list a mode plays.
enum class UserList {
    None,
    LampOrder, // a lamp group, named by lampOrderIndex
    BandList,  // a group list (lamp groups lit band by band), named by bandOrderIndex
};

// The group list page: builds the lamp groups and group lists of custom
// modes, and the text lamps of the text modes, from the lists the user picks
// (CPickLists::lamps and bands). The lamp groups are the first entries of the
// compiled lamp-sequence table and the group lists those of the band table,
// so a band entry is the position of a lamp group. Stored lists are shared:
// an identical list already there is reused. Nothing changes when an
// operation fails.
class CGroupListEdit {
public:
    static constexpr const char* kNoLampsKey = "PAGE5_ONADDGROUP_PPTL";
    static constexpr const char* kNotBandModeKey = "PAGE5_ONADDGROUP_TMINB";
    static constexpr const char* kNotLampOrderModeKey = "PAGE5_ONINPUTGROUP_TMTNL";
    static constexpr const char* kNoGroupSelectedKey = "PAGE5_ONINSERTGROUP_PSAG";
    static constexpr const char* kNoGroupsKey = "PAGE5_ONINPUTGRPGRP_PAGT";
    static constexpr const char* kNoSuchLampGroupKey = "PAGE5_ONOPENGROUP_TLGDN";
    static constexpr const char* kNoSuchModeKey = "PAGE5_ONINPUTGRPGRP_TMIN";

    // A custom mode by the class code in its layer: 0, 5, 6, 9, 10 play a
    // lamp group, 1 to 4, 7, 8 a group list. A text mode's lamp group holds
    // the lamps of its text. Every other mode orders its own lamps.
    static UserList KindOf(const CModeItem& record);

    // Position of the first equal lamp group (group list), appending one when there is none.
    static std::size_t StoreLampGroup(CEffectSet& effects, const UIntArray& lamps);
    static std::size_t StoreGroupList(CEffectSet& effects, const UIntArray& bands);

    // Show: the record's list becomes the one being built, the other list is
    // emptied; both are emptied for a record without a list (or one naming
    // none that exists).
    static void Show(CEffectSet& effects, const CModeItem& record);
    // NewGroup: an empty lamp list to pick the next group into; the band list
    // being built is kept.
    static void NewGroup(CEffectSet& effects);
    // OpenGroup: the lamp group of band entry `selected` becomes the lamp
    // list, the band list keeps it (DeleteGroup takes it out).
    static Status OpenGroup(CEffectSet& effects, std::optional<std::size_t> selected);
    // AddGroup, InsertGroup: the lamp list as a stored lamp group, its
    // position appended to the band list, or inserted before band entry
    // `selected`. Only for a record that plays a group list.
    static Status AddGroup(CEffectSet& effects, const CModeItem& record);
    static Status InsertGroup(CEffectSet& effects, const CModeItem& record,
                              std::optional<std::size_t> selected);
    // DeleteGroup: band entry `selected` removed, its lamp group the lamp list.
    static Status DeleteGroup(CEffectSet& effects, std::optional<std::size_t> selected);
    // InputGroup: the lamp list as mode `mode`'s lamp group (lampOrderIndex);
    // the lamp list is emptied.
    static Status InputGroup(CEffectSet& effects, std::size_t mode);
    // InputGrpGrp: the band list as mode `mode`'s group list
    // (bandOrderIndex); both lists are emptied.
    static Status InputGrpGrp(CEffectSet& effects, std::size_t mode);
    // The same for a record not stored yet (a mode being added or inserted).
    static Status InputGroupInto(CEffectSet& effects, CModeItem& record);
    static Status InputGrpGrpInto(CEffectSet& effects, CModeItem& record);
};

} // namespace lumaro
