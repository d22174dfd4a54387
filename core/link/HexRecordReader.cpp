#include "core/link/HexRecordReader.h"

#include "core/link/DownloadTexts.h"

#include "core/app/TextUtil.h"

#include <string>

namespace lumaro {

namespace {


Status ReadError(std::size_t offset, const char* what)
{
    return Status::Fail(CHexRecordReader::kReadErrorKey, std::string(downloadtext::kReadFileError) + " " +
                                                             what + " at byte " + std::to_string(offset));
}

} // namespace

Result<HexRecord> CHexRecordReader::Next()
{
    const std::size_t at = m_position;
    if (at >= m_file.size())
        return ReadError(at, "no record (the file ends without an end-of-file record)");
    if (m_file.size() - at < 3)
        return ReadError(at, "file ends inside a record's count");
    const int high = HexDigitValue(m_file[at + 1]);
    const int low = HexDigitValue(m_file[at + 2]);
    if (m_file[at] != ':' || high < 0 || low < 0)
        return ReadError(at, "no record start (\":\" and two hexadecimal count digits)");

    const unsigned count = static_cast<unsigned>(high * 16 + low);
    const std::size_t length = RecordLength(count);
    if (m_file.size() - at < length)
        return ReadError(at,
                         ("file ends inside a record of " + std::to_string(length) + " characters").c_str());

    m_position = at + length + 2;
    return HexRecord{m_file.substr(at, length), at, count == 0};
}

std::string FormatHexRecord(std::uint32_t address, std::uint8_t type, const std::vector<std::uint8_t>& data)
{
    static const char* digits = "0123456789ABCDEF";
    std::string text = ":";
    unsigned sum = 0;
    auto put = [&](std::uint8_t b) {
        sum += b;
        text += digits[b >> 4];
        text += digits[b & 15];
    };
    put(std::uint8_t(data.size()));
    put(std::uint8_t(address >> 8 & 0xFF));
    put(std::uint8_t(address & 0xFF));
    put(type);
    for (std::uint8_t b : data)
        put(b);
    const std::uint8_t checksum = std::uint8_t(-sum & 0xFF);
    text += digits[checksum >> 4];
    text += digits[checksum & 15];
    return text + "\r\n";
}

} // namespace lumaro
