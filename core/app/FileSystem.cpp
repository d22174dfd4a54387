#include "core/app/FileSystem.h"

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

namespace {

std::string ErrnoText()
{
    return std::strerror(errno);
}

#ifndef _WIN32
bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}
#endif

} // namespace

Status WriteFileAtomic(const fs::path& p, std::string_view bytes)
{
    const fs::path dir = p.has_parent_path() ? p.parent_path() : fs::path(".");
    std::random_device rd;
    const fs::path tmp = dir / ("." + p.filename().string() + ".tmp" + std::to_string(rd() % 1000000));
    const auto fail = [&](const std::string& what) {
        std::error_code ec;
        fs::remove(tmp, ec);
        return Status::Fail(msgkey::FileWriteError, what + " " + p.string() + ": " + ErrnoText());
    };

#ifdef _WIN32
    {
        std::FILE* f = _wfopen(tmp.c_str(), L"wb");
        if (!f)
            return fail("cannot create a temporary file for");
        const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size()
                             && std::fflush(f) == 0 && _commit(_fileno(f)) == 0;
        if (std::fclose(f) != 0 || !written)
            return fail("cannot write");
    }
    if (!MoveFileExW(tmp.c_str(), p.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return fail("cannot replace");
#else
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return Status::Fail(msgkey::FileWriteError,
                            "cannot create a temporary file for " + p.string() + ": " + ErrnoText());
    const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written)
        return fail("cannot write");
    // Keep the permissions of the file being replaced.
    std::error_code ec;
    const auto perms = fs::status(p, ec).permissions();
    if (!ec && perms != fs::perms::unknown)
        fs::permissions(tmp, perms, ec);
    if (std::rename(tmp.c_str(), p.c_str()) != 0)
        return fail("cannot replace");
    if (const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
#endif
    return Status::Ok();
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
