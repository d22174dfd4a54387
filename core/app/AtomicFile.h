#pragma once

#include "core/app/FileSystem.h"
#include "core/app/Status.h"

#include <cstdint>
#include <cstdio>
#include <string_view>

namespace lumaro {

// A file written in parts that replaces `target` only at Commit, so that
// the target holds either its old or its whole new content, never a
// mixture: the parts go to a temporary file in the same folder, which
// Commit flushes to disk and renames over the target. A file never
// committed (a failure, a cancel) is removed with the object.
class CAtomicFile {
public:
    explicit CAtomicFile(fs::path target);
    ~CAtomicFile();
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    // The mark in every temporary file's name: "." + target name + mark +
    // digits. Open removes such files older than a minute from the folder
    // first, the leftovers of a write that was killed half-way.
    static constexpr const char* kTemporaryMark = ".lumaro-tmp";

    Status Open();
    // False once a write has failed; Commit then reports it.
    bool Write(std::string_view bytes);
    // Moves where the next Write goes, counted from the start (a video
    // container fills in its sizes and index at the end); false like Write.
    bool Seek(std::int64_t offset);
    Status Commit();

private:
    static void RemoveLeftovers(const fs::path& folder);
    Status Fail(const char* what);
    void Discard();

    fs::path m_target;
    fs::path m_temporary;
#ifdef _WIN32
    std::FILE* m_file = nullptr;
#else
    int m_fd = -1;
#endif
    bool m_failed = false;
};

} // namespace lumaro
