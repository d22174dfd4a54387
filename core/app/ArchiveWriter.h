#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumaro {

// Little-endian writer of the framework's archive format: plain numbers,
// length-prefixed byte strings, object-list counts and array lists.
class CArchiveWriter {
public:
    explicit CArchiveWriter(std::size_t expectedSize = 0) { m_bytes.reserve(expectedSize); }

    void U8(std::uint8_t v) { m_bytes.push_back(static_cast<char>(v)); }
    void U16(std::uint16_t v);
    void U32(std::uint32_t v);
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void Float(float v);
    void Double(double v);
    void Raw(std::string_view bytes) { m_bytes.append(bytes); }

    // Length prefix of 1, 3 or 7 bytes, then the bytes, no terminator.
    void String(std::string_view s);
    // Object-list count: 16 bits, or 0xFFFF and 32 bits from 65535 on.
    void Count(std::uint32_t n);
    // Last index (-1 when empty), then the values.
    void UIntArray(const std::vector<std::uint32_t>& values);
    // Number of arrays, then each array as above.
    void ArrayList(const std::vector<std::vector<std::uint32_t>>& arrays);

    const std::string& Bytes() const& { return m_bytes; }
    std::string Take() { return std::move(m_bytes); }
    std::size_t Size() const { return m_bytes.size(); }

private:
    std::string m_bytes;
};

} // namespace lumaro
