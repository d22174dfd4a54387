#pragma once

#include "core/app/Status.h"
#include "core/effects/EffectSet.h"

#include <cstddef>
#include <string_view>

namespace lumaro {

// The mode editor's tabs, in their order.
enum class EditorPage { ModeList, ColourList, GroupList, Parameter, ProgramGroup };

// How the parameter page's OK stores the record, by what the mode list
// page started: Edit, Add or Insert.
enum class OkOutcome { Replace, Append, Insert };

// The steps a new or edited mode takes through the mode editor's pages:
// mode list page, colour list page ("Save Color"), parameter page (OK),
// and, for modes that play lists the user builds, the group list page.
class CModeEditorFlow {
public:
    static constexpr const char* kNoColoursKey = "PAGE2_ONBUTTON4_YSAT";
    static constexpr const char* kWordColoursKey = "PAGE2_ONBUTTON4_YAAT";
    static constexpr const char* kEditedModeGoneKey = "PAGE6_ONOK_TEMIN";

    // A mode of type as Add and Insert start it: named after its type, over
    // all lamps (the area is their box), a tenth of a second per step, one
    // run, band width 1, and no user list chosen yet.
    static CModeItem NewRecord(std::string_view type, const CEffectSet& effects);

    // "Save Color": a mode that lights lamps needs a colour; a text mode two,
    // its text colour and its background.
    static Status CheckColours(const CModeItem& record);

    // OK's store after the checks: Replace puts record in place of mode
    // `position`, Append adds it, Insert puts it behind mode `position` (the
    // one selected at Insert; at the end when the list is empty or that
    // mode is gone), raising the program-group entries behind it. The
    // record's position.
    static Result<std::size_t> Store(CEffectSet& effects, const CModeItem& record, OkOutcome outcome,
                                     std::size_t position);

    // The page after OK: the group list page for modes whose lists the user
    // still has to pick (a custom mode's lamp group or group list, a text
    // mode's text lamps); the mode list page for the next mode otherwise.
    static EditorPage NextPageAfterOk(const CModeItem& record);
};

} // namespace lumaro
