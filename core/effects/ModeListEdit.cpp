#include "core/effects/ModeListEdit.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace lumaro {

namespace {

// A new mode at position: the entries of the modes from there on, and those
// naming no mode, move up by one.
std::size_t InsertAt(CEffectSet& effects, std::size_t position, CModeItem record)
{
    position = std::min(position, effects.modes.size());
    effects.modes.insert(effects.modes.begin() + static_cast<std::ptrdiff_t>(position), std::move(record));
    for (auto& group : effects.programGroups)
        for (CModeItem& entry : group)
            if (entry.layer >= 0 && static_cast<std::size_t>(entry.layer) >= position &&
                entry.layer < std::numeric_limits<std::int32_t>::max())
                ++entry.layer;
    return position;
}

} // namespace

std::optional<std::size_t> CModeListEdit::LastSelected(const CEffectSet& effects,
                                                       const std::vector<std::size_t>& selected)
{
    std::optional<std::size_t> last;
    for (std::size_t s : selected)
        if (s < effects.modes.size() && (!last || s > *last))
            last = s;
    return last;
}

std::size_t CModeListEdit::Add(CEffectSet& effects, CModeItem record)
{
    return InsertAt(effects, effects.modes.size(), std::move(record));
}

std::size_t CModeListEdit::InsertAfter(CEffectSet& effects, std::size_t after, CModeItem record)
{
    const std::size_t position = after < effects.modes.size() ? after + 1 : effects.modes.size();
    return InsertAt(effects, position, std::move(record));
}

Result<std::size_t> CModeListEdit::Insert(CEffectSet& effects, const std::vector<std::size_t>& selected,
                                          CModeItem record)
{
    if (effects.modes.empty())
        return Add(effects, std::move(record));
    const auto after = LastSelected(effects, selected);
    if (!after)
        return Status::Fail(kInsertNothingKey, "no mode selected to insert after");
    return InsertAfter(effects, *after, std::move(record));
}

bool CModeListEdit::Replace(CEffectSet& effects, std::size_t index, const CModeItem& record)
{
    if (index >= effects.modes.size())
        return false;
    effects.modes[index] = record;
    for (auto& group : effects.programGroups)
        for (CModeItem& entry : group)
            if (entry.layer >= 0 && static_cast<std::size_t>(entry.layer) == index) {
                entry = record;
                entry.layer = static_cast<std::int32_t>(index);
            }
    return true;
}

// An entry of a deleted mode is removed rather than kept: the compiler plays
// an entry by its number only, so a kept one would play whichever mode came
// to stand there. Entries naming no mode are left as they are.
Status CModeListEdit::Delete(CEffectSet& effects, const std::vector<std::size_t>& selected)
{
    const std::size_t count = effects.modes.size();
    std::vector<bool> gone(count, false);
    bool any = false;
    for (std::size_t s : selected)
        if (s < count) {
            gone[s] = true;
            any = true;
        }
    if (!any)
        return Status::Fail(kDeleteNothingKey, "no mode selected to delete");

    // New number of every kept mode: its position less the deleted ones before it.
    std::vector<std::int32_t> renumbered(count);
    std::int32_t kept = 0;
    for (std::size_t m = 0; m < count; ++m)
        renumbered[m] = gone[m] ? -1 : kept++;

    std::vector<CModeItem> modes;
    modes.reserve(static_cast<std::size_t>(kept));
    for (std::size_t m = 0; m < count; ++m)
        if (!gone[m])
            modes.push_back(std::move(effects.modes[m]));
    effects.modes = std::move(modes);

    for (auto& group : effects.programGroups) {
        std::erase_if(group, [&](const CModeItem& e) {
            return e.layer >= 0 && static_cast<std::size_t>(e.layer) < count &&
                   gone[static_cast<std::size_t>(e.layer)];
        });
        for (CModeItem& entry : group)
            if (entry.layer >= 0 && static_cast<std::size_t>(entry.layer) < count)
                entry.layer = renumbered[static_cast<std::size_t>(entry.layer)];
    }
    return Status::Ok();
}

Result<CModeItem> CModeListEdit::Copy(const CEffectSet& effects, const std::vector<std::size_t>& selected)
{
    const auto last = LastSelected(effects, selected);
    if (!last)
        return Status::Fail(kCopyNothingKey, "no mode selected to copy");
    return effects.modes[*last];
}

Result<std::size_t> CModeListEdit::Paste(CEffectSet& effects, const std::vector<std::size_t>& selected,
                                         const std::optional<CModeItem>& copied)
{
    if (!copied)
        return Status::Fail(kPasteNoCopyKey, "no mode copied yet");
    if (effects.modes.empty())
        return Add(effects, *copied);
    const auto after = LastSelected(effects, selected);
    if (!after)
        return Status::Fail(kPasteNothingKey, "no mode selected to paste after");
    return InsertAfter(effects, *after, *copied);
}

std::vector<std::int32_t> CModeListEdit::Renumbering(const std::vector<CModeItem>& before,
                                                     const std::vector<CModeItem>& after)
{
    const std::size_t n = before.size();
    const std::size_t m = after.size();
    std::vector<std::int32_t> to(n, -1);
    // Most changes touch one place: the equal ends need no table.
    std::size_t head = 0;
    while (head < n && head < m && before[head] == after[head])
        ++head;
    std::size_t tail = 0;
    while (tail < n - head && tail < m - head && before[n - 1 - tail] == after[m - 1 - tail])
        ++tail;
    for (std::size_t i = 0; i < head; ++i)
        to[i] = static_cast<std::int32_t>(i);
    for (std::size_t k = 0; k < tail; ++k)
        to[n - 1 - k] = static_cast<std::int32_t>(m - 1 - k);

    // The middle: a longest common subsequence, then the gaps between its
    // matches paired off where both sides are equally long.
    const std::size_t rows = n - head - tail;
    const std::size_t cols = m - head - tail;
    std::vector<std::uint32_t> length((rows + 1) * (cols + 1), 0);
    auto at = [cols, &length](std::size_t i, std::size_t j) -> std::uint32_t& {
        return length[i * (cols + 1) + j];
    };
    for (std::size_t i = rows; i-- > 0;)
        for (std::size_t j = cols; j-- > 0;)
            at(i, j) = before[head + i] == after[head + j] ? at(i + 1, j + 1) + 1
                                                           : std::max(at(i + 1, j), at(i, j + 1));
    std::size_t i = 0;
    std::size_t j = 0;
    std::size_t gapI = 0;
    std::size_t gapJ = 0;
    auto closeGap = [&] {
        if (i - gapI == j - gapJ)
            for (std::size_t k = 0; k < i - gapI; ++k)
                to[head + gapI + k] = static_cast<std::int32_t>(head + gapJ + k);
    };
    while (i < rows && j < cols) {
        if (before[head + i] == after[head + j]) {
            closeGap();
            to[head + i] = static_cast<std::int32_t>(head + j);
            gapI = ++i;
            gapJ = ++j;
        } else if (at(i + 1, j) >= at(i, j + 1))
            ++i;
        else
            ++j;
    }
    i = rows;
    j = cols;
    closeGap();
    return to;
}

int CModeListEdit::Follow(const std::vector<std::int32_t>& renumbering, int index, bool nearest)
{
    if (index < 0 || static_cast<std::size_t>(index) >= renumbering.size())
        return index < 0 ? index : -1;
    if (renumbering[static_cast<std::size_t>(index)] >= 0 || !nearest)
        return renumbering[static_cast<std::size_t>(index)];
    for (int k = index - 1; k >= 0; --k)
        if (renumbering[static_cast<std::size_t>(k)] >= 0)
            return renumbering[static_cast<std::size_t>(k)];
    return 0;
}

} // namespace lumaro
