#pragma once

#include "core/app/Status.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumaro {

// One record of an Intel HEX image as the boot loader receives it: the text
// from ":" up to the checksum, without the line end.
struct HexRecord {
    std::string_view text;
    std::size_t offset = 0; // where the record starts in the file
    bool endOfFile = false; // count digits "00": the last record to send
};

// Walks the records of a HEX file the way the controller's downloader always
// has: the length comes from the two count digits alone, and the next record
// is expected exactly two bytes (CR LF) after the checksum. The reader looks
// at nothing else; a record's checksum is the boot loader's business.
class CHexRecordReader {
public:
    static constexpr const char* kReadErrorKey = "HEXDOWNLOADDLG_ONDOWNLOAD_RFE";

    // The reader keeps a view: file must outlive it.
    explicit CHexRecordReader(std::string_view file) : m_file(file) {}

    // Characters of a record whose count digits give n bytes: colon, count,
    // four address digits, two type digits, 2n data digits, two checksum
    // digits; the end-of-file record ("00") is 11.
    static constexpr std::size_t RecordLength(unsigned count) { return 2 * std::size_t{count} + 11; }

    // The record at the file position, which then moves on by its length
    // plus 2. A file that ends inside a record, or holds no ":" and two
    // hexadecimal digits at the position, gives kReadErrorKey; the position
    // then stays, so a caller that ignores the failure cannot loop for ever
    // on garbage without seeing it again.
    Result<HexRecord> Next();

    // The whole file as the download would send it, checked before anything
    // reaches the controller: every record up to the end record with its
    // CR LF, hexadecimal digits, checksum, a data, end or address type, and
    // data within the 64 KiB code space; after the end record anything may
    // follow (the build's stamp line). kReadErrorKey, with what and where,
    // for the first fault.
    static Status Check(std::string_view file);

    std::size_t Position() const { return m_position; }
    std::size_t FileSize() const { return m_file.size(); }

private:
    std::string_view m_file;
    std::size_t m_position = 0;
};

// One record as an image file holds it: ":", count, 16-bit address, type,
// data and checksum in upper-case hexadecimal, then CR LF.
std::string FormatHexRecord(std::uint32_t address, std::uint8_t type, const std::vector<std::uint8_t>& data);

} // namespace lumaro
