#pragma once
// The operator setting screen: 22 pages of image items, navigated with four keys (previous, next,
// back, select). Its choices set the owner's spin pattern, Rate1 and gift unit and a few stored
// values that nothing else reads.

#include <cstdint>

class CMorvaneMain;

class CButtonSinHo {
public:
    static constexpr int32_t kPages = 22;

    explicit CButtonSinHo(CMorvaneMain* owner);
    virtual ~CButtonSinHo() = default;
    CButtonSinHo(const CButtonSinHo&) = delete;
    CButtonSinHo& operator=(const CButtonSinHo&) = delete;

    // The screen's pictures go into the owner's setting image slots.
    bool LoadImages();
    void Release();
    void Draw();
    void PrevValue();
    void NextValue();
    void Back();
    void Select();

    // Items of a list page (0 for a page without a cursor).
    static int32_t ItemCount(int32_t page);

    CMorvaneMain* m_pOwner;
    int32_t m_nPage = 1;
    int32_t m_nSpinPattern = 0;
    int32_t m_nLock = 0;
    int32_t m_anCursor[kPages] = {};
    int32_t m_nJackpotA = 0;
    int32_t m_nJackpotB = 0;
    int32_t m_nCoinShoot = 0;
    int32_t m_nGiftOn = 0;
    int32_t m_nBlink = 0;
};
