#include "core/effects/ModeItemStream.h"

#include "core/app/ArchiveReader.h"
#include "core/app/ArchiveWriter.h"
#include "core/effects/ModeCatalogue.h"

namespace lumaro {

void WriteModeItem(CArchiveWriter& out, const CModeItem& m)
{
    out.I32(m.areaTop);
    out.I32(m.areaBottom);
    out.I32(m.areaLeft);
    out.I32(m.areaRight);
    out.I32(m.lampOrderIndex);
    out.I32(m.bandOrderIndex);
    out.I32(m.holdTime);
    out.String(m.type);
    out.String(m.name);
    out.I32(m.loop);
    out.I32(m.layer);
    if (IsWordMode(m.type)) {
        out.I32(m.wordStep);
        out.I32(m.wordColourMode);
    }
    out.I32(m.startX);
    out.I32(m.startY);
    out.I32(m.step);
    out.I32(m.interval);
    out.I32(m.sceneEffect);
    out.I32(m.colourGroupId);
    if (IsCircularAreaMode(m.type)) {
        out.I32(m.circleX);
        out.I32(m.circleY);
        out.I32(m.circleRadius);
        out.String(m.innerType);
    }
    out.UIntArray(m.colours);
    out.UIntArray(m.extraLamps);
    out.I32(m.area2Top);
    out.I32(m.area2Bottom);
    out.I32(m.area2Left);
    out.I32(m.area2Right);
}

CModeItem ReadModeItem(CArchiveReader& in)
{
    CModeItem m;
    m.areaTop = in.I32();
    m.areaBottom = in.I32();
    m.areaLeft = in.I32();
    m.areaRight = in.I32();
    m.lampOrderIndex = in.I32();
    m.bandOrderIndex = in.I32();
    m.holdTime = in.I32();
    m.type = in.String("the type of a mode record");
    m.name = in.String("the name of a mode record");
    m.loop = in.I32();
    m.layer = in.I32();
    if (IsWordMode(m.type)) {
        m.wordStep = in.I32();
        m.wordColourMode = in.I32();
    }
    m.startX = in.I32();
    m.startY = in.I32();
    m.step = in.I32();
    m.interval = in.I32();
    m.sceneEffect = in.I32();
    m.colourGroupId = in.I32();
    if (IsCircularAreaMode(m.type)) {
        m.circleX = in.I32();
        m.circleY = in.I32();
        m.circleRadius = in.I32();
        m.innerType = in.String("the inner type of a circular-area mode");
    }
    m.colours = in.UIntArray("the colours of a mode record");
    m.extraLamps = in.UIntArray("the supplementary lamps of a mode record");
    m.area2Top = in.I32();
    m.area2Bottom = in.I32();
    m.area2Left = in.I32();
    m.area2Right = in.I32();
    return m;
}

} // namespace lumaro
