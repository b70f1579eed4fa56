#pragma once
// What the cabinet fuzz targets do with one input, shared with the test that replays their seed
// corpora: board bytes through the frame protocol, snapshot texts through the snapshot reader
// (from memory and from the files of a scratch folder), setting files and "game.paf" through
// their readers.
// Each checks the bounds the readers promise and aborts when one is broken.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "CXAutoLock.h"
#include "CXBoardSerialComm.h"
#include "CXGamePaf.h"
#include "CXSceneGAME_LoadSave.h"
#include "CXSettingFiles.h"
#include "CXSnapshotFile.h"
#include "CXStringIndex.h"
#include "support/temp_folder.h"

namespace cabinet_fuzz {

class Harness {
public:
    Harness() { m_save.m_bOnline = 0; }

    // Board bytes: the first byte of each round picks how many of the following bytes arrive at
    // once and whether the step is a plain one or an answer wait for a command.
    void BoardFrames(const uint8_t* data, size_t size)
    {
        CXBoardSerialComm comm(&m_game);
        static const char* const kCommands[] = {"g001\r", "L501\r", "e001\r", "x000\r"};
        size_t at = 0;
        while (at < size) {
            const uint8_t control = data[at++];
            const size_t n = std::min<size_t>(size - at, size_t(control & 0x3F) + 1);
            comm.OnReceive(reinterpret_cast<const char*>(data + at), int(n));
            at += n;
            if (control & 0x40) {
                comm.OnProcess(0);
                comm.OnResponse(kCommands[control >> 7 | ((control & 1) << 1)], 5);
            } else {
                comm.OnProcess(1);
            }
            m_game.m_dwNow += control;
            if (comm.m_dwReceiveCount > CXBoardSerialComm::kReceiveSize)
                std::abort();
            CXAutoLock lock(comm.m_ReadQueue);
            if (comm.m_ReadQueue.m_Data.GetCount() > CXBoardSerialComm::kMaxReadQueue)
                std::abort();
            for (auto* p = comm.m_ReadQueue.m_Data.m_pHead; p; p = p->m_pNext)
                if (p->m_pData->m_dwLength > CXSerialCommReadBufferInfo::kMaxLength)
                    std::abort();
        }
        for (int i = 0; i < CXBoardSerialComm::kSwitchCount; ++i)
            if (comm.m_bySwitch[i].load() > 1 || comm.m_bySwitchLatch[i].load() > 1)
                std::abort();
        comm.TakeCreditInput();
    }

    // A snapshot text: read from memory, then as the newest of the account and reel files.
    void Snapshot(const uint8_t* data, size_t size)
    {
        CXFileConfig config;
        if (CXSnapshotFile::ReadSnapshot(data, size, &config))
            CXSnapshotFile::SnapshotKey(config);
        const std::string text(reinterpret_cast<const char*>(data), size);
        m_folder.Write("__ACCOUNT_DATA_1__", text);
        m_folder.Write("__REEL_DATA_2__", text);
        m_save.LoadAccountsData();
        m_save.CheckReelData();
    }

    void Setting(const uint8_t* data, size_t size)
    {
        int32_t value = 0;
        CXSettingFiles::ParseValue(data, size, &value);
        const std::string text(reinterpret_cast<const char*>(data), size);
        m_folder.Write("__AUTO_GIFT_COME_DISABLE__", text);
        m_folder.Write("__HIGH_EFFECT_MODE__", text);
        CXSettingValues values;
        CXSettingFiles::Load(m_folder.Slashed(), &values);
        if (values.iAutoGiftMode < 0 || values.iAutoGiftMode > CXSettingFiles::kMaxAutoGiftMode)
            std::abort();
    }

    // A "game.paf": from memory, then from a file; the repeat index stays within its bound.
    void GamePaf(const uint8_t* data, size_t size)
    {
        for (int pass = 0; pass < 2; ++pass) {
            CXHighPrizeRule rule;
            CXStringIndex index;
            if (pass == 0) {
                CXGamePaf::Read(data, size, &rule, &index);
            } else {
                m_folder.Write("game.paf", std::string(reinterpret_cast<const char*>(data), size));
                CXGamePaf::Load(m_folder.Slashed() + "game.paf", &rule, &index);
            }
            if (rule.nRepeatValues > CXGamePaf::kMaxRepeatValues ||
                index.GetCount() > uint32_t(rule.nRepeatValues))
                std::abort();
        }
    }

private:
    class Game : public CXCabinetGame {
    public:
        uint32_t GetTimeMs() const override { return m_dwNow; }
        int SaveGameData() override { return 1; }
        uint32_t m_dwNow = 1000;
    };

    Game m_game;
    TempFolder m_folder{"cabinet_fuzz"};
    CXSceneGAME_LoadSave m_save{m_folder.Slashed(), m_folder.Slashed()};
};

inline Harness& Shared()
{
    static Harness harness;
    return harness;
}

}  // namespace cabinet_fuzz
