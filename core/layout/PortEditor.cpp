#include "core/layout/PortEditor.h"

#include "core/layout/LampEditor.h"

#include <algorithm>
#include <array>

namespace lumaro {

std::uint32_t CPortEditor::PortColour(int port)
{
    static constexpr std::array<std::uint32_t, kPortCount> colours = {
        0x0000FF, 0xFF0000, 0x00C8FF, 0xFF00FF, 0xFFFF00, 0x408000,
        0x0080FF, 0x804000, 0x400080, 0xFF80FF, 0x008080, 0x4040FF,
    };
    if (port < 1 || port > kPortCount)
        return kColourGreen;
    return colours[static_cast<std::size_t>(port - 1)];
}

void CPortEditor::UpdateHighestOrder(const CLampLayout& layout)
{
    for (const auto& l : layout.lamps)
        if (l.port == currentPort)
            highestOrder = std::max(highestOrder, l.order);
}

bool CPortEditor::AddLamp(CLampLayout& layout, std::size_t index)
{
    CLamp& lamp = layout.lamps[index];
    if (currentPort == 0 || lamp.port > 0)
        return false;
    UpdateHighestOrder(layout);
    lamp.port = currentPort;
    lamp.order = highestOrder + 1;
    lamp.colour = static_cast<std::int32_t>(PortColour(currentPort));
    return true;
}

bool CPortEditor::InsertLamp(CLampLayout& layout, std::size_t index)
{
    if (currentPort == 0 || layout.lamps[index].port > 0)
        return false;
    UpdateHighestOrder(layout);
    CLamp& lamp = layout.lamps[index];
    if (insertPosition >= highestOrder) {
        lamp.order = highestOrder + 1;
    } else {
        for (auto& l : layout.lamps)
            if (l.port == currentPort && l.order > insertPosition)
                ++l.order;
        lamp.order = insertPosition + 1;
    }
    lamp.port = currentPort;
    lamp.colour = static_cast<std::int32_t>(PortColour(currentPort));
    insertPosition = lamp.order;
    return true;
}

bool CPortEditor::RemoveLamp(CLampLayout& layout, std::size_t index)
{
    const CLamp removed = layout.lamps[index];
    for (auto& l : layout.lamps)
        if (l.port == removed.port && l.order > removed.order)
            --l.order;
    CLamp& lamp = layout.lamps[index];
    lamp.colour = static_cast<std::int32_t>(kColourGreen);
    lamp.port = 0;
    lamp.order = 0;
    return true;
}

bool CPortEditor::ApplyAt(CLampLayout& layout, std::int32_t cx, std::int32_t cy)
{
    const auto at = CLampEditor::FindLamp(layout, cx, cy);
    if (!at)
        return false;
    switch (operation) {
    case Add:
        return AddLamp(layout, *at);
    case Insert:
        return InsertLamp(layout, *at);
    case Delete:
        return RemoveLamp(layout, *at);
    default:
        return false;
    }
}

} // namespace lumaro
