#include "core/layout/PortTable.h"

#include "core/layout/PortEditor.h"

#include <algorithm>

namespace lumaro {

std::string CPortTable::Text(const std::vector<CLamp>& lamps)
{
    // Lamps of each port with their orders; a stable sort keeps list order
    // among lamps that share an order.
    std::vector<std::vector<const CLamp*>> chains(kPortCount + 1);
    for (const auto& l : lamps)
        if (l.port >= 1 && l.port <= kPortCount && l.order >= 1)
            chains[static_cast<std::size_t>(l.port)].push_back(&l);

    std::string text;
    text.reserve(lamps.size() * 10 + 512);
    for (int p = 1; p <= kPortCount; ++p) {
        text += "code unsigned int CPort" + std::to_string(p) + "[] = {\r\n";
        auto& chain = chains[static_cast<std::size_t>(p)];
        std::stable_sort(chain.begin(), chain.end(),
                         [](const CLamp* a, const CLamp* b) { return a->order > b->order; });
        for (const CLamp* l : chain) {
            text += std::to_string(l->number);
            text += " , ";
            if (l->order % 10 == 0)
                text += "\r\n";
        }
        text += "0xFFFF\r\n };\r\n";
    }
    return text;
}

Status CPortTable::Write(const std::vector<CLamp>& lamps, const fs::path& folder)
{
    const Status s = WriteFileAtomic(folder / kFileName, Text(lamps));
    if (!s)
        return Status::Fail(kCannotCreateKey, s.detail);
    return s;
}

} // namespace lumaro
