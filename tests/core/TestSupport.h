#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace lumaro::test {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed with its
// contents when the test ends.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const fs::path& path() const { return m_path; }
    fs::path operator/(const fs::path& p) const { return m_path / p; }

private:
    fs::path m_path;
};

void WriteText(const fs::path& p, std::string_view bytes);
std::string ReadText(const fs::path& p);

// Little-endian byte builders for hand-assembled files.
std::string Le16(std::uint16_t v);
std::string Le32(std::uint32_t v);
inline std::string LeI32(std::int32_t v)
{
    return Le32(static_cast<std::uint32_t>(v));
}

// The start of an 8-bit RGB PNG of the given size: its header and an empty
// image data chunk, enough for a reader to learn the size and no more.
std::string PngHeader(std::uint32_t width, std::uint32_t height);

} // namespace lumaro::test
