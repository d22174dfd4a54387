#include "core/link/HexRecordReader.h"
#include "core/firmware/ControllerLimits.h"

#include "core/link/DownloadTexts.h"

#include "core/app/TextUtil.h"

#include <string>

namespace lumaro {

namespace {

Status ReadError(std::size_t offset, const char* what)
{
    // Appended piece by piece: GCC 12 warns wrongly about a chain of + on a temporary.
    std::string text(downloadtext::kReadFileError);
    text.append(" ").append(what).append(" at byte ").append(std::to_string(offset));
    return Status::Fail(CHexRecordReader::kReadErrorKey, std::move(text));
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

Status CHexRecordReader::Check(std::string_view file)
{
    CHexRecordReader reader(file);
    for (;;) {
        const Result<HexRecord> next = reader.Next();
        if (!next)
            return next.status();
        const HexRecord& record = next.value();
        const std::string_view text = record.text;
        unsigned sum = 0;
        std::vector<unsigned> bytes;
        for (std::size_t i = 1; i + 1 < text.size(); i += 2) {
            const int high = HexDigitValue(text[i]);
            const int low = HexDigitValue(text[i + 1]);
            if (high < 0 || low < 0)
                return ReadError(record.offset + i, "a character that is no hexadecimal digit");
            bytes.push_back(static_cast<unsigned>(high * 16 + low));
            sum += bytes.back();
        }
        if ((sum & 0xFF) != 0)
            return ReadError(record.offset, "a record whose checksum does not match");
        const unsigned count = bytes[0];
        const unsigned address = bytes[1] << 8 | bytes[2];
        const unsigned type = bytes[3];
        if (record.endOfFile) {
            if (type != 1)
                return ReadError(record.offset, "an empty record before the end record");
            return Status::Ok(); // the stamp line may follow
        }
        if (type == 0) {
            if (address + count > controller::kCodeSpace)
                return ReadError(record.offset, "data beyond the 64 KiB code space");
        } else if (type == 2 || type == 4) {
            // A segment or upper address other than 0 leaves the code space.
            if (count != 2 || bytes[4] != 0 || bytes[5] != 0)
                return ReadError(record.offset, "an address beyond the 64 KiB code space");
        } else if (type != 3 && type != 5) {
            return ReadError(record.offset, "a record of an unknown type");
        }
        const std::size_t end = record.offset + text.size();
        if (file.substr(end, 2) != "\r\n")
            return ReadError(end, "a record not ended by CR LF");
    }
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
