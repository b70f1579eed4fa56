#pragma once
// The cabinet's operator bookkeeping screen: account counters, date and time and the machine
// number drawn with a digit font at configured places, and a small menu stepped through with keys
// or cabinet switches to clear the counters or set the machine number (which rewrites the
// machine-number marker file).

#include <cstdint>
#include <functional>
#include <vector>

#include "CX2DAnimation.h"
#include "CX2DSceneObject.h"
#include "CXArrayTmpl.h"
#include "CXMemoryPoolTmpl.h"
#include "CXString.h"

class CX2DFileConfig;
class CXBoardSerialComm;
class CXSceneGAME_LoadSave;

// What the accounts scene asks of the game it belongs to.
class CXSceneAccountHost {
public:
    virtual ~CXSceneAccountHost() = default;
    virtual uint32_t GetTimeMs() const = 0;
    // The game scene's cabinet layer (switch states and latches) and persistence (account
    // counters, REEL_MODE, the marker folder).
    virtual CXBoardSerialComm* GetCabinet() = 0;
    virtual CXSceneGAME_LoadSave* GetSaveData() = 0;
    // The game scene's account snapshot save (0 in demo mode).
    virtual int SaveAccountsData() = 0;
    virtual int32_t GetMachineNumber() const = 0;
    virtual void SetMachineNumber(int32_t iNumber) = 0;
    virtual void SetAccountsDisplay(int32_t iFlag) = 0;
    // Returns to the previous scene.
    virtual void LeaveAccounts() = 0;
};

// One text slot.
class t_NumPos {
public:
    CX_DECLARE_MEMORY_POOL(t_NumPos)
    virtual ~t_NumPos() = default;
    int32_t m_iX = 0;
    int32_t m_iY = 0;
    CXString m_strText{"0"};
};

// One image.
class CXDrawAccountInfo {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawAccountInfo)
    virtual ~CXDrawAccountInfo() = default;
    int32_t m_iX = 0;
    int32_t m_iY = 0;
    CX2DAnimation m_Animation;
};

// One character of a number text: the digit font's frame and its x offset from the slot.
struct CXNumberGlyph {
    int nFrame;
    float fX;
};

class CXSceneAccount : public CX2DSceneObject {
public:
    CX_DECLARE_MEMORY_POOL(CXSceneAccount)

    enum : int {
        STATE_MENU = 1,
        STATE_CLEAR = 2,
        STATE_3 = 3,
        STATE_MACHINE_NUMBER = 4,
        STATE_5 = 5,
        STATE_6 = 6,
        STATE_7 = 7,
    };
    static constexpr int kFirstDateSlot = 25;  // year, month, day, hour, minute, second
    static constexpr int kMachineNumberSlot = 36;
    static constexpr int kFirstDrawnSlot = 18;
    static constexpr int kShortEntryMax = 10;
    static constexpr int kLongEntryMax = 100;
    static constexpr uint32_t kSwitchRepeatMs = 300;
    static constexpr int kMachineNumberMin = 1;
    static constexpr int kMachineNumberMax = 999;
    // Counts read from the configuration are clamped to these.
    static constexpr int kMaxFrames = 99;
    static constexpr int kMaxLines = 99;
    static constexpr int kMaxSlots = 256;
    static constexpr int kWindowStep = 32;

    explicit CXSceneAccount(CXSceneAccountHost* pHost);
    ~CXSceneAccount() override;

    // Once: sets the accounts-display flag, reads "/image/account/account.cfg" from the resource
    // folder, then state 1 with item 2 selected. Later calls do nothing. Returns 1.
    int Init(void* owner) override;
    // One frame: input (keys, switches, typing), the clock's text slots, drawing.
    int Process(HTARGET target) override;

    void SelectPrev();
    void SelectNext();
    void SelectItem();

    // One key pressed (a virtual-key code): the menu keys 'D', 'F', 'E', typing in states 4 and
    // 5, the arrow keys (which move the program's window by kWindowStep).
    void OnKey(int nKey, bool bShift);
    // The cabinet switches while they serve the menu: held switch 3 previous, held switch 1 next
    // (once when pressed, then every kSwitchRepeatMs), latch 2 select.
    void PollSwitches();
    // The local time into the date slots.
    void UpdateClock();

    const char* GetSlotText(int nSlot) const;

    // Places a number text with the digit font (frames 0-9 digits, 10 ',', 11 '.', 12 '*', 13 '-';
    // other characters are skipped): digits, '*' and '-' advance by their frame's width x scale;
    // ',' and '.' sit a quarter of that width earlier and advance by half of it.
    static std::vector<CXNumberGlyph> LayoutNumberText(const char* pszText,
                                                       const std::function<float(int)>& frameWidth,
                                                       float fScale);

    int32_t m_bPrevPressed = 0;
    int32_t m_bNextPressed = 0;
    uint32_t m_dwPrevRepeat = 0;
    uint32_t m_dwNextRepeat = 0;
    CXSceneAccountHost* m_pHost;
    CXString m_strShortEntry;
    int32_t m_iShortCount = 0;
    CXString m_strLongEntry;
    int32_t m_iLongCount = 0;
    int32_t m_iBaseX = 0;
    int32_t m_iBaseY = 0;
    int32_t m_iEntryX = 0;
    int32_t m_iEntryY = 0;
    int32_t m_iState = 0;
    int32_t m_iSelection = 0;
    float m_fDigitScale = 1.0f;
    CXArrayTmpl<t_NumPos> m_Numbers;
    CXArrayTmpl<CXDrawAccountInfo> m_Frames;
    CX2DAnimation m_DigitFont;
    uint8_t m_bLoaded = 0;

private:
    void LoadConfig();
    void LoadFrames(CX2DFileConfig& config);
    void LoadNumberSlots(CX2DFileConfig& config);
    void SetSlotText(int nSlot, const char* pszText);
    void SetMachineNumberSlot();
    void ChangeMachineNumber(int nDelta);
    // One item back (-1) or on (+1): the menu's items in a ring, the machine number down or up, or
    // the other of the state's two choices.
    void MoveSelection(int nDirection);
    void ClearAccounts();
    void StoreMachineNumber();
    void Type(char c);
    void Draw();
    void DrawFrame(int nIndex);
    void DrawNumberText(const t_NumPos& slot, float fScale);
};
