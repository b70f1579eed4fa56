#include "CXSceneAccount.h"

#include <cstdio>

#include "CX2DEngine.h"
#include "CX2DFileConfig.h"
#include "CXBoardSerialComm.h"
#include "CXGfxDevice.h"
#include "CXLog.h"
#include "CXMarkerFiles.h"
#include "CXSceneGAME_LoadSave.h"
#include "CXStringParser.h"
#include "platform/clock.h"
#include "platform/keys.h"
#include "platform/window.h"

namespace {

// The state's own frame (images by index; 0 = none).
int StateFrame(int nState)
{
    static const int kFrames[] = {0, 0, 10, 6, 11, 8, 7, 9};
    return nState >= 0 && nState < int(std::size(kFrames)) ? kFrames[nState] : 0;
}

// The menu's items, selected in turn by the previous and next keys.
constexpr int kFirstMenuItem = 2;
constexpr int kLastMenuItem = 5;

int Toggle(int nSelection, int a, int b)
{
    return nSelection == a ? b : a;
}

int DigitFrame(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    switch (c) {
    case ',':
        return 10;
    case '.':
        return 11;
    case '*':
        return 12;
    case '-':
        return 13;
    default:
        return -1;
    }
}

}  // namespace

CXSceneAccount::CXSceneAccount(CXSceneAccountHost* pHost) : m_pHost(pHost) {}

CXSceneAccount::~CXSceneAccount() = default;

int CXSceneAccount::Init(void*)
{
    if (m_bLoaded)
        return 1;
    m_bLoaded = 1;
    if (m_pHost)
        m_pHost->SetAccountsDisplay(1);
    LoadConfig();
    SetMachineNumberSlot();
    m_iState = STATE_MENU;
    m_iSelection = 2;
    m_bInitialized = true;
    return 1;
}

// The digit font and the base and entry positions from the account config, then its frames and
// number slots.
void CXSceneAccount::LoadConfig()
{
    CX2DFileConfig config;
    if (!config.Load("/image/account/account.cfg")) {
        CX_LOG_ERROR("CXSceneAccount::Init", "/image/account/account.cfg load fail.");
        return;
    }
    CXStringParser parser;
    const CXString& font = config.GetValue("NUMBER_FONT");
    if (font.GetLength() > 0 && !m_DigitFont.Load(font.GetString()))
        CX_LOG_ERROR("CXSceneAccount::Init", "NUMBER_FONT load fail. [%s]", font.GetString());
    if (config.HasKey("NUMBER_SIZE"))
        m_fDigitScale = float(config.GetValue("NUMBER_SIZE").ToFloat());

    parser.SetSourceText(config.GetValue("BASE_POSITION").GetString());
    if (parser.Parse(',') >= 2) {
        m_iBaseX = int32_t(parser.GetValueByNumber(1).ToInteger());
        m_iBaseY = int32_t(parser.GetValueByNumber(2).ToInteger());
    }
    parser.SetSourceText(config.GetValue("INPUT_POSITION").GetString());
    if (parser.Parse(',') >= 2) {
        m_iEntryX = int32_t(parser.GetValueByNumber(1).ToInteger());
        m_iEntryY = int32_t(parser.GetValueByNumber(2).ToInteger());
    }
    LoadFrames(config);
    LoadNumberSlots(config);
}

// FRAMES animations, FRAME_01.. each "x, y, file": a frame whose line is short is left out.
void CXSceneAccount::LoadFrames(CX2DFileConfig& config)
{
    CXStringParser parser;
    int64_t nFrames = config.GetValue("FRAMES").ToInteger();
    nFrames = nFrames < 0 ? 0 : (nFrames > kMaxFrames ? kMaxFrames : nFrames);
    for (int i = 1; i <= nFrames; ++i) {
        char szKey[32];
        std::snprintf(szKey, sizeof szKey, "FRAME_%02d", i);
        parser.SetSourceText(config.GetValue(szKey).GetString());
        if (parser.Parse(',') < 3)
            continue;
        auto* pFrame = new CXDrawAccountInfo;
        if (!pFrame)
            continue;
        // Positions are written as decimals and truncated; out-of-range values become 0.
        const double dX = parser.GetValueByNumber(1).ToFloat();
        const double dY = parser.GetValueByNumber(2).ToFloat();
        pFrame->m_iX = dX > -1e6 && dX < 1e6 ? int32_t(dX) : 0;
        pFrame->m_iY = dY > -1e6 && dY < 1e6 ? int32_t(dY) : 0;
        CXString file = parser.GetValueByNumber(3);
        file.Trim();
        if (!pFrame->m_Animation.Load(file.GetString()))
            CX_LOG_ERROR("CXSceneAccount::Init", "%s load fail. [%s]", szKey, file.GetString());
        if (!m_Frames.SetAt(uint32_t(i), pFrame))
            delete pFrame;
    }
}

// LINE_POSITIONS lines LINEPOS_00.. of "x, y" pairs: the places of the number slots in order.
void CXSceneAccount::LoadNumberSlots(CX2DFileConfig& config)
{
    CXStringParser parser;
    int64_t nLines = config.GetValue("LINE_POSITIONS").ToInteger();
    nLines = nLines < 0 ? 0 : (nLines > kMaxLines ? kMaxLines : nLines);
    uint32_t dwSlot = m_Numbers.GetSize();
    for (int line = 0; line < nLines; ++line) {
        char szKey[32];
        std::snprintf(szKey, sizeof szKey, "LINEPOS_%02d", line);
        parser.SetSourceText(config.GetValue(szKey).GetString());
        const int nFields = parser.Parse(',');
        for (int f = 1; f + 1 <= nFields && dwSlot < uint32_t(kMaxSlots); f += 2, ++dwSlot) {
            auto* pSlot = new t_NumPos;
            if (!pSlot)
                break;
            pSlot->m_iX = int32_t(parser.GetValueByNumber(f).ToInteger());
            pSlot->m_iY = int32_t(parser.GetValueByNumber(f + 1).ToInteger());
            if (!m_Numbers.SetAt(dwSlot, pSlot)) {
                delete pSlot;
                break;
            }
        }
    }
}

const char* CXSceneAccount::GetSlotText(int nSlot) const
{
    const t_NumPos* pSlot = nSlot >= 0 ? m_Numbers.GetAt(uint32_t(nSlot)) : nullptr;
    return pSlot ? pSlot->m_strText.GetString() : nullptr;
}

void CXSceneAccount::SetSlotText(int nSlot, const char* pszText)
{
    if (t_NumPos* pSlot = m_Numbers.GetAt(uint32_t(nSlot)))
        pSlot->m_strText = pszText;
}

void CXSceneAccount::SetMachineNumberSlot()
{
    if (!m_pHost)
        return;
    char szText[16];
    std::snprintf(szText, sizeof szText, "%d", m_pHost->GetMachineNumber());
    SetSlotText(kMachineNumberSlot, szText);
}

void CXSceneAccount::ChangeMachineNumber(int nDelta)
{
    if (!m_pHost)
        return;
    int nNumber = m_pHost->GetMachineNumber() + nDelta;
    nNumber = nNumber < kMachineNumberMin
                  ? kMachineNumberMin
                  : (nNumber > kMachineNumberMax ? kMachineNumberMax : nNumber);
    m_pHost->SetMachineNumber(nNumber);
    SetMachineNumberSlot();
}

void CXSceneAccount::SelectPrev()
{
    MoveSelection(-1);
}

void CXSceneAccount::SelectNext()
{
    MoveSelection(+1);
}

void CXSceneAccount::MoveSelection(int nDirection)
{
    switch (m_iState) {
    case STATE_MENU: {
        const int nNext = m_iSelection + nDirection;
        const bool bStays = m_iSelection >= kFirstMenuItem && m_iSelection <= kLastMenuItem &&
                            nNext >= kFirstMenuItem && nNext <= kLastMenuItem;
        m_iSelection = bStays ? nNext : (nDirection < 0 ? kLastMenuItem : kFirstMenuItem);
        break;
    }
    case STATE_MACHINE_NUMBER:
        ChangeMachineNumber(nDirection);
        break;
    case STATE_5:
        m_iSelection = Toggle(m_iSelection, 13, 15);
        break;
    default:
        m_iSelection = Toggle(m_iSelection, 12, 14);
        break;
    }
}

// Leaves the scene with every account counter at 0, saved.
void CXSceneAccount::ClearAccounts()
{
    if (!m_pHost)
        return;
    m_pHost->LeaveAccounts();
    if (CXSceneGAME_LoadSave* pSave = m_pHost->GetSaveData())
        for (int32_t& iCounter : pSave->m_aiAccounts)
            iCounter = 0;
    m_pHost->SaveAccountsData();
}

// Writes the machine-number marker and sets the reel mode back to 0.
void CXSceneAccount::StoreMachineNumber()
{
    if (!m_pHost)
        return;
    CXSceneGAME_LoadSave* pSave = m_pHost->GetSaveData();
    const std::string strFolder = pSave ? pSave->m_strMarkerFolder : std::string("./");
    if (!WriteMachineMarker(strFolder, m_pHost->GetMachineNumber()))
        CX_LOG_ERROR("CXSceneAccount::StoreMachineNumber", "Machine marker write fail. [%d]",
                     m_pHost->GetMachineNumber());
    if (pSave)
        pSave->m_iReelMode = 0;
    SetMachineNumberSlot();
}

// The select key: a menu item opens its state; a state carries out its choice and goes back.
void CXSceneAccount::SelectItem()
{
    const auto Go = [this](int nState, int nSelection) {
        m_iState = nState;
        m_iSelection = nSelection;
    };
    switch (m_iState) {
    case STATE_MENU:
        switch (m_iSelection) {
        case 2:
            Go(STATE_CLEAR, 12);
            break;
        case 3:
            Go(STATE_3, 12);
            break;
        case 4:
            Go(STATE_MACHINE_NUMBER, 0);
            break;
        case 5:
            Go(STATE_7, 12);
            break;
        default:
            break;
        }
        break;
    case STATE_CLEAR:
        if (m_iSelection == 12)
            ClearAccounts();
        Go(STATE_MENU, 2);
        break;
    case STATE_3:
        Go(STATE_MENU, 3);
        break;
    case STATE_MACHINE_NUMBER:
        StoreMachineNumber();
        Go(STATE_MENU, 4);
        break;
    case STATE_5:
        if (m_iSelection == 13)
            Go(STATE_6, 12);
        else
            Go(STATE_MENU, 4);
        break;
    case STATE_6:
        Go(STATE_MENU, 4);
        break;
    case STATE_7:
        if (m_iSelection != 12)
            Go(STATE_MENU, 5);
        break;
    default:
        break;
    }
}

void CXSceneAccount::Type(char c)
{
    if (m_iState == STATE_MACHINE_NUMBER && m_iShortCount < kShortEntryMax) {
        m_strShortEntry.AppendFormat("%c", c);
        ++m_iShortCount;
    } else if (m_iState == STATE_5 && m_iLongCount < kLongEntryMax) {
        m_strLongEntry.AppendFormat("%c", c);
        ++m_iLongCount;
    }
}

void CXSceneAccount::OnKey(int nKey, bool bShift)
{
    if (nKey == VK_LEFT || nKey == VK_RIGHT || nKey == VK_UP || nKey == VK_DOWN) {
        HWND hwnd = g_pGfxDevice ? g_pGfxDevice->GetWindow() : nullptr;
        RECT rect;
        if (hwnd && platform::GetWindowRect(hwnd, &rect)) {
            const int dx = nKey == VK_LEFT ? -kWindowStep : (nKey == VK_RIGHT ? kWindowStep : 0);
            const int dy = nKey == VK_UP ? -kWindowStep : (nKey == VK_DOWN ? kWindowStep : 0);
            platform::MoveWindow(hwnd, rect.left + dx, rect.top + dy, rect.right - rect.left,
                                 rect.bottom - rect.top);
        }
        return;
    }
    if (nKey == 'D')
        SelectPrev();
    else if (nKey == 'F')
        SelectNext();
    else if (nKey == 'E')
        SelectItem();

    if (m_iState != STATE_MACHINE_NUMBER && m_iState != STATE_5)
        return;
    if (nKey == VK_BACK) {
        CXString& entry = m_iState == STATE_5 ? m_strLongEntry : m_strShortEntry;
        int32_t& count = m_iState == STATE_5 ? m_iLongCount : m_iShortCount;
        if (count > 0) {
            --count;
            entry.SetAt(unsigned(count), 0);
        }
    } else if (nKey >= 'A' && nKey <= 'Z') {
        Type(bShift ? char(nKey) : char(nKey - 'A' + 'a'));
    } else if (nKey >= '0' && nKey <= '9') {
        Type(bShift && nKey == '1' ? '!' : char(nKey));
    } else if (nKey == VK_OEM_2 && bShift) {
        Type('?');
    }
}

void CXSceneAccount::PollSwitches()
{
    CXBoardSerialComm* pCabinet = m_pHost ? m_pHost->GetCabinet() : nullptr;
    if (!pCabinet || pCabinet->m_bMenuSwitches.load() != 1)
        return;
    const uint32_t dwNow = m_pHost->GetTimeMs();
    const auto Held = [dwNow](bool bHeld, int32_t& bPressed, uint32_t& dwRepeat) {
        if (!bHeld) {
            bPressed = 0;
            return false;
        }
        if (int32_t(dwNow - dwRepeat) < 0)
            dwRepeat = dwNow;
        if (bPressed && dwNow - dwRepeat <= kSwitchRepeatMs)
            return false;
        bPressed = 1;
        dwRepeat = dwNow;
        return true;
    };
    if (Held(pCabinet->m_bySwitch[3].load() != 0, m_bPrevPressed, m_dwPrevRepeat))
        SelectPrev();
    if (Held(pCabinet->m_bySwitch[1].load() != 0, m_bNextPressed, m_dwNextRepeat))
        SelectNext();
    if (pCabinet->TakeSwitchLatch(2))
        SelectItem();
}

void CXSceneAccount::UpdateClock()
{
    const platform::LocalTime now = platform::LocalTimeNow();
    const int values[] = {now.nYear, now.nMonth, now.nDay, now.nHour, now.nMinute, now.nSecond};
    for (int i = 0; i < 6; ++i) {
        char szText[16];
        std::snprintf(szText, sizeof szText, "%d", values[i]);
        SetSlotText(kFirstDateSlot + i, szText);
    }
}

int CXSceneAccount::Process(HTARGET)
{
    if (const int nKey = EngineGetKey())
        OnKey(nKey, EngineGetKeyState(VK_SHIFT) != 0);
    PollSwitches();
    UpdateClock();
    Draw();
    return 1;
}

void CXSceneAccount::DrawFrame(int nIndex)
{
    if (nIndex <= 0)
        return;
    if (CXDrawAccountInfo* pFrame = m_Frames.GetAt(uint32_t(nIndex)))
        pFrame->m_Animation.Render(float(m_iBaseX + pFrame->m_iX), float(m_iBaseY + pFrame->m_iY));
}

std::vector<CXNumberGlyph>
CXSceneAccount::LayoutNumberText(const char* pszText, const std::function<float(int)>& frameWidth,
                                 float fScale)
{
    std::vector<CXNumberGlyph> glyphs;
    float fAdvance = 0.0f;
    for (const char* p = pszText; p && *p; ++p) {
        const int nFrame = DigitFrame(*p);
        if (nFrame < 0)
            continue;
        const float fWidth = frameWidth(nFrame) * fScale;
        if (nFrame == 10 || nFrame == 11) {
            glyphs.push_back({nFrame, fAdvance - fWidth / 4});
            fAdvance += fWidth / 2;
        } else {
            glyphs.push_back({nFrame, fAdvance});
            fAdvance += fWidth;
        }
    }
    return glyphs;
}

void CXSceneAccount::DrawNumberText(const t_NumPos& slot, float fScale)
{
    const auto FrameWidth = [this](int nFrame) {
        m_DigitFont.SetFrame(nFrame);
        return m_DigitFont.GetWidth();
    };
    const float fX = float(m_iBaseX + slot.m_iX);
    const float fY = float(m_iBaseY + slot.m_iY);
    for (const CXNumberGlyph& glyph :
         LayoutNumberText(slot.m_strText.GetString(), FrameWidth, fScale)) {
        m_DigitFont.SetFrame(glyph.nFrame);
        m_DigitFont.RenderEx(fX + glyph.fX, fY, 0.0f, fScale);
    }
}

void CXSceneAccount::Draw()
{
    if (m_Frames.GetSize() >= 2)
        DrawFrame(1);
    for (uint32_t i = kFirstDrawnSlot; i < m_Numbers.GetSize(); ++i)
        if (const t_NumPos* pSlot = m_Numbers.GetAt(i))
            DrawNumberText(*pSlot, i == 31 || i == 33 ? m_fDigitScale * 1.3f : m_fDigitScale);
    DrawFrame(StateFrame(m_iState));
    if (m_iState == STATE_MACHINE_NUMBER || m_iState == STATE_5) {
        t_NumPos mask;
        mask.m_iX = m_iEntryX;
        mask.m_iY = m_iEntryY;
        const int nCount = m_iState == STATE_5 ? m_iLongCount : m_iShortCount;
        mask.m_strText = "";
        for (int i = 0; i < nCount; ++i)
            mask.m_strText.AppendFormat("*");
        DrawNumberText(mask, m_fDigitScale);
    }
    DrawFrame(m_iSelection);
}
