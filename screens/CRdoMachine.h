#pragma once
// A machine button of a channel page: a radio button that shows its machine number as digit
// images. Checked (SetChecked(true)) means the machine is taken: it keeps frame 0 whatever the
// pointer does and its digits take the taken colour.

#include <cstdint>

#include "CDXRadioButton.h"

class CRdoMachine : public CDXRadioButton {
public:
    static constexpr uint32_t kDefaultDigitColour = 0xFF606060;

    // Frames of the button and the digit images (0..9 at indexes 0..9).
    bool Create(int id, int x, int y, CUIFrames* frames, CUIFrames* digits, CDXWnd* parent);

    // The machine number; -1 clears the digits.
    void SetUserValue(int value) override;
    void SetState(int index) override;
    int OnDraw() override;

    void SetDigitColours(uint32_t taken, uint32_t free)
    {
        m_dwTakenColour = taken;
        m_dwFreeColour = free;
    }
    bool IsTaken() const { return IsChecked(); }
    uint32_t GetDigitColour() const { return IsTaken() ? m_dwTakenColour : m_dwFreeColour; }

private:
    CUIFrames* m_pDigits = nullptr;  // not owned
    uint32_t m_dwTakenColour = kDefaultDigitColour;
    uint32_t m_dwFreeColour = kDefaultDigitColour;
};
