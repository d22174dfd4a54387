#include "core/link/ReplyScanner.h"

#include <gtest/gtest.h>

using namespace lumaro;

namespace {
const std::string kRecord = ":0100000307F5";
}

TEST(ReplyScanner, AnswerAfterTheEchoWhereverTheBlocksAreCut)
{
    const std::string received = kRecord + ".U";
    for (std::size_t cut = 0; cut <= received.size(); ++cut) {
        CReplyScanner scanner;
        scanner.Begin(kRecord, CReplyScanner::Rule::AfterEcho);
        const auto first = scanner.Add(received.substr(0, cut));
        EXPECT_EQ(first.has_value(), cut > kRecord.size()) << cut;
        EXPECT_EQ(scanner.Add(received.substr(cut)), '.') << cut;
    }
    CReplyScanner byteWise;
    byteWise.Begin(kRecord, CReplyScanner::Rule::AfterEcho);
    for (char c : kRecord)
        EXPECT_FALSE(byteWise.Add(std::string(1, c)));
    EXPECT_EQ(byteWise.Add("X."), 'X'); // the first byte after the echo counts, later ones do not
    EXPECT_EQ(byteWise.Add("."), 'X');
}

TEST(ReplyScanner, WithoutAnEchoTheFirstByteIsTheAnswer)
{
    CReplyScanner scanner;
    scanner.Begin(kRecord, CReplyScanner::Rule::AfterEcho);
    EXPECT_EQ(scanner.Add("."), '.');

    scanner.Begin(kRecord, CReplyScanner::Rule::AfterEcho); // Begin forgets the last send
    EXPECT_FALSE(scanner.Add(":0100"));
    EXPECT_EQ(scanner.Add("99"), ':'); // not the echo after all

    scanner.Begin("U", CReplyScanner::Rule::FirstByte);
    EXPECT_FALSE(scanner.Add(""));
    EXPECT_EQ(scanner.Add("U."), 'U');
}
