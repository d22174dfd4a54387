#include "core/effects/EffectCompiler.h"

#include "core/effects/ArrayTable.h"
#include "core/effects/FrameGenerator.h"
#include "core/effects/ModeCatalogue.h"

#include <algorithm>
#include <unordered_set>

namespace lumaro {

namespace {

struct Triple {
    std::uint32_t r, g, b;
};

Triple ColourAt(const UIntArray& colours, std::size_t first)
{
    auto at = [&](std::size_t i) { return i < colours.size() ? colours[i] : 0u; };
    return {at(first), at(first + 1), at(first + 2)};
}

// One record per grid row (or column) of the bounding box that holds lamps,
// coloured cell by cell: text colour on the lamps of the text group,
// background elsewhere.
std::vector<CModeItem> ExpandWord(const CModeItem& word, const CFrameGenerator& grid,
                                  const std::vector<UIntArray>& lampGroups)
{
    std::vector<CModeItem> out;
    const CBoundingBox& box = grid.Box();
    if (box.Empty())
        return out;
    const bool byRow = word.type == "CM_LEFTTORIGHT_WORD" || word.type == "CM_RIGHTTOLEFT_WORD";
    const bool reverse = word.type == "CM_RIGHTTOLEFT_WORD" || word.type == "CM_DOWNTOUP_WORD";
    const bool asCf = word.wordColourMode == 1;
    const std::string type = word.type.substr(0, word.type.size() - 4) + (asCf ? "CF" : "CC");
    const Triple text = ColourAt(word.colours, 0), background = ColourAt(word.colours, 3);
    std::unordered_set<std::uint32_t> textLamps;
    if (word.lampOrderIndex >= 0 && static_cast<std::size_t>(word.lampOrderIndex) < lampGroups.size()) {
        const auto& g = lampGroups[static_cast<std::size_t>(word.lampOrderIndex)];
        textLamps.insert(g.begin(), g.end());
    }

    const std::int64_t lineFrom = byRow ? box.minY : box.minX, lineTo = byRow ? box.maxY : box.maxX;
    const std::int64_t cellFrom = byRow ? box.minX : box.minY, cellTo = byRow ? box.maxX : box.maxY;
    auto cell = [&](std::int64_t line, std::int64_t pos) {
        return byRow ? grid.Cell(pos, line) : grid.Cell(line, pos);
    };
    for (std::int64_t line = lineFrom; line <= lineTo; ++line) {
        std::int64_t first = cellTo + 1, last = cellFrom - 1;
        for (std::int64_t p = cellFrom; p <= cellTo; ++p)
            if (cell(line, p) >= 0) {
                first = std::min(first, p);
                last = p;
            }
        if (first > last)
            continue;
        std::vector<Triple> triples;
        for (std::int64_t p = first; p <= last; ++p) {
            const std::int32_t lamp = cell(line, p);
            if (lamp >= 0)
                triples.push_back(textLamps.count(static_cast<std::uint32_t>(lamp)) ? text : background);
        }
        if (reverse && asCf)
            std::reverse(triples.begin(), triples.end());
        if (word.wordColourMode == 0)
            triples.insert(
                triples.end(),
                static_cast<std::size_t>(std::clamp<std::int64_t>(word.wordStep, 0, kMaxWordStepTriples)),
                background);
        CModeItem rec = word;
        rec.type = type;
        const auto l = static_cast<std::int32_t>(line), f = static_cast<std::int32_t>(first),
                   e = static_cast<std::int32_t>(last);
        if (byRow) {
            rec.areaLeft = f;
            rec.areaRight = e;
            rec.areaTop = rec.areaBottom = l;
        } else {
            rec.areaTop = f;
            rec.areaBottom = e;
            rec.areaLeft = rec.areaRight = l;
        }
        rec.colours.clear();
        rec.colours.reserve(triples.size() * 3);
        for (const Triple& t : triples)
            rec.colours.insert(rec.colours.end(), {t.r, t.g, t.b});
        out.push_back(std::move(rec));
    }
    return out;
}

} // namespace

CCompiledEffects CompileEffects(const CEffectSet& effects)
{
    CFrameGenerator generator(effects.lampPositions, effects.layers);

    // The working list: each text mode replaced by its per-row records.
    std::vector<CModeItem> working;
    std::vector<std::size_t> firstWorking(effects.modes.size()), made(effects.modes.size());
    {
        CModeItem allLamps;
        generator.PrepareGrid(allLamps);
        for (std::size_t m = 0; m < effects.modes.size(); ++m) {
            firstWorking[m] = working.size();
            if (IsWordMode(effects.modes[m].type)) {
                auto rows = ExpandWord(effects.modes[m], generator, effects.lampGroups);
                made[m] = rows.size();
                std::move(rows.begin(), rows.end(), std::back_inserter(working));
            } else {
                made[m] = 1;
                working.push_back(effects.modes[m]);
            }
        }
    }

    CCompiledEffects out;
    CArrayTable colours, lampSequences, bandLists;
    lampSequences.Seed(effects.lampGroups);
    bandLists.Seed(effects.groupLists);

    // Position of each working record's compiled record, or -1 when dropped.
    std::vector<std::int64_t> compiledAt(working.size(), -1);
    for (std::size_t w = 0; w < working.size(); ++w) {
        const CModeItem& rec = working[w];
        const int code = EffectClassOf(rec);
        const bool custom = rec.type == kCustomModeType;
        if (code == kNoClass)
            continue; // a name no rule knows cannot be played
        if (custom) {
            // A custom mode plays a list the user built; without one it is dropped.
            const bool needsOrder = IsLampOrderCode(code), needsBands = IsBandCode(code);
            if (needsOrder && (rec.lampOrderIndex < 0 ||
                               static_cast<std::size_t>(rec.lampOrderIndex) >= effects.lampGroups.size()))
                continue;
            if (needsBands && (rec.bandOrderIndex < 0 ||
                               static_cast<std::size_t>(rec.bandOrderIndex) >= effects.groupLists.size()))
                continue;
        }
        CModeItem c = rec;
        c.layer = code;
        // The three special modes tell the controller where they stand; a custom
        // mode keeps its own loop whatever code the user gave it.
        if (!custom && (code == kCodeEmptyMode || code == kCodeRegroup || code == kCodeRegress))
            c.loop = static_cast<std::int32_t>(out.modes.size());
        if (code < 11) {
            if (code != 0)
                c.colourGroupId = static_cast<std::int32_t>(colours.AddUnique(c.colours));
            if (!custom) {
                const OrderKind kind = OrderKindOf(IsCircularAreaMode(rec.type) ? rec.innerType : rec.type);
                generator.PrepareGrid(rec);
                if (IsBandCode(code))
                    c.bandOrderIndex = static_cast<std::int32_t>(
                        bandLists.AddUnique(generator.BandOrder(rec, kind, lampSequences)));
                else if (IsLampOrderCode(code)) {
                    std::uint64_t hash = 0;
                    UIntArray order = generator.LampOrder(rec, kind, &hash);
                    c.lampOrderIndex =
                        static_cast<std::int32_t>(lampSequences.AddUnique(std::move(order), hash));
                }
            }
        }
        compiledAt[w] = static_cast<std::int64_t>(out.modes.size());
        out.modes.push_back(std::move(c));
    }

    for (std::size_t g = 0; g < effects.programGroups.size() && g < out.programGroups.size(); ++g)
        for (const CModeItem& entry : effects.programGroups[g]) {
            const std::int64_t m = entry.layer;
            if (m < 0 || static_cast<std::size_t>(m) >= effects.modes.size())
                continue;
            const auto mm = static_cast<std::size_t>(m);
            for (std::size_t w = firstWorking[mm]; w < firstWorking[mm] + made[mm]; ++w)
                if (compiledAt[w] >= 0)
                    out.programGroups[g].push_back(out.modes[static_cast<std::size_t>(compiledAt[w])]);
        }

    out.colourTable = colours.Take();
    out.lampSequenceTable = lampSequences.Take();
    out.bandTable = bandLists.Take();
    return out;
}

} // namespace lumaro
