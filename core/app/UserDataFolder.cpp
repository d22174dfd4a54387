#include "core/app/UserDataFolder.h"

#include "core/app/FileSystem.h"
#include "core/app/InstallFolder.h"

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace lumaro {

namespace {

// What a file was when it was copied: enough to tell "still the same" from
// "changed" without keeping a second copy.
struct Signature {
    std::uintmax_t size = 0;
    std::uint64_t hash = 0;
    bool operator==(const Signature&) const = default;
};

using Manifest = std::map<std::string, Signature>;

Signature SignatureOf(const std::string& bytes)
{
    // FNV-1a: stable across builds and platforms, unlike std::hash.
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return {bytes.size(), hash};
}

// One line a file: size, hash in hex, relative path (which may hold spaces).
Manifest ReadManifest(const fs::path& file)
{
    Manifest manifest;
    const Result<std::string> text = ReadFileBytes(file);
    if (!text)
        return manifest;
    std::istringstream in(text.value());
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        Signature signature;
        std::string path;
        if (fields >> signature.size >> std::hex >> signature.hash && fields.get() == ' ' &&
            std::getline(fields, path) && !path.empty())
            manifest[path] = signature;
    }
    return manifest;
}

Status WriteManifest(const fs::path& file, const Manifest& manifest)
{
    std::ostringstream out;
    for (const auto& [path, signature] : manifest)
        out << signature.size << ' ' << std::hex << signature.hash << std::dec << ' ' << path << '\n';
    return WriteFileAtomic(file, out.str());
}

// The installed files below the written paths, relative to the install folder.
std::vector<fs::path> InstalledFiles(const fs::path& installFolder)
{
    std::vector<fs::path> files;
    std::error_code ec;
    for (const fs::path& written : CUserDataFolder::WrittenPaths()) {
        const fs::path path = FindPathNoCase(installFolder / written);
        if (fs::is_regular_file(path, ec)) {
            files.push_back(fs::relative(path, installFolder, ec));
            continue;
        }
        if (!fs::is_directory(path, ec))
            continue;
        for (auto it = fs::recursive_directory_iterator(path, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            if (it->is_regular_file(ec))
                files.push_back(fs::relative(it->path(), installFolder, ec));
        }
    }
    return files;
}

std::optional<std::string> Environment(const char* name)
{
    if (const char* value = std::getenv(name))
        return std::string(value);
    return std::nullopt;
}

} // namespace

const std::vector<fs::path>& CUserDataFolder::WrittenPaths()
{
    // The sample project too: opening it, saving it and building it beside
    // itself write into its folder.
    static const std::vector<fs::path> paths = {datapath::Settings, datapath::ColourData, "sys", "Sample"};
    return paths;
}

const fs::path& CUserDataFolder::ManifestName()
{
    static const fs::path name = ".installed-copies";
    return name;
}

fs::path CUserDataFolder::UserFolder(const std::optional<std::string>& xdgDataHome,
                                     const std::optional<std::string>& home)
{
    if (xdgDataHome && fs::path(*xdgDataHome).is_absolute())
        return fs::path(*xdgDataHome) / "lumaro";
    if (home && fs::path(*home).is_absolute())
        return fs::path(*home) / ".local" / "share" / "lumaro";
    return {};
}

Result<fs::path> CUserDataFolder::Prepare(const Inputs& inputs)
{
    const auto writable = inputs.writable ? inputs.writable : IsWritableFolder;
    if (writable(inputs.installFolder))
        return inputs.installFolder;

    const fs::path user = UserFolder(inputs.xdgDataHome, inputs.home);
    if (user.empty())
        return Status::Fail(msgkey::UserDataCopyError, "neither XDG_DATA_HOME nor HOME is an absolute path",
                            {inputs.installFolder.string(), "~/.local/share/lumaro"});

    const fs::path manifestFile = user / ManifestName();
    Manifest manifest = ReadManifest(manifestFile);
    bool recorded = false;
    Status failure;
    for (const fs::path& relative : InstalledFiles(inputs.installFolder)) {
        const fs::path installed = inputs.installFolder / relative;
        const fs::path copy = user / relative;
        const std::string key = relative.generic_string();

        const Result<std::string> bytes = ReadFileBytes(installed);
        if (!bytes) {
            failure = Status::Fail(msgkey::UserDataCopyError, "cannot read " + installed.string(),
                                   {installed.string(), user.string()});
            break;
        }
        const Signature now = SignatureOf(bytes.value());
        std::error_code ec;
        if (fs::exists(copy, ec)) {
            const auto entry = manifest.find(key);
            // Not copied by us, or the installed file is as it was copied.
            if (entry == manifest.end() || entry->second == now)
                continue;
            const Result<std::string> current = ReadFileBytes(copy);
            if (!current || SignatureOf(current.value()) != entry->second)
                continue; // the user's own change
        }
        fs::create_directories(copy.parent_path(), ec);
        if (const Status written = WriteFileAtomic(copy, bytes.value()); !written) {
            failure = Status::Fail(msgkey::UserDataCopyError, "cannot write " + copy.string(),
                                   {installed.string(), user.string()});
            break;
        }
        manifest[key] = now;
        recorded = true;
    }
    if (recorded) {
        if (const Status written = WriteManifest(manifestFile, manifest); !written && failure.ok())
            failure = Status::Fail(msgkey::UserDataCopyError, "cannot write " + manifestFile.string(),
                                   {inputs.installFolder.string(), user.string()});
    }
    if (!failure.ok())
        return failure;
    return user;
}

Result<fs::path> CUserDataFolder::ForInstallFolder(const fs::path& installFolder)
{
    return Prepare({installFolder, Environment("XDG_DATA_HOME"), Environment("HOME"), {}});
}

bool CUserDataFolder::IsWritableFolder(const fs::path& folder)
{
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        return false;
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const fs::path probe = folder / (".write-probe-" + std::to_string(stamp));
    bool made = false;
    {
        std::ofstream out(probe, std::ios::binary);
        made = out.is_open();
    }
    if (made)
        fs::remove(probe, ec);
    return made;
}

} // namespace lumaro
