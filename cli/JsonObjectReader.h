#pragma once

#include "cli/JsonError.h"

#include <string>
#include <string_view>
#include <vector>

namespace lumaro::cli {

// Hands out the members of one JSON object by key and remembers which were
// asked for, so that a key nobody reads, most likely a typo, can be refused
// instead of being dropped without a word.
class CJsonObjectReader {
public:
    // Refuses a value that is not an object.
    CJsonObjectReader(const Json& object, std::string path);

    // The member, or nullptr when the key is absent.
    const Json* Take(std::string_view key);
    // The member; an absent key is refused.
    const Json& Require(std::string_view key);

    std::string PathOf(std::string_view key) const { return KeyPath(m_path, key); }

    // Refuses the first key, in the object's order, that was not taken.
    void RejectUnknownKeys() const;

private:
    const Json& m_object;
    std::string m_path;
    std::vector<std::string_view> m_taken; // views of the object's own keys
};

} // namespace lumaro::cli
