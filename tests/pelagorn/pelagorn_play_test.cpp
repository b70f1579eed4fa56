// A Pelagorn machine played against the dev server's play answers: the game's requests go to the
// play handlers, their answers are read by the game's records and handed to its server link, so a
// coin-in, coins, an item hit and the canned spins run through to the gift-out and the tickets.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

#include "ByteBuilder.h"
#include "PlayAnswers.h"
#include "PlayPelagorn.h"
#include "pelagorn_game_fixture.h"

namespace {

class QueueSession : public devserver::PlaySession {
public:
    void Send(devserver::Bytes body) override { answers.push_back(std::move(body)); }
    void Log(const std::string& line) override { log.push_back(line); }
    std::deque<devserver::Bytes> answers;
    std::vector<std::string> log;
};

// Sends the game's requests to the play answers; Deliver hands their answers to the link.
class PlaySender : public CPelagornSender {
public:
    PlaySender() { devserver::AddPelagornAnswers(m_answers); }

    bool Send(PelagornRequest request, uint8_t kind, uint16_t machineNo,
              const CPelagornItemHit& hit) override
    {
        devserver::ByteBuilder body;
        body.U16(static_cast<uint16_t>(request)).U8(kind).U16(machineNo);
        if (request == PelagornRequest::ItemHit)
            body.F32(hit.fX).F32(hit.fY).U16(hit.wItemType).U8(hit.byRightHalf);
        sent.push_back(static_cast<int>(request));
        return m_answers.Answer(session, body.Take());
    }

    // Hands every queued answer to the link, as the protocol client's handlers do.
    void Deliver(CPelagornProbClient& link, CXSceneGAME& scene)
    {
        while (!session.answers.empty()) {
            const devserver::Bytes body = std::move(session.answers.front());
            session.answers.pop_front();
            ASSERT_GE(body.size(), 5u);
            const uint16_t id = static_cast<uint16_t>(body[0] | body[1] << 8);
            const uint8_t* p = body.data() + 5;
            const size_t n = body.size() - 5;
            const bool ok = id != 35 && n >= 1 && p[0] != 0;
            switch (id) {
            case 34:
                link.OnEnter(Read<CPelagornEnterRecord>(p, n));
                break;
            case 35:
                ASSERT_EQ(body[2], 0) << "coin-in refused";
                link.OnCoinIn(static_cast<int32_t>(body[10] | body[11] << 8 | body[12] << 16));
                break;
            case 36:
                link.OnCoinDrop(ok, Read<CPelagornCoinDropRecord>(p + 1, n - 1));
                break;
            case 37:
                link.OnItemHit(ok, Read<CPelagornItemRecord>(p + 1, n - 1));
                break;
            case 38:
                link.OnSpinData(ok, Read<CPelagornSpinRecord>(p + 1, n - 1));
                break;
            case 39: {
                const auto r = Read<CPelagornResultRecord>(p + 1, n - 1);
                link.OnSpinResult(ok, ok ? &r : nullptr);
                break;
            }
            case 40:
                link.OnSpinEnd(ok);
                break;
            case 41:
                link.OnTicketOut(ok, Read<CPelagornTicketOutRecord>(p + 1, n - 1));
                break;
            case 43:
                link.OnGameFin(ok, Read<CPelagornGameFinRecord>(p + 1, n - 1));
                break;
            default:
                FAIL() << "unexpected answer " << id;
            }
            (void)scene;
        }
    }

    QueueSession session;
    std::vector<int> sent;

private:
    template <class Record>
    static Record Read(const uint8_t* p, size_t n)
    {
        Record record;
        record.Read(p, n);
        return record;
    }

    devserver::PlayAnswers m_answers;
};

class PelagornPlay : public PelagornGameTest {
protected:
    void Play()
    {
        m_play.session.state.money = 50000;
        m_play.session.state.machines[0] = devserver::answers::MachineRow{3, 7, 0, 0, 0};
        m_game = std::make_unique<CPelagorn>(nullptr, 7, 3, false);
        m_game->SetClock(&m_clock);
        m_game->SetSender(&m_play);
        m_game->SetDataFolder(m_folder.Slashed() + "DATA_PELAGORN/");
        ASSERT_TRUE(m_game->Initialize(nullptr, true));
        Deliver();
    }
    void Deliver() { m_play.Deliver(*m_game->GetProbClient(), Scene()); }
    // One spin as the reels run it: ask, stop, result, spin end, game finish.
    void Spin()
    {
        CPelagornProbClient& link = *m_game->GetProbClient();
        Scene().StartScrollReel();
        Deliver();
        ASSERT_EQ(link.m_bSpinDataHeld, 1);
        link.RequestReelsStopped();
        link.RequestResult();
        Deliver();
        ASSERT_EQ(link.m_bSpinEndConfirmed, 1);
        ASSERT_TRUE(link.RequestGameFin());
        Deliver();
        ASSERT_EQ(link.m_bSpinDataHeld, 0);
    }

    PlaySender m_play;
};

}  // namespace

TEST_F(PelagornPlay, CannedSpinsRunThroughToTheGiftOut)
{
    Play();
    EXPECT_EQ(Scene().m_iCoinThreshold, 100);
    EnterGame();
    ASSERT_TRUE(m_game->RequestCoinIn(false));
    Deliver();
    EXPECT_EQ(Scene().m_iCredit, 10000);

    // A coin paid from credit, then an item hit that gives a spin.
    m_game->SetAutoPlay(true);
    Frames(1, 0.02);
    m_game->SetAutoPlay(false);
    Deliver();
    EXPECT_EQ(Scene().m_iCredit, 9900);
    EXPECT_EQ(Scene().m_iCoinsInPlay, 100);
    for (int i = 0; i < 3; ++i) {
        Scene().ReportItemHit(1, 0, 200.0f, 180.0f, 900.0f);
        Deliver();
    }
    EXPECT_EQ(Scene().m_iSpin, 3);

    const int32_t wins[] = {0, 5000, 20000};
    int32_t gift = 0;
    for (int32_t win : wins) {
        Spin();
        gift += win;
        EXPECT_EQ(Scene().m_iGift, gift) << "the game finish brings the win";
    }
    EXPECT_EQ(Scene().m_iSpin, 0);
    EXPECT_EQ(m_play.session.log.size(), 3u);
    EXPECT_EQ(Scene().m_Result.iPrizeEffect, 14) << "the high prize's effect from the server";

    // GIFT 25000 is past the maximum: once the gift number has counted up, a gift-out of 4 units,
    // paid by ticket-out.
    for (int i = 0; i < 2000 && Scene().m_iCommGift == 0; ++i)
        Frames(1, 0.05);
    ASSERT_EQ(Scene().m_iCommGift, 20000);
    const auto tickets = [&] { return std::count(m_play.sent.begin(), m_play.sent.end(), 41); };
    for (int i = 0; i < 100 && tickets() == 0; ++i)
        Frames(1, 0.05);
    ASSERT_EQ(tickets(), 1);
    Deliver();
    EXPECT_EQ(Scene().m_iCommGift, 0);
    EXPECT_EQ(Scene().m_iGift, 5000) << "the server's gift meter after paying 4 tickets";
    EXPECT_EQ(m_play.session.state.giftTickets, 4u);
    Frames(60, 0.05);
    EXPECT_EQ(tickets(), 1) << "nothing owed: no further ticket-out";
}
