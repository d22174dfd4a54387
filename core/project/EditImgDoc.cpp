#include "core/project/EditImgDoc.h"

namespace lumaro {

bool CEditImgDoc::SameStoredData(const CEditImgDoc& o) const
{
    return backgroundColour == o.backgroundColour && scanScope == o.scanScope
           && objectSize == o.objectSize && reservedReal == o.reservedReal && lampSize == o.lampSize
           && backgroundTolerance == o.backgroundTolerance && gridStep == o.gridStep
           && scenes == o.scenes && lamps == o.lamps && lampPositions == o.lampPositions
           && lampPositions2 == o.lampPositions2 && modes == o.modes
           && programGroups == o.programGroups && lampGroups == o.lampGroups
           && groupLists == o.groupLists && layers == o.layers;
}

} // namespace lumaro
