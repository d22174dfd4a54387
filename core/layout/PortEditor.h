#pragma once

#include "core/firmware/ControllerLimits.h"
#include "core/layout/LampLayout.h"

#include <cstdint>

namespace lumaro {

inline constexpr int kPortCount = controller::kPortCount;

// Chaining lamps onto the controller's twelve ports: the port-edit state of
// a layout view and the three operations a click applies.
class CPortEditor {
public:
    enum Operation { None = 0, Add = 1, Insert = 2, Delete = 3 };

    static constexpr int kMaxInsertPosition = 9998;

    int operation = None;
    int currentPort = 0;    // 1..12, 0 before the first Port Edit
    int insertPosition = 0; // order after which the next inserted lamp goes
    int highestOrder = 0;   // largest order seen on the current port

    // The colour a lamp takes when it joins port p (1..12), as the
    // controller's wiring convention has them; green for any other value.
    static std::uint32_t PortColour(int port);

    // Applies the operation to the first lamp on the cell. True when a lamp
    // was changed.
    bool ApplyAt(CLampLayout& layout, std::int32_t cx, std::int32_t cy);

    bool AddLamp(CLampLayout& layout, std::size_t index);
    bool InsertLamp(CLampLayout& layout, std::size_t index);
    static bool RemoveLamp(CLampLayout& layout, std::size_t index);

private:
    void UpdateHighestOrder(const CLampLayout& layout);
};

} // namespace lumaro
