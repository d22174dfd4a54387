#include "core/app/IniFile.h"
#include "core/app/LangText.h"
#include "core/app/TextUtil.h"

#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace {

using lumaro::CIniFile;

// Names the program's own files are read by, and a plain pair; no two keys
// are equal without regard to case.
constexpr std::string_view kSections[] = {"String", "Setting", "s"};
constexpr std::string_view kKeys[] = {"Language", "EDITIMGVIEW_ONOPENIMAGE_PCNR", "k"};
constexpr std::string_view kValue = "v1";

} // namespace

// Any file bytes read as values the way the language texts are read; a value
// written into them reads back, writing it twice changes nothing more, and
// every other key keeps its value.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::optional<std::string> before[std::size(kSections)][std::size(kKeys)];
    for (std::size_t s = 0; s < std::size(kSections); ++s)
        for (std::size_t k = 0; k < std::size(kKeys); ++k)
            if ((before[s][k] = CIniFile::Find(text, kSections[s], kKeys[k])))
                (void)lumaro::ExpandNewlineEscapes(
                    lumaro::Utf8Truncate(*before[s][k], lumaro::CLangText::kTextBufferChars));

    for (std::size_t s = 0; s < std::size(kSections); ++s)
        for (std::size_t k = 0; k < std::size(kKeys); ++k) {
            const std::string written = CIniFile::WithValue(text, kSections[s], kKeys[k], kValue);
            if (CIniFile::WithValue(written, kSections[s], kKeys[k], kValue) != written)
                std::abort();
            for (std::size_t os = 0; os < std::size(kSections); ++os)
                for (std::size_t ok = 0; ok < std::size(kKeys); ++ok) {
                    const bool same = os == s && ok == k;
                    if (CIniFile::Find(written, kSections[os], kKeys[ok]) !=
                        (same ? std::optional<std::string>(kValue) : before[os][ok]))
                        std::abort();
                }
        }
    return 0;
}
