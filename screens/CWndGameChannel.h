#pragma once
// The channel page of one game type in the machine selection dialog: one radio button per channel
// of 50 machines, and 50 machine buttons showing the machines of the chosen channel. The server's
// machine list fills the page; a click on a free machine asks the server for it.

#include <cstdint>
#include <vector>

#include "CDXWnd.h"

class CDXRadioButton;
class CRdoMachine;

// One machine of the list: (0, -1, 0) until the server sends it.
struct CChannelMachine {
    int32_t nGameType = 0;
    int32_t nMachineNo = -1;
    int32_t nFree = 0;  // non-zero: free
};

class CWndGameChannel : public CDXWnd {
public:
    static constexpr int kMachinesPerChannel = 50;
    static constexpr int kDefaultMachineCount = 1000;
    static constexpr int kChannelsPerRow = 13;
    // Each type has 27 channel-button ids before the next type's; two rows of buttons fit above
    // the machine grid. A longer list keeps its machines, but only these channels get a button.
    static constexpr int kChannelIdsPerType = 27;
    static constexpr int kMaxChannelButtons = 2 * kChannelsPerRow;
    static constexpr uint32_t kTakenDigitColour = 0xFF404040;
    static constexpr uint32_t kFreeDigitColour = 0xFFFFFFFF;
    static constexpr uint32_t kChannelCaptionColour = 0xFFE6E6E6;

    // A page of game type 1..4 with id 88 + type; built with its 50 hidden machine buttons.
    bool Create(int32_t nGameType, CDXWnd* parent, int x, int y, int width, int height);

    // The server's list begins: the count (negative as 0), a list of that many unsent entries, and
    // the channel buttons rebuilt.
    void BeginList(int32_t nCount);
    // Entry machine - 1 := (this page's type, machine, free); numbers outside 1..count are ignored.
    void SetEntry(int32_t nMachineNo, int32_t nFree);
    // The machine is no longer free (it was given to the player); false outside 1..count.
    bool MarkTaken(int32_t nMachineNo);
    // Deletes the channel buttons and makes ceiling(count / 50) of them (at most the maximum).
    void BuildChannelButtons();
    // The machine buttons show machines first .. first + 49; those past the count are hidden.
    void ShowMachines(int32_t nFirst);
    // Channel 0 selected and shown, when there are channel buttons.
    void SelectFirstChannel();

    void OnShow(bool show) override;
    void OnRadioSelect(int id) override;

    int32_t GetGameType() const { return m_nGameType; }
    int32_t GetMachineCount() const { return m_nMachineCount; }
    int32_t GetSelectedChannel() const { return m_nSelectedChannel; }
    const std::vector<CDXRadioButton*>& GetChannelButtons() const { return m_ChannelButtons; }
    CRdoMachine* GetMachineButton(int i) const { return m_MachineButtons[static_cast<size_t>(i)]; }
    const std::vector<CChannelMachine>& GetMachineList() const { return m_MachineList; }
    int GetFirstChannelId() const { return m_nFirstChannelId; }
    int GetLastChannelId() const { return m_nLastChannelId; }
    int GetFirstMachineId() const { return m_nFirstMachineId; }
    int GetLastMachineId() const { return m_nLastMachineId; }

    // The ids of a type's page, channel buttons and machine buttons.
    static int PageId(int32_t nGameType) { return 88 + nGameType; }
    static int ChannelBaseId(int32_t nGameType)
    {
        return 94 + (nGameType - 1) * kChannelIdsPerType;
    }
    static int MachineBaseId(int32_t nGameType)
    {
        return 202 + (nGameType - 1) * (kMachinesPerChannel + 1);
    }

private:
    void DeleteChannelButtons();
    void SelectMachine(const CRdoMachine& button);

    int32_t m_nGameType = 0;
    int32_t m_nMachineCount = kDefaultMachineCount;
    int32_t m_nSelectedChannel = 0;
    std::vector<CDXRadioButton*> m_ChannelButtons;  // children
    std::vector<CRdoMachine*> m_MachineButtons;     // children
    std::vector<CChannelMachine> m_MachineList;
    int m_nFirstChannelId = -1;
    int m_nLastChannelId = -1;
    int m_nFirstMachineId = -1;
    int m_nLastMachineId = -1;
};
