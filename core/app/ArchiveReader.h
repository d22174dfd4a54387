#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lumaro {

// Thrown by CArchiveReader when the bytes do not hold what is asked for. It
// never leaves the file readers, which turn it into a failed Status.
class CArchiveError : public std::runtime_error {
public:
    CArchiveError(std::size_t offset, const std::string& what)
        : std::runtime_error("at byte " + std::to_string(offset) + ": " + what), m_offset(offset)
    {
    }
    std::size_t offset() const { return m_offset; }

private:
    std::size_t m_offset;
};

// Little-endian reader of the framework's archive format over bytes in
// memory. Every count read is checked against the bytes that remain before
// anything is allocated from it, so a short crafted file cannot make the
// reader reserve more than the file itself could hold.
class CArchiveReader {
public:
    explicit CArchiveReader(std::string_view bytes) : m_bytes(bytes) {}
    // The reader only views the bytes: they must outlive it.
    explicit CArchiveReader(std::string&&) = delete;

    std::size_t Offset() const { return m_pos; }
    std::size_t Remaining() const { return m_bytes.size() - m_pos; }

    std::uint8_t U8();
    std::uint16_t U16();
    std::uint32_t U32();
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    float Float();
    double Double();

    std::string String(std::string_view what);
    std::uint32_t Count(std::string_view what);
    std::vector<std::uint32_t> UIntArray(std::string_view what);
    std::vector<std::vector<std::uint32_t>> ArrayList(std::string_view what);

    // A count of items, each at least minItemBytes long, that must fit in
    // what remains; negative counts fail too.
    std::uint32_t CheckedCount(std::int64_t count, std::size_t minItemBytes, std::string_view what) const;

    [[noreturn]] void Fail(const std::string& what) const { throw CArchiveError(m_pos, what); }
    [[noreturn]] void FailAt(std::size_t offset, const std::string& what) const
    {
        throw CArchiveError(offset, what);
    }

private:
    void Need(std::size_t n, std::string_view what) const;

    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

} // namespace lumaro
