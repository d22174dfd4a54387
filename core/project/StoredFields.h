#pragma once

#include "core/project/EditImgDoc.h"

#include <algorithm>
#include <concepts>
#include <type_traits>

namespace lumaro {

// A lamp list of which only x, y and number are stored, as the two
// lamp-position lists are; equal when those are.
template <class Lamps> struct PositionsOnly {
    Lamps& lamps;

    friend bool operator==(PositionsOnly a, PositionsOnly b)
    {
        return std::equal(
            a.lamps.begin(), a.lamps.end(), b.lamps.begin(), b.lamps.end(),
            [](const CLamp& l, const CLamp& r) { return l.x == r.x && l.y == r.y && l.number == r.number; });
    }
};
template <class Lamps> PositionsOnly(Lamps&) -> PositionsOnly<Lamps>;

// The stored members of the project document, in the order the layout file
// holds them: the one list the file reader and writer, the writer's size
// estimate, SameStoredData and the command line's JSON all walk. Each member
// goes to field(key, what, member...) with its JSON key, the words a read
// error names it by, and the member of each document given (two documents
// for a comparison).
template <class Visitor, class... Docs>
requires(sizeof...(Docs) > 0 && (std::same_as<std::remove_const_t<Docs>, CEditImgDoc> &&
                                 ...)) void VisitStoredFields(Visitor&& field, Docs&... doc)
{
    field("backgroundColour", "the background colour", doc.backgroundColour...);
    field("scanScope", "the scan scope", doc.scanScope...);
    field("objectSize", "the object size", doc.objectSize...);
    field("reservedReal", "the reserved real", doc.reservedReal...);
    field("lampSize", "the lamp size", doc.lampSize...);
    field("backgroundTolerance", "the background tolerance", doc.backgroundTolerance...);
    field("gridStep", "the grid step", doc.gridStep...);
    field("scenes", "the scenes", doc.scenes...);
    field("lamps", "the lamp list", doc.lamps...);
    field("lampPositions", "the lamp positions", PositionsOnly{doc.lampPositions}...);
    field("lampPositions2", "the second lamp-position list", PositionsOnly{doc.lampPositions2}...);
    field("modes", "the mode list", doc.modes...);
    field("programGroups", "program group", doc.programGroups...);
    field("lampGroups", "the lamp groups", doc.lampGroups...);
    field("groupLists", "the group lists", doc.groupLists...);
    field("layers", "the layers", doc.layers...);
}

} // namespace lumaro
