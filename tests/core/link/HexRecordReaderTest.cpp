#include "core/link/HexRecordReader.h"

#include <gtest/gtest.h>

using namespace lumaro;

TEST(HexRecordReader, EndOfFileRecordAlone)
{
    CHexRecordReader reader(":00000001FF\r\n");
    const auto record = reader.Next();
    ASSERT_TRUE(record.ok());
    EXPECT_EQ(record->text, ":00000001FF");
    EXPECT_TRUE(record->endOfFile);
    EXPECT_EQ(reader.Position(), 13u);
    EXPECT_EQ(reader.Next().status().key, CHexRecordReader::kReadErrorKey); // nothing after it
}

TEST(HexRecordReader, LengthComesFromTheCountDigitsInEitherCase)
{
    const std::string r16 = ":10000000" + std::string(32, '0') + "F0";
    const std::string r26 = ":1A001000" + std::string(52, 'A') + "00";
    const std::string lower = ":1a002000" + std::string(52, 'b') + "00";
    const std::string file = r16 + "\r\n" + r26 + "\r\n" + lower + "\r\n:00000001FF\r\n";
    CHexRecordReader reader(file);

    auto record = reader.Next();
    EXPECT_EQ(record->text, r16);
    EXPECT_EQ(record->text.size(), 43u);
    EXPECT_FALSE(record->endOfFile);
    EXPECT_EQ(reader.Position(), 45u);
    EXPECT_EQ(reader.Next()->text.size(), 63u);
    record = reader.Next();
    EXPECT_EQ(record->text, lower);
    EXPECT_EQ(record->offset, 45u + 65u);
    EXPECT_TRUE(reader.Next()->endOfFile);
}

TEST(HexRecordReader, ShortOrGarbledFilesFailWithoutMoving)
{
    for (const char* file :
         {"", ":1", ":10000000FF\r\n", "hello world\r\n", ":G0000000\r\n", "\r\n:00000001FF"}) {
        CHexRecordReader reader(file);
        const auto record = reader.Next();
        EXPECT_FALSE(record.ok()) << file;
        EXPECT_EQ(record.status().key, CHexRecordReader::kReadErrorKey);
        EXPECT_EQ(record.status().detail.rfind("Read File Error!", 0), 0u);
        EXPECT_EQ(reader.Position(), 0u);
    }
    // Line ends other than CR LF put the next read off the record start.
    CHexRecordReader lf(":00000000FF\n:00000001FF\n");
    ASSERT_TRUE(lf.Next().ok());
    EXPECT_FALSE(lf.Next().ok());
}

TEST(HexRecordFormat, WritesWhatTheReaderWalks)
{
    EXPECT_EQ(lumaro::FormatHexRecord(0x0010, 0, {}), ":00001000F0\r\n");
    EXPECT_EQ(lumaro::FormatHexRecord(0, 1, {}), ":00000001FF\r\n");
    EXPECT_EQ(lumaro::FormatHexRecord(0x1234, 0, {0xAB, 0x01}), ":02123400AB010C\r\n");
}
