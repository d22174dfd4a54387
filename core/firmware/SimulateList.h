#pragma once

#include "core/app/Status.h"
#include "core/effects/ModeItem.h"
#include "core/firmware/ControllerLimits.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lumaro {

// The 32 compiled program groups the show-pattern text is made from.
using ProgramGroupLists = std::array<std::vector<CModeItem>, 32>;

// One piece of generated firmware source: strings written one after the
// other with nothing between them and nothing after the last. The line
// breaks ("\r\n", as the controller's compiler expects) are inside the
// strings; every blank of the templates is kept, so that the files compare
// byte for byte with those of earlier versions.
class CSimulateList {
public:
    // Arrays the tables always declare, and the most lists each accepts.
    static constexpr std::size_t kLampSequenceArrays = controller::kLampSequenceArrays;
    static constexpr std::size_t kMaxLampSequences = controller::kMaxLampSequences;
    static constexpr std::size_t kBandListArrays = controller::kBandLists;
    static constexpr std::size_t kMaxBandLists = controller::kBandLists;
    static constexpr std::size_t kColourListArrays = controller::kColourLists;
    static constexpr std::size_t kMaxColourLists = controller::kColourLists;
    static constexpr std::size_t kPortCount = controller::kPortCount;

    static constexpr const char* kTooManyLampSequencesKey = "SIMULATELIST_CGT_CETN";
    static constexpr const char* kTooManyBandListsKey = "SIMULATELIST_GCGT_GETN";
    static constexpr const char* kTooManyColourListsKey = "SIMULATELIST_COLORTEXT_CETN";

    const std::vector<std::string>& Pieces() const { return m_pieces; }
    bool Empty() const { return m_pieces.empty(); }
    void Clear() { m_pieces.clear(); }
    void Append(std::string piece) { m_pieces.push_back(std::move(piece)); }
    // The bytes the list writes.
    std::string Text() const;
    void AppendTo(std::string& out) const;

    // Each builder empties the list first. A table over its limit leaves the
    // list empty and returns the message to show.
    void MakeShowPatternText(const ProgramGroupLists& groups);
    Status MakeLampSequenceText(const std::vector<UIntArray>& lampSequences);
    Status MakeBandListText(const std::vector<UIntArray>& bandLists);
    Status MakeColourListText(const std::vector<UIntArray>& colourLists);
    void MakeGetterSourceText(std::size_t lampSequenceCount, std::size_t bandListCount,
                              std::size_t colourListCount);

    // One show-pattern row of a compiled record, without the line break that
    // follows it; empty for a class code the controller does not know.
    static std::string ShowPatternRow(const CModeItem& record);
    // The first value of a row of class 1 to 4: four band names play their
    // list with another code than their class.
    static int PatternCode(const CModeItem& record);

    // The brightness ramp of a class-0 record: the per-channel codes (end
    // colour + 768 when rising, + 512 otherwise) and the number of steps.
    struct Ramp {
        std::uint32_t start[3];
        std::uint32_t code[3];
        std::uint32_t steps;
    };
    static Ramp RampOf(const CModeItem& record);

private:
    std::vector<std::string> m_pieces;
};

} // namespace lumaro
