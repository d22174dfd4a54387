#include "core/effects/ModeEditorFlow.h"

#include "core/effects/FrameGenerator.h"
#include "core/effects/GroupListEdit.h"
#include "core/effects/ModeCatalogue.h"
#include "core/effects/ModeListEdit.h"

#include <string>

namespace lumaro {

CModeItem CModeEditorFlow::NewRecord(std::string_view type, const CEffectSet& effects)
{
    CModeItem r;
    r.type = type;
    r.name = type;
    r.interval = 10;
    r.loop = 1;
    r.step = 1;
    r.lampOrderIndex = -1;
    r.bandOrderIndex = -1;
    const CBoundingBox box = CFrameGenerator::BoundsOnGrid(effects.lampPositions);
    if (!box.Empty()) {
        r.areaLeft = static_cast<std::int32_t>(box.minX);
        r.areaTop = static_cast<std::int32_t>(box.minY);
        r.areaRight = static_cast<std::int32_t>(box.maxX);
        r.areaBottom = static_cast<std::int32_t>(box.maxY);
    }
    return r;
}

Status CModeEditorFlow::CheckColours(const CModeItem& record)
{
    const std::string& type = record.type;
    if (type == "CM_EMPTYMODE" || type == "CM_REGROUP" || type == "CM_REGRESS")
        return Status::Ok();
    const std::size_t colours = record.colours.size() / 3;
    if (IsWordMode(type) && colours < 2)
        return Status::Fail(kWordColoursKey, std::to_string(colours) + " colours for a text mode");
    if (colours == 0)
        return Status::Fail(kNoColoursKey, "no colour");
    return Status::Ok();
}

Result<std::size_t> CModeEditorFlow::Store(CEffectSet& effects, const CModeItem& record, OkOutcome outcome,
                                           std::size_t position)
{
    switch (outcome) {
    case OkOutcome::Replace:
        if (!CModeListEdit::Replace(effects, position, record))
            return Status::Fail(kEditedModeGoneKey,
                                "mode " + std::to_string(position) + " is no longer in the list");
        return position;
    case OkOutcome::Append:
        return CModeListEdit::Add(effects, record);
    case OkOutcome::Insert:
        break;
    }
    return CModeListEdit::InsertAfter(effects, position, record);
}

EditorPage CModeEditorFlow::NextPageAfterOk(const CModeItem& record)
{
    return CGroupListEdit::KindOf(record) == UserList::None ? EditorPage::ModeList : EditorPage::GroupList;
}

} // namespace lumaro
