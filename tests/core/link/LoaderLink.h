#pragma once

#include "core/link/BootLoaderModel.h"
#include "core/link/HexDownload.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lumaro::test {

// One Intel HEX record with its checksum, upper-case, without line end.
inline std::string HexRecordText(std::uint16_t address, std::uint8_t type,
                                 const std::vector<std::uint8_t>& data)
{
    static const char* digits = "0123456789ABCDEF";
    std::vector<std::uint8_t> bytes{static_cast<std::uint8_t>(data.size()),
                                    static_cast<std::uint8_t>(address >> 8),
                                    static_cast<std::uint8_t>(address & 0xFF), type};
    bytes.insert(bytes.end(), data.begin(), data.end());
    unsigned sum = 0;
    for (auto b : bytes)
        sum += b;
    bytes.push_back(static_cast<std::uint8_t>(-sum & 0xFF));
    std::string text = ":";
    for (auto b : bytes) {
        text += digits[b >> 4];
        text += digits[b & 15];
    }
    return text;
}

// count data records of 16 bytes from address 0, then the end-of-file record.
inline std::vector<std::string> SampleRecords(int count)
{
    std::vector<std::string> records;
    for (int r = 0; r < count; ++r) {
        std::vector<std::uint8_t> data;
        for (int i = 0; i < 16; ++i)
            data.push_back(static_cast<std::uint8_t>(r * 16 + i + 1));
        records.push_back(HexRecordText(static_cast<std::uint16_t>(r * 16), 0, data));
    }
    records.push_back(":00000001FF");
    return records;
}

inline std::string HexFile(const std::vector<std::string>& records)
{
    std::string file;
    for (const auto& r : records)
        file += r + "\r\n";
    return file;
}

// A serial port wired to a boot-loader model, a virtual clock and a dialog
// that records what it is told. Run is the event loop: it hands over each
// block the loader sends when it is due and wakes the download at its
// deadline, moving the clock straight there.
class LoaderLink : public ILinkTransport, public ILinkClock, public IDownloadListener {
public:
    explicit LoaderLink(CBootLoaderModel::Faults faults = {}) : model(faults) {}

    Status Send(std::string_view bytes) override
    {
        sends.emplace_back(bytes);
        sendTimes.push_back(now);
        if (lineCut)
            return Status::Ok();
        model.Receive(bytes, now);
        if (deliverInsideSend) // a port that calls back before its write returns
            while (auto block = model.TakeBlock(now))
                download.OnBytesReceived(*block);
        return Status::Ok();
    }
    void DiscardInput() override { model.DropPending(); }
    std::int64_t NowMs() const override { return now; }
    void WakeAt(std::int64_t atMs) override { wake = atMs; }
    void OnMessage(std::string_view text) override { messages.emplace_back(text); }
    void OnProgress(std::size_t sent, std::size_t total) override
    {
        progress.push_back(sent);
        progressTotal = total;
    }
    void OnFinished(const Status& s) override { outcome = s; }

    Status Download(const std::string& hex, CHexDownload::Options options = {})
    {
        EXPECT_TRUE(download.Start(hex, options).ok());
        Run();
        return outcome;
    }

    // Until the download ends or stop says so, before the next event.
    void Run(const std::function<bool()>& stop = {})
    {
        for (int steps = 0; download.Running() && steps < 1'000'000; ++steps) {
            if (stop && stop())
                return;
            const auto due = model.NextBlockMs();
            if (due && (!wake || *due <= *wake)) {
                now = std::max(now, *due);
                download.OnBytesReceived(*model.TakeBlock(now));
            } else if (wake) {
                now = std::max(now, *std::exchange(wake, std::nullopt));
                download.OnTimer();
            } else {
                ADD_FAILURE() << "the download waits for nothing";
                return;
            }
        }
    }

    int Count(std::string_view sent) const
    {
        return static_cast<int>(std::count(sends.begin(), sends.end(), sent));
    }

    CBootLoaderModel model;
    CHexDownload download{*this, *this, *this};
    bool deliverInsideSend = false;
    bool lineCut = false; // sends from now on never reach the loader
    std::int64_t now = 0;
    std::optional<std::int64_t> wake;
    std::vector<std::string> sends;
    std::vector<std::int64_t> sendTimes;
    std::vector<std::string> messages;
    std::vector<std::size_t> progress;
    std::size_t progressTotal = 0;
    Status outcome = Status::Fail("not finished");
};

} // namespace lumaro::test
