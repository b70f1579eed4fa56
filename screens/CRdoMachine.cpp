#include "CRdoMachine.h"

#include "CUIFrames.h"

bool CRdoMachine::Create(int id, int x, int y, CUIFrames* frames, CUIFrames* digits, CDXWnd* parent)
{
    m_pDigits = digits;
    return CreateRadioButton(id, x, y, frames, false, parent);
}

void CRdoMachine::SetUserValue(int value)
{
    CDXRadioButton::SetUserValue(value < 0 ? -1 : value);
}

void CRdoMachine::SetState(int index)
{
    CDXRadioButton::SetState(IsTaken() ? 0 : index);
}

// Hundreds, tens and units side by side, centred, from two thirds of the height down. Numbers
// above 999 get their further digits in front, so machine 1001 never reads as machine 1.
int CRdoMachine::OnDraw()
{
    if (!m_pDigits || m_nUserValue < 0)
        return 1;
    int digits[10];
    int count = 0;
    for (int n = m_nUserValue; count < 3 || n > 0; n /= 10)
        digits[count++] = n % 10;
    int width = 0;
    for (int i = 0; i < count; ++i)
        width += m_pDigits->GetWidth(digits[i]);
    float x = static_cast<float>(AbsoluteX() + m_nWidth / 2 - width / 2);
    const float y = static_cast<float>(AbsoluteY() + m_nHeight * 2 / 3);
    const uint32_t colour = GetDigitColour();
    for (int i = count; i-- > 0;) {
        m_pDigits->Draw(digits[i], x, y, 1.0f, colour);
        x += static_cast<float>(m_pDigits->GetWidth(digits[i]));
    }
    return 1;
}
