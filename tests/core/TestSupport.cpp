#include "TestSupport.h"

#include <fstream>
#include <random>
#include <sstream>

namespace lumaro::test {

TempDir::TempDir()
{
    std::random_device rd;
    m_path = fs::temp_directory_path() / ("lumaro-test-" + std::to_string(rd()) + std::to_string(rd()));
    fs::create_directories(m_path);
}

TempDir::~TempDir()
{
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

void WriteText(const fs::path& p, std::string_view bytes)
{
    std::ofstream out(p, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadText(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Le16(std::uint16_t v)
{
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

std::string Le32(std::uint32_t v)
{
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
            static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
}

namespace {

std::string Be32(std::uint32_t v)
{
    return {static_cast<char>(v >> 24), static_cast<char>((v >> 16) & 0xFF),
            static_cast<char>((v >> 8) & 0xFF), static_cast<char>(v & 0xFF)};
}

std::string PngChunk(std::string_view type, std::string_view data)
{
    std::uint32_t crc = 0xFFFFFFFF;
    for (char c : std::string(type) + std::string(data)) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (crc & 1 ? 0xEDB88320u : 0u);
    }
    return Be32(static_cast<std::uint32_t>(data.size())) + std::string(type) + std::string(data) + Be32(~crc);
}

} // namespace

std::string PngHeader(std::uint32_t width, std::uint32_t height)
{
    // Bit depth 8, colour type 2 (RGB), deflate, adaptive filters, no interlace.
    const std::string ihdr = Be32(width) + Be32(height) + std::string("\x08\x02\x00\x00\x00", 5);
    return "\x89PNG\r\n\x1A\n" + PngChunk("IHDR", ihdr) + PngChunk("IDAT", "") + PngChunk("IEND", "");
}

} // namespace lumaro::test
