// Extreme meters from the server, read from answer bytes by the game's records and handed to its
// server link: the gift meter, coins in play, credit and the gift-out sums are clamped to the
// int32 range, never overflowed.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "CPelagornProbClient.h"
#include "CPelagornRecords.h"
#include "CXDrawFRAME.h"
#include "pelagorn_game_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Put(Bytes& b, size_t at, int32_t v)
{
    const auto u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(u >> (8 * i));
}

struct EnterMeters {
    int32_t credit = 0;
    int32_t gift = 0;
    int32_t spin = 0;
    int32_t coinThreshold = 100;
    int32_t giftMaximum = 20000;
    int32_t giftUnit = 5000;
    int32_t giftOutLimit = 4;
    int32_t highPrizeMode = 0;
};

class PelagornAmounts : public PelagornGameTest {
protected:
    CPelagornProbClient& Link() { return *m_game->GetProbClient(); }

    void Enter(const EnterMeters& m)
    {
        Bytes body(CPelagornEnterRecord::kSize, 0);
        Put(body, 0, m.credit);
        Put(body, 4, m.gift);
        Put(body, 8, m.spin);
        Put(body, 12, m.coinThreshold);
        Put(body, 16, m.giftMaximum);
        Put(body, 20, m.giftUnit);
        Put(body, 24, m.giftOutLimit);
        Put(body, 97, m.highPrizeMode);
        CPelagornEnterRecord record;
        record.Read(body.data(), body.size());
        Link().OnEnter(record);
    }
    void ItemHitGift(int32_t amount)
    {
        Bytes body(CPelagornItemRecord::kSize, 0);
        Put(body, 0, 3);
        Put(body, 38, amount);
        CPelagornItemRecord record;
        record.Read(body.data(), body.size());
        Link().OnItemHit(true, record);
    }
    void CoinDrop(bool fromCredit)
    {
        Bytes body(16, 0);
        Put(body, 8, fromCredit ? 1 : 0);
        CPelagornCoinDropRecord record;
        record.Read(body.data(), body.size());
        Link().OnCoinDrop(true, record);
    }
    // A ticket-out answer that leaves no gift-out pending and sets the meters again.
    void TicketOut(int32_t gift, int32_t spin)
    {
        Bytes body(28, 0);
        Put(body, 12, gift);
        Put(body, 16, spin);
        CPelagornTicketOutRecord record;
        record.Read(body.data(), body.size());
        Link().OnTicketOut(true, record);
    }
    // The automatic gift-out waits until the gift meter's count-up has reached its target.
    void SettleGiftDisplay()
    {
        CXDrawFRAME* frame = Scene().m_pFrame;
        ASSERT_NE(frame, nullptr);
        CXDrawNUMBER* number = frame->m_Scores.GetAt(CXDrawFRAME::kGiftScore);
        ASSERT_NE(number, nullptr);
        number->m_dShown = number->m_dwTarget;
    }
};

}  // namespace

TEST_F(PelagornAmounts, ItemGiftAmountAddsToTheGiftMeterClamped)
{
    struct Case {
        int32_t gift;
        int32_t amount;
        int32_t expected;
    };
    const Case cases[] = {
        {INT_MAX, INT_MAX, INT_MAX}, {INT_MAX, 1, INT_MAX}, {INT_MIN, -1, INT_MIN},
        {INT_MIN, INT_MIN, INT_MIN}, {0, -1, -1},           {-1, INT_MAX, INT_MAX - 1},
    };
    for (const Case& c : cases) {
        MakeGame();
        EnterMeters m;
        m.gift = c.gift;
        Enter(m);
        ItemHitGift(c.amount);
        EXPECT_EQ(Scene().m_iGift, c.expected) << c.gift << " + " << c.amount;
    }
}

TEST_F(PelagornAmounts, CoinDropsMoveCoinsInPlayAndCreditClamped)
{
    struct Case {
        int32_t credit;
        int32_t threshold;
        int32_t coinsInPlay;  // after two drops
        int32_t creditAfter;  // never below 0
    };
    const Case cases[] = {
        {INT_MIN, INT_MAX, INT_MAX, 0},
        {INT_MAX, INT_MAX, INT_MAX, 0},
        {INT_MAX, 1, 2, INT_MAX - 2},
        {-1, 1073741824, INT_MAX, 0},
    };
    for (const Case& c : cases) {
        MakeGame();
        EnterMeters m;
        m.credit = c.credit;
        m.coinThreshold = c.threshold;
        Enter(m);
        for (int i = 0; i < 2; ++i)
            CoinDrop(true);
        EXPECT_EQ(Scene().m_iCoinsInPlay, c.coinsInPlay) << c.credit << " " << c.threshold;
        EXPECT_EQ(Scene().m_iCredit, c.creditAfter) << c.credit << " " << c.threshold;
    }
}

TEST_F(PelagornAmounts, GiftOutSumsClamped)
{
    struct Case {
        const char* name;
        EnterMeters meters;
        int32_t giftsStarted;  // after two gift-outs
        int32_t bonus;         // the remainder of GIFT added to the bonus of its kind
        int32_t skipCount;     // SPIN added at each gift-out
    };
    auto meters = [](int32_t gift, int32_t spin, int32_t limit, int32_t highPrize) {
        EnterMeters m;
        m.gift = gift;
        m.spin = spin;
        m.giftUnit = 1;
        m.giftMaximum = 1 << 30;  // a meter the display shows exactly
        m.giftOutLimit = limit;
        m.highPrizeMode = highPrize;
        return m;
    };
    const Case cases[] = {
        {"remainders of a full meter", meters(INT_MAX, INT_MAX, 4, 0), 8, INT_MAX, INT_MAX},
        {"remainders to the high bonus", meters(INT_MAX, -1, 4, 1), 8, INT_MAX, -2},
        {"whole meters paid", meters(1 << 30, INT_MIN, INT_MAX, 0), INT_MAX, 0, INT_MIN},
    };
    for (const Case& c : cases) {
        MakeGame();
        Enter(c.meters);
        for (int i = 0; i < 2; ++i) {
            if (i == 1)
                TicketOut(c.meters.gift, c.meters.spin);
            ASSERT_EQ(Scene().m_iCommGift, 0) << c.name;
            SettleGiftDisplay();
            Scene().CheckAutoGiftOut();
            ASSERT_NE(Scene().m_iCommGift, 0) << c.name;
        }
        EXPECT_EQ(Scene().m_iGiftsStarted, c.giftsStarted) << c.name;
        EXPECT_EQ(c.meters.highPrizeMode ? Scene().m_iHighBonus : Scene().m_iNormalBonus, c.bonus)
            << c.name;
        EXPECT_EQ(Scene().m_iSkipCount, c.skipCount) << c.name;
    }
}

TEST_F(PelagornAmounts, AnyGiftMeterCountsUpOnTheDisplayAndStartsTheGiftOut)
{
    struct Case {
        const char* name;
        int32_t credit;
        int32_t gift;
        int32_t giftUnit;
        int32_t giftsStarted;
    };
    // The gift display counts up to meters that no float holds exactly; the automatic gift-out
    // waits for it to arrive, then starts.
    const Case cases[] = {
        {"a full meter of INT_MAX", 0, INT_MAX, 1 << 30, 1},
        {"one unit just below the maximum, no credit", INT_MIN, INT_MAX - 1, INT_MAX - 1, 1},
        {"one unit just past float precision", INT_MIN, (1 << 24) + 1, (1 << 24) + 1, 1},
    };
    for (const Case& c : cases) {
        MakeGame();
        EnterMeters m;
        m.credit = c.credit;
        m.gift = c.gift;
        m.giftUnit = c.giftUnit;
        m.giftMaximum = INT_MAX;
        EnterGame();
        Enter(m);
        CXDrawNUMBER* number = Scene().m_pFrame->m_Scores.GetAt(CXDrawFRAME::kGiftScore);
        ASSERT_NE(number, nullptr);
        ASSERT_EQ(number->m_dwTarget, static_cast<uint32_t>(c.gift)) << c.name;
        int frames = 0;
        for (; Scene().m_iCommGift == 0 && frames < 3000; ++frames)
            Frames(1, 1.0 / 60);
        EXPECT_LT(frames, 3000) << c.name;
        EXPECT_NE(Scene().m_iCommGift, 0) << c.name;
        EXPECT_EQ(Scene().m_iGiftsStarted, c.giftsStarted) << c.name;
    }
}

TEST_F(PelagornAmounts, CabinetCreditAddsToTheServerCreditClamped)
{
    struct Case {
        int32_t credit;
        int32_t expected;  // after a board credit of 500
    };
    for (const Case& c :
         {Case{INT_MAX, INT_MAX}, Case{INT_MIN, INT_MIN + 500}, Case{0, 500}, Case{-1, 499}}) {
        MakeGame();
        EnterMeters m;
        m.credit = c.credit;
        Enter(m);
        Scene().m_SaveData.m_aiAccounts[ACCOUNT_INPUT_MONEY] = INT_MAX - 100;
        Scene().OnReceive("a5\r", 3);  // a board credit frame, handled by the serial step
        Scene().OnProcess(0);
        Scene().CreditTick();
        EXPECT_EQ(Scene().m_iCredit, c.expected) << c.credit;
        EXPECT_EQ(Scene().m_SaveData.m_aiAccounts[ACCOUNT_INPUT_MONEY], INT_MAX) << c.credit;
    }
}
