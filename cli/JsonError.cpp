#include "cli/JsonError.h"

namespace lumaro::cli {

namespace {

std::string Describe(const Json& v)
{
    switch (v.type()) {
    case Json::value_t::number_float:
        return "the real " + v.dump();
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned:
        return "the integer " + v.dump();
    case Json::value_t::string:
        return "the string " + v.dump();
    case Json::value_t::object:
        return "an object";
    case Json::value_t::array:
        return "an array";
    default: // true, false, null
        return v.dump();
    }
}

} // namespace

std::string KeyPath(std::string_view parent, std::string_view key)
{
    if (parent.empty())
        return std::string(key);
    std::string path(parent);
    path += '.';
    path += key;
    return path;
}

std::string IndexPath(std::string_view parent, std::size_t index)
{
    return std::string(parent) + '[' + std::to_string(index) + ']';
}

void FailAt(std::string_view path, std::string_view what)
{
    std::string message = path.empty() ? std::string("the top level") : std::string(path);
    message += ": ";
    message += what;
    throw CJsonError(message);
}

void FailType(const Json& value, std::string_view path, std::string_view expected)
{
    FailAt(path, "expected " + std::string(expected) + ", got " + Describe(value));
}

} // namespace lumaro::cli
