#pragma once

#include "core/app/Status.h"
#include "core/effects/EffectSet.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace lumaro {

// What the mode list page does to the mode list. A program-group entry names
// its mode by number (its `layer`), so every change of the modes' positions
// renumbers the entries with them: an entry always plays the mode it was
// made from, and an entry that names no mode never comes to name one.
// `selected` is the page's selection in any order; positions beyond the
// list are ignored. Nothing changes when an operation fails.
class CModeListEdit {
public:
    static constexpr const char* kDeleteNothingKey = "PAGE3_ONBUTTON2_PSATO";
    static constexpr const char* kInsertNothingKey = "PAGE3_ONBUTTON3_PSAT";
    static constexpr const char* kCopyNothingKey = "PAGE3_ONBUTTON8_PSAT";
    static constexpr const char* kPasteNothingKey = "PAGE3_ONBUTTON9_PSAT";
    static constexpr const char* kPasteNoCopyKey = "PAGE3_ONBUTTON9_PCAMF";

    // The mode a command works after when several are selected: the last
    // one, as Copy Mode takes it.
    static std::optional<std::size_t> LastSelected(const CEffectSet& effects,
                                                   const std::vector<std::size_t>& selected);

    // Appends record; its position.
    static std::size_t Add(CEffectSet& effects, CModeItem record);
    // Puts record behind mode `after` (at the end when there is no such
    // mode) and raises the entries of the modes behind it; its position.
    static std::size_t InsertAfter(CEffectSet& effects, std::size_t after, CModeItem record);
    // Once, behind the last selected mode; an empty list takes it as its first.
    static Result<std::size_t> Insert(CEffectSet& effects, const std::vector<std::size_t>& selected,
                                      CModeItem record);
    // Replaces mode index; the program-group entries of that mode are copies
    // of it, so they take the new values too. False for no such mode.
    static bool Replace(CEffectSet& effects, std::size_t index, const CModeItem& record);
    // Removes the selected modes together with the program-group entries
    // that play them; the entries of the modes behind move down with them.
    static Status Delete(CEffectSet& effects, const std::vector<std::size_t>& selected);
    // All fields of the last selected mode.
    static Result<CModeItem> Copy(const CEffectSet& effects, const std::vector<std::size_t>& selected);
    // A copy of copied behind the last selected mode, as Insert does.
    static Result<std::size_t> Paste(CEffectSet& effects, const std::vector<std::size_t>& selected,
                                     const std::optional<CModeItem>& copied);

    // Where each mode of `before` stands in `after`, -1 for one that is
    // gone, for whoever holds mode numbers across a change of the list it
    // did not make itself (an undo, another page). The longest run of equal
    // modes in both lists keeps its modes; between two kept modes, stretches
    // of the same length are modes changed in place.
    static std::vector<std::int32_t> Renumbering(const std::vector<CModeItem>& before,
                                                 const std::vector<CModeItem>& after);
    // index moved by renumbering; a gone mode gives -1, or with `nearest`
    // the place of the closest kept mode before it (0 when there is none).
    static int Follow(const std::vector<std::int32_t>& renumbering, int index, bool nearest = false);
};

} // namespace lumaro
