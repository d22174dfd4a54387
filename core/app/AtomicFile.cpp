#include "core/app/AtomicFile.h"

#include "core/app/TextUtil.h"

#include <cerrno>
#include <chrono>
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

namespace {

std::string ErrnoText()
{
    return std::strerror(errno);
}

} // namespace

CAtomicFile::CAtomicFile(fs::path target) : m_target(std::move(target)) {}

CAtomicFile::~CAtomicFile()
{
    Discard();
}

void CAtomicFile::Discard()
{
#ifdef _WIN32
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
#else
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
#endif
    if (!m_temporary.empty()) {
        std::error_code ec;
        fs::remove(m_temporary, ec);
        m_temporary.clear();
    }
}

Status CAtomicFile::Fail(const char* what)
{
    const std::string detail = std::string(what) + " " + m_target.string() + ": " + ErrnoText();
    Discard();
    return Status::Fail(msgkey::FileWriteError, detail);
}

void CAtomicFile::RemoveLeftovers(const fs::path& folder)
{
    // A minute: no write of ours takes that long, so a file that old is
    // no other write's in progress.
    const auto before = fs::file_time_type::clock::now() - std::chrono::minutes(1);
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const std::size_t mark = name.rfind(kTemporaryMark);
        if (name.empty() || name[0] != '.' || mark == std::string::npos)
            continue;
        const std::string digits = name.substr(mark + std::strlen(kTemporaryMark));
        if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::error_code own;
        if (it->is_regular_file(own) && it->last_write_time(own) < before && !own)
            fs::remove(it->path(), own);
    }
}

Status CAtomicFile::Open()
{
    const fs::path dir = m_target.has_parent_path() ? m_target.parent_path() : fs::path(".");
    RemoveLeftovers(dir);
    std::random_device rd;
    m_temporary =
        dir / ("." + m_target.filename().string() + kTemporaryMark + std::to_string(rd() % 1000000));
#ifdef _WIN32
    m_file = _wfopen(m_temporary.c_str(), L"wb");
    if (!m_file) {
        m_temporary.clear();
        return Fail("cannot create a temporary file for");
    }
#else
    m_fd = ::open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (m_fd < 0) {
        m_temporary.clear();
        return Fail("cannot create a temporary file for");
    }
#endif
    return Status::Ok();
}

bool CAtomicFile::Write(std::string_view bytes)
{
    if (m_failed)
        return false;
#ifdef _WIN32
    m_failed = !m_file || std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size();
#else
    while (!m_failed && !bytes.empty()) {
        const ssize_t n = m_fd < 0 ? -1 : ::write(m_fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            m_failed = true;
            break;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
#endif
    return !m_failed;
}

bool CAtomicFile::Seek(std::int64_t offset)
{
    if (m_failed)
        return false;
#ifdef _WIN32
    m_failed = !m_file || offset < 0 || _fseeki64(m_file, offset, SEEK_SET) != 0;
#else
    m_failed = m_fd < 0 || offset < 0 || ::lseek(m_fd, static_cast<off_t>(offset), SEEK_SET) != offset;
#endif
    return !m_failed;
}

Status CAtomicFile::Commit()
{
#ifdef _WIN32
    if (!m_file)
        return Fail("cannot write");
    const bool written = !m_failed && std::fflush(m_file) == 0 && _commit(_fileno(m_file)) == 0;
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    if (!closed || !written)
        return Fail("cannot write");
    if (!MoveFileExW(m_temporary.c_str(), m_target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return Fail("cannot replace");
#else
    if (m_fd < 0)
        return Fail("cannot write");
    const bool written = !m_failed && ::fsync(m_fd) == 0;
    const bool closed = ::close(m_fd) == 0;
    m_fd = -1;
    if (!closed || !written)
        return Fail("cannot write");
    // Keep the permissions of the file being replaced.
    std::error_code ec;
    const auto perms = fs::status(m_target, ec).permissions();
    if (!ec && perms != fs::perms::unknown)
        fs::permissions(m_temporary, perms, ec);
    if (std::rename(m_temporary.c_str(), m_target.c_str()) != 0)
        return Fail("cannot replace");
    const fs::path dir = m_target.has_parent_path() ? m_target.parent_path() : fs::path(".");
    if (const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
#endif
    m_temporary.clear();
    return Status::Ok();
}

} // namespace lumaro
