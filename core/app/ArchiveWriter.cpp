#include "core/app/ArchiveWriter.h"

#include <bit>
#include <cstring>

namespace lumaro {

void CArchiveWriter::U16(std::uint16_t v)
{
    const char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    m_bytes.append(b, 2);
}

void CArchiveWriter::U32(std::uint32_t v)
{
    const char b[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                       static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
    m_bytes.append(b, 4);
}

void CArchiveWriter::Float(float v)
{
    U32(std::bit_cast<std::uint32_t>(v));
}

void CArchiveWriter::Double(double v)
{
    const auto bits = std::bit_cast<std::uint64_t>(v);
    U32(static_cast<std::uint32_t>(bits));
    U32(static_cast<std::uint32_t>(bits >> 32));
}

void CArchiveWriter::String(std::string_view s)
{
    if (s.size() < 255) {
        U8(static_cast<std::uint8_t>(s.size()));
    } else if (s.size() < 0xFFFE) {
        U8(0xFF);
        U16(static_cast<std::uint16_t>(s.size()));
    } else {
        U8(0xFF);
        U16(0xFFFF);
        U32(static_cast<std::uint32_t>(s.size()));
    }
    m_bytes.append(s);
}

void CArchiveWriter::Count(std::uint32_t n)
{
    if (n < 0xFFFF) {
        U16(static_cast<std::uint16_t>(n));
    } else {
        U16(0xFFFF);
        U32(n);
    }
}

void CArchiveWriter::UIntArray(const std::vector<std::uint32_t>& values)
{
    I32(static_cast<std::int32_t>(values.size()) - 1);
    const std::size_t at = m_bytes.size();
    m_bytes.resize(at + 4 * values.size());
    char* out = m_bytes.data() + at;
    for (std::uint32_t v : values) {
        out[0] = static_cast<char>(v & 0xFF);
        out[1] = static_cast<char>((v >> 8) & 0xFF);
        out[2] = static_cast<char>((v >> 16) & 0xFF);
        out[3] = static_cast<char>(v >> 24);
        out += 4;
    }
}

void CArchiveWriter::ArrayList(const std::vector<std::vector<std::uint32_t>>& arrays)
{
    I32(static_cast<std::int32_t>(arrays.size()));
    for (const auto& a : arrays)
        UIntArray(a);
}

} // namespace lumaro
