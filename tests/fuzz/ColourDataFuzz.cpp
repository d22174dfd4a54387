#include "core/effects/ColourData.h"

#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>

namespace {

using lumaro::CColourData;
using lumaro::UIntArray;

// A group past the numbered ones and one before them, beside a few real ones.
constexpr int kGroups[] = {-1, 0, 7, CColourData::kNumberedGroups - 1, CColourData::kNumberedGroups + 3};

// A group cleared and given 1 2 3 holds just those, unless its line has no
// label to put them after (and so held no colours before either).
bool Refilled(const UIntArray& now, const UIntArray& before)
{
    return now.empty() ? before.empty() : now == UIntArray{1, 2, 3};
}

} // namespace

// Any "ColorData.sav" bytes give each group's colours and the group names;
// clearing a group and appending colours to it leaves that group with just
// those colours (or none, for a line without a label) and every other group
// as it was.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    (void)CColourData::GroupNames(text);
    const std::string added =
        CColourData::WithColorData(text, 0, CColourData::AddNamedGroup, "  1  2  3", "N").value();
    (void)CColourData::GroupNames(added);
    UIntArray before[std::size(kGroups)];
    for (std::size_t i = 0; i < std::size(kGroups); ++i)
        before[i] = CColourData::GroupColours(text, kGroups[i]);
    for (std::size_t i = 0; i < std::size(kGroups); ++i) {
        const int group = kGroups[i];
        const auto cleared = CColourData::WithColorData(text, group, CColourData::ClearGroup, {});
        if (!cleared) {
            if (!before[i].empty())
                std::abort();
            continue;
        }
        const auto filled =
            CColourData::WithColorData(cleared.value(), group, CColourData::AppendColours, "  1  2  3");
        if (!filled)
            std::abort();
        for (std::size_t j = 0; j < std::size(kGroups); ++j) {
            const UIntArray now = CColourData::GroupColours(filled.value(), kGroups[j]);
            if (j == i ? !Refilled(now, before[i]) : now != before[j])
                std::abort();
        }
    }
    return 0;
}
