#pragma once
// What the probability engine's fuzz targets do with one input, shared with the test that replays
// their seed corpora. Every input is written into a scratch data folder and read by the engine's
// own file code in play mode: main data files ("data.0.paf"), and timed bonus files (a key=value
// header and a play chunk).
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "CXProb.h"
#include "support/temp_folder.h"

namespace prob_fuzz {

class Harness {
public:
    // The input is the main data file. The engine's settings take the rate, check and mode bytes
    // of its header, so that the rest of the file is read too; then events are asked for at a few
    // cursors, in play and in demo mode.
    void MainData(const uint8_t* data, size_t size)
    {
        Reset();
        Write("data/data.0.paf", data, size);
        CXProb prob;
        Configure(prob);
        if (size >= CXProb::kMainHeaderSize) {
            const uint32_t bits = uint32_t(data[12]) | uint32_t(data[13]) << 8 |
                                  uint32_t(data[14]) << 16 | uint32_t(data[15]) << 24;
            std::memcpy(&prob.m_Setting.fRate, &bits, sizeof bits);
            prob.m_Setting.byCheck = data[16];
            prob.m_byMode = data[17];
        }
        prob.LoadMainData();
        Ask(prob);
    }

    // The first byte is the length of the bonus header text that follows it; the rest of the
    // input is the bonus data. Both are named for key 1 and delay 0; the main data is a valid
    // file of 150 events.
    void Bonus(const uint8_t* data, size_t size)
    {
        Reset();
        const size_t header = size ? std::min<size_t>(data[0], size - 1) : 0;
        Write("data/bonush_1_0.sav", data + (size ? 1 : 0), header);
        Write("data/bonusd_1_0.sav", data + (size ? 1 + header : 0), size ? size - 1 - header : 0);
        const std::string main = ValidMainData(150);
        Write("data/data.0.paf", reinterpret_cast<const uint8_t*>(main.data()), main.size());
        CXProb prob;
        Configure(prob);
        if (!prob.LoadMainData())
            return;
        Ask(prob);
        prob.CheckBonusData();
    }

private:
    void Reset()
    {
        std::error_code ignored;
        for (const char* sub : {"data", "backup", "log"}) {
            std::filesystem::remove_all(m_folder.Path() / sub, ignored);
            std::filesystem::create_directories(m_folder.Path() / sub, ignored);
        }
    }

    void Write(const std::string& name, const uint8_t* data, size_t size)
    {
        m_folder.Write(name, std::string_view(reinterpret_cast<const char*>(data), size));
    }

    void Configure(CXProb& prob)
    {
        prob.m_strDataFolder = (m_folder.String() + "/data").c_str();
        prob.m_strBackupFolder = (m_folder.String() + "/backup").c_str();
        prob.m_strLogFolder = (m_folder.String() + "/log").c_str();
        for (int r = 0; r < 4; ++r)
            for (uint8_t s = 0; s < 5; ++s)
                prob.m_Reel[r].SetAt(s, uint8_t(s * 3));
        // Amending is on, with a prize no table can make, so its failure path is reached too.
        prob.m_wAmendThreshold = 1;
        prob.m_byAmendPercent = 100;
        prob.m_AmendPrize.SetAt(0, 300);
    }

    static void Ask(CXProb& prob)
    {
        CXProbDataInfo out;
        for (uint32_t cursor : {0u, 2u, 101u, 150u, 151u, 4000u, 0xFFFFFFFFu}) {
            prob.m_dwPlayCursor = cursor;
            prob.GetEventData(&out, false);
        }
        prob.GetEventData(&out, true);
    }

    static std::string ValidMainData(uint32_t count)
    {
        std::string s;
        auto put32 = [&](uint32_t v) {
            for (int i = 0; i < 4; ++i)
                s += char(uint8_t(v >> (8 * i)));
        };
        put32(CXProb::kMagic);
        put32(count);
        put32(1);
        put32(0);
        s += '\0';
        s += '\0';
        for (uint32_t i = 1; i <= count + 1; ++i) {
            CXProbDataInfo r;
            r.m_dwMakeNo = 1;
            r.m_dwEventNo = i;
            r.m_byBlockStart = (i - 1) % 100 == 0;
            uint8_t bytes[CXProbDataInfo::kSize];
            r.Write(bytes);
            s.append(reinterpret_cast<const char*>(bytes), sizeof bytes);
        }
        return s;
    }

    TempFolder m_folder{"prob_fuzz"};
};

// The harness of a fuzz target's process, started on first use and kept to the end.
inline Harness& Shared()
{
    static Harness* harness = new Harness;
    return *harness;
}

}  // namespace prob_fuzz
