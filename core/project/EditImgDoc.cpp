#include "core/project/EditImgDoc.h"

#include "core/project/StoredFields.h"

namespace lumaro {

bool CEditImgDoc::SameStoredData(const CEditImgDoc& other) const
{
    bool same = true;
    VisitStoredFields([&same](const char*, const char*, const auto& mine,
                              const auto& theirs) { same = same && mine == theirs; },
                      *this, other);
    return same;
}

} // namespace lumaro
