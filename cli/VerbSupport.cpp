#include "cli/VerbSupport.h"

#include "core/app/InstallFolder.h"
#include "core/app/UserDataFolder.h"

#include <charconv>
#include <cmath>
#include <ostream>

namespace lumaro::cli {

std::optional<std::int64_t> ParseInteger(std::string_view text)
{
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    std::int64_t v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v, base);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return v;
}

std::optional<double> ParseReal(std::string_view text)
{
    double v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return v;
}

std::optional<std::vector<std::int64_t>> ParseIntegerList(std::string_view text, char separator)
{
    std::vector<std::int64_t> values;
    while (!text.empty()) {
        const std::size_t at = text.find(separator);
        const auto v = ParseInteger(text.substr(0, at));
        if (!v)
            return std::nullopt;
        values.push_back(*v);
        if (at == std::string_view::npos)
            break;
        text.remove_prefix(at + 1);
        if (text.empty())
            return std::nullopt;
    }
    return values;
}

int WriteJsonLine(CliIo& io, const Verb& verb, const std::string& json)
{
    io.out << json << '\n' << std::flush;
    if (!io.out)
        return ReportFailure(io, verb, "cannot write to standard output");
    return kExitOk;
}

std::filesystem::path DataFolder(CliIo& io, const Verb& verb)
{
    const std::filesystem::path install = DefaultInstallFolder();
    const Result<std::filesystem::path> data = CUserDataFolder::ForInstallFolder(install);
    if (data)
        return data.value();
    ReportFailure(io, verb,
                  "cannot prepare the user's data folder " + data.status().args.back() + " (" +
                      data.status().detail + "); using " + install.string());
    return install;
}

} // namespace lumaro::cli
