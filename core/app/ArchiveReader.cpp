#include "core/app/ArchiveReader.h"

#include <bit>

namespace lumaro {

void CArchiveReader::Need(std::size_t n, std::string_view what) const
{
    if (n > Remaining())
        Fail("file ends inside " + std::string(what) + " (" + std::to_string(n) + " bytes needed, " +
             std::to_string(Remaining()) + " left)");
}

std::uint8_t CArchiveReader::U8()
{
    Need(1, "a byte");
    return static_cast<std::uint8_t>(m_bytes[m_pos++]);
}

std::uint16_t CArchiveReader::U16()
{
    Need(2, "a 16-bit value");
    const auto* p = reinterpret_cast<const unsigned char*>(m_bytes.data() + m_pos);
    m_pos += 2;
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t CArchiveReader::U32()
{
    Need(4, "a 32-bit value");
    const auto* p = reinterpret_cast<const unsigned char*>(m_bytes.data() + m_pos);
    m_pos += 4;
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

float CArchiveReader::Float()
{
    return std::bit_cast<float>(U32());
}

double CArchiveReader::Double()
{
    Need(8, "a 64-bit real");
    const std::uint64_t lo = U32();
    const std::uint64_t hi = U32();
    return std::bit_cast<double>(lo | (hi << 32));
}

std::string CArchiveReader::String(std::string_view what)
{
    const std::size_t start = m_pos;
    std::uint32_t len = U8();
    if (len == 0xFF) {
        len = U16();
        if (len == 0xFFFE)
            FailAt(start, std::string(what) + ": wide-character strings are not supported");
        if (len == 0xFFFF)
            len = U32();
    }
    if (len > Remaining())
        FailAt(start, std::string(what) + ": string length " + std::to_string(len) + " is larger than the " +
                          std::to_string(Remaining()) + " bytes left");
    std::string s(m_bytes.substr(m_pos, len));
    m_pos += len;
    return s;
}

std::uint32_t CArchiveReader::Count(std::string_view what)
{
    Need(2, what);
    std::uint32_t n = U16();
    if (n == 0xFFFF)
        n = U32();
    return n;
}

std::uint32_t CArchiveReader::CheckedCount(std::int64_t count, std::size_t minItemBytes,
                                           std::string_view what) const
{
    if (count < 0)
        Fail(std::string(what) + ": negative count " + std::to_string(count));
    if (static_cast<std::uint64_t>(count) * minItemBytes > Remaining())
        Fail(std::string(what) + ": count " + std::to_string(count) + " needs at least " +
             std::to_string(static_cast<std::uint64_t>(count) * minItemBytes) + " bytes, " +
             std::to_string(Remaining()) + " left");
    return static_cast<std::uint32_t>(count);
}

std::vector<std::uint32_t> CArchiveReader::UIntArray(std::string_view what)
{
    const std::size_t start = m_pos;
    const std::int64_t last = I32();
    if (last < -1)
        FailAt(start, std::string(what) + ": array last index " + std::to_string(last) + " is below -1");
    const std::uint32_t n = CheckedCount(last + 1, 4, what);
    std::vector<std::uint32_t> values(n);
    const auto* p = reinterpret_cast<const unsigned char*>(m_bytes.data() + m_pos);
    for (std::uint32_t i = 0; i < n; ++i, p += 4)
        values[i] = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                    (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    m_pos += 4 * static_cast<std::size_t>(n);
    return values;
}

std::vector<std::vector<std::uint32_t>> CArchiveReader::ArrayList(std::string_view what)
{
    // Each array holds at least its 4-byte last index.
    const std::uint32_t n = CheckedCount(I32(), 4, what);
    std::vector<std::vector<std::uint32_t>> arrays;
    arrays.reserve(n);
    for (std::uint32_t i = 0; i < n; ++i)
        arrays.push_back(UIntArray(what));
    return arrays;
}

} // namespace lumaro
