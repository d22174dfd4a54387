#include "core/app/FileSystem.h"

#include "core/app/AtomicFile.h"

#include "core/app/TextUtil.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace lumaro {

fs::path FindPathNoCase(const fs::path& p)
{
    std::error_code ec;
    if (p.empty() || fs::exists(p, ec))
        return p;

    fs::path resolved = p.root_path();
    const fs::path relative = p.relative_path();
    for (const fs::path& part : relative) {
        const fs::path exact = resolved.empty() ? part : resolved / part;
        if (fs::exists(exact, ec)) {
            resolved = exact;
            continue;
        }
        const fs::path dir = resolved.empty() ? fs::path(".") : resolved;
        bool found = false;
        const std::string wanted = part.string();
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (EqualsNoCase(name, wanted)) {
                resolved = resolved.empty() ? fs::path(name) : resolved / name;
                found = true;
                break;
            }
        }
        if (!found)
            return p;
    }
    return resolved;
}

Result<std::string> ReadFileBytes(const fs::path& p)
{
    std::error_code ec;
    if (fs::is_directory(p, ec))
        return Status::Fail(msgkey::FileOpenError, p.string() + " is a folder");
#ifdef _WIN32
    std::FILE* f = _wfopen(p.c_str(), L"rb");
#else
    std::FILE* f = std::fopen(p.c_str(), "rb");
#endif
    if (!f)
        return Status::Fail(msgkey::FileOpenError, "cannot open " + p.string() + ": " + std::strerror(errno));
    std::string bytes;
    const auto size = fs::file_size(p, ec);
    if (!ec)
        bytes.reserve(static_cast<std::size_t>(size));
    char buf[1 << 16];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        bytes.append(buf, n);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed)
        return Status::Fail(msgkey::FileReadError, "cannot read " + p.string());
    return bytes;
}

Status WriteFileAtomic(const fs::path& p, std::string_view bytes)
{
    CAtomicFile file(p);
    if (Status opened = file.Open(); !opened)
        return opened;
    file.Write(bytes);
    return file.Commit();
}

fs::path ExecutableDir()
{
#ifdef _WIN32
    wchar_t buf[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
    if (n == 0 || n == MAX_PATH)
        return {};
    return fs::path(buf).parent_path();
#else
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : exe.parent_path();
#endif
}

} // namespace lumaro
