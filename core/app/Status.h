#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace lumaro {

// Outcome of a core operation. The core never shows anything: a failure
// carries the language key of the message the GUI shows, and a technical
// detail (what went wrong, and where) for the command line and for tests.
struct Status {
    std::string key;
    std::string detail;
    // What the key's text shows in place of %1, %2, ... (a size, a name).
    std::vector<std::string> args;
    // The detail as the user reads it: the key of its language text, whose
    // placeholders %1, %2 ... take detailValues in order. Empty where the
    // detail is for the command line only.
    std::string detailKey;
    std::vector<std::string> detailValues;

    bool ok() const { return key.empty(); }
    explicit operator bool() const { return ok(); }

    static Status Ok() { return {}; }
    static Status Fail(std::string key, std::string detail = {}, std::vector<std::string> args = {})
    {
        Status s;
        s.key = std::move(key);
        s.detail = std::move(detail);
        s.args = std::move(args);
        return s;
    }
};

// A value or the status that explains why there is none.
template <class T> class Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Status failure) : m_status(std::move(failure)) {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const Status& status() const { return m_status; }

    T& value() & { return *m_value; }
    const T& value() const& { return *m_value; }
    T&& value() && { return std::move(*m_value); }
    T* operator->() { return &*m_value; }
    const T* operator->() const { return &*m_value; }

private:
    std::optional<T> m_value;
    Status m_status;
};

// Message keys of the failures the framework itself reports (read, write,
// failed command); their texts live in the language files like every other.
namespace msgkey {
inline constexpr const char* FileReadError = "FRAMEWORK_FILE_READ_ERROR";
inline constexpr const char* FileWriteError = "FRAMEWORK_FILE_WRITE_ERROR";
inline constexpr const char* FileOpenError = "FRAMEWORK_FILE_OPEN_ERROR";
inline constexpr const char* CommandFailed = "FRAMEWORK_COMMAND_FAILED";
// %1 the installed file, %2 the user's data folder it could not be copied into.
inline constexpr const char* UserDataCopyError = "FRAMEWORK_USER_DATA_COPY_ERROR";
} // namespace msgkey

} // namespace lumaro
