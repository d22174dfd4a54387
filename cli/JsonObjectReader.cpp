#include "cli/JsonObjectReader.h"

#include <algorithm>
#include <utility>

namespace lumaro::cli {

CJsonObjectReader::CJsonObjectReader(const Json& object, std::string path)
    : m_object(object), m_path(std::move(path))
{
    if (!m_object.is_object())
        FailType(m_object, m_path, "an object");
}

const Json* CJsonObjectReader::Take(std::string_view key)
{
    const auto it = m_object.find(key);
    if (it == m_object.end())
        return nullptr;
    m_taken.push_back(it.key());
    return &it.value();
}

const Json& CJsonObjectReader::Require(std::string_view key)
{
    const Json* member = Take(key);
    if (!member)
        FailAt(PathOf(key), "missing key");
    return *member;
}

void CJsonObjectReader::RejectUnknownKeys() const
{
    if (m_taken.size() == m_object.size())
        return;
    for (auto it = m_object.begin(); it != m_object.end(); ++it)
        if (std::find(m_taken.begin(), m_taken.end(), it.key()) == m_taken.end())
            FailAt(PathOf(it.key()), "unknown key");
}

} // namespace lumaro::cli
