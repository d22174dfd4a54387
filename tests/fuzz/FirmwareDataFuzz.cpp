#include "core/firmware/FirmwareData.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

// Any texts of "cport.h", "DSPPTN.h" and "CSTGRP.h" (one NUL byte between
// them) give "CData.h" or a message: never a crash, and never a text that
// is cut short.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::string_view parts[3];
    for (std::string_view& part : parts) {
        const std::size_t nul = rest.find('\0');
        part = rest.substr(0, nul);
        rest = nul == std::string_view::npos ? std::string_view() : rest.substr(nul + 1);
    }
    for (int format = 1; format <= 3; format += 2) {
        const auto text = lumaro::CFirmwareData::Text(parts[0], parts[1], parts[2], format);
        if (text ? !text->starts_with("#include <DatTyp") || !text->ends_with("};\r\n")
                 : text.status().key.empty())
            std::abort();
    }
    return 0;
}
