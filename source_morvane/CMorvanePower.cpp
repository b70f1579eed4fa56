// The cabinet's power-off countdown and idle handler with the setting screen's held keys. The
// power-off ends the program through the game's seam; it never switches the computer off.
#include "CButtonSinHo.h"
#include "CMorvaneMain.h"

void CMorvaneMain::PowerOff()
{
    if (m_byPoweredOff)
        return;
    m_byPoweredOff = 1;
    m_pIO->PowerOff();
}

void CMorvaneMain::CountPowerOff()
{
    if (++m_nPowerOffCounter >= 100)
        PowerOff();
    // An empty machine is given a credit of 400 and switched off on the next step.
    if (m_nCredit < m_nBet && m_nScore == 0) {
        m_nCredit = 400;
        SetCredit(400, true);
        m_nPowerOffCounter = 500;
    }
}

void CMorvaneMain::ProcessIdleMode()
{
    if (m_nPowerOffFlag == 1)
        PowerOff();
    if (SettingFlag == 1)
        ShowSettingScreen();
}

void CMorvaneMain::ShowSettingScreen()
{
    // The mode-1 step and the idle handler of an empty machine both ask in one step: the screen is
    // drawn and its keys served once, so its cursor blinks 20 steps on and 20 off.
    if (m_nKeysServedStep == m_nStepCount)
        return;
    m_nKeysServedStep = m_nStepCount;
    m_pSinHo->Draw();
    for (int key = 0; key < 4; ++key) {
        if (!m_anKeyRequest[key] || ++m_anKeyDelay[key] < 6)
            continue;
        m_anKeyDelay[key] = 0;
        m_anKeyRequest[key] = 0;
        switch (key) {
        case 0:
            m_pSinHo->PrevValue();
            break;
        case 1:
            m_pSinHo->NextValue();
            break;
        case 2:
            m_pSinHo->Back();
            break;
        default:
            m_pSinHo->Select();
            break;
        }
    }
}
