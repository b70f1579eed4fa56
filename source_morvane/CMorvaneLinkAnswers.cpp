// What the server link's answers change in the game state.
#include "CMorvaneMain.h"

void CMorvaneMain::TakeCredit(int32_t credit)
{
    m_nCredit = credit;
    SetCredit(credit, true);
}

void CMorvaneMain::TakeScore(int32_t score)
{
    m_nScore = score;
    SetScore(score, true);
}

void CMorvaneMain::OnTicketOut(bool paid)
{
    if (!paid) {
        m_nTicketState = 2;
        return;
    }
    m_nTicketState = 1;
    ++giftpaid;
    ++m_nTicketsPaid;
    ++m_nPaidCounter;
    m_nTicketCounter = 0;
}

void CMorvaneMain::OnGameFin(bool ok)
{
    if (!ok)
        TicketFlag = 0;
    CheckTicketOut(true);
}
