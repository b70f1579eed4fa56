// The Morvane presentation as a player meets it: the server's answers arrive as message bodies
// through the protocol client's dispatch, the deck's auto-play spins the reels, and each game step
// draws; the tests read which picture stands where and which sound plays.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "CButtonSinHo.h"
#include "HiByteBuffer.h"
#include "MachineTable.h"
#include "morvane_answer_client.h"
#include "morvane_fakes.h"

using namespace morvane_test;

namespace {

using S = MorvaneImageSet;
using Body = std::vector<uint8_t>;

constexpr uint8_t kKind = 2;
constexpr uint16_t kMachine = 7;
constexpr int32_t kCredit = 100000;

int32_t Slot(S set, int32_t index = 0)
{
    return MorvaneImageSlot(set, index);
}

bool In(const DrawCall& d, S set)
{
    return d.slot >= Slot(set) && d.slot < Slot(static_cast<S>(static_cast<int>(set) + 1));
}

// A picture as the player sees it: its set, where it stands and the size of its source.
using Seen = std::tuple<S, float, float, float, float>;

Seen SeenOf(const DrawCall& d, S set)
{
    return {set, d.x, d.y, d.source.right - d.source.left, d.source.bottom - d.source.top};
}

void U16(Body& b, uint16_t v)
{
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}

void U32(Body& b, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(uint8_t(v >> (8 * i)));
}

Body Head(uint16_t id)
{
    Body b;
    U16(b, id);
    b.push_back(kKind);
    U16(b, kMachine);
    return b;
}

void Append(Body& b, const CMorvaneSpinData& record)
{
    uint8_t bytes[CMorvaneSpinData::kSize];
    WriteMorvaneSpinData(record, bytes);
    b.insert(b.end(), std::begin(bytes), std::end(bytes));
}

// A record whose rows show no pattern, with a win in the middle row.
CMorvaneSpinData Plain(int32_t win = 0)
{
    CMorvaneSpinData r;
    const int32_t stops[4] = {3, 7, 12, 19};
    std::copy(std::begin(stops), std::end(stops), r.Array);
    r.Win[1] = win;
    r.nWinAmount = win;
    return r;
}

// One networked machine in a deck with its auto-play switched on, and a server that answers its
// requests with the records given, one per spin.
class Player {
public:
    explicit Player(std::vector<CMorvaneSpinData> records) : m_Records(std::move(records))
    {
        SeatMorvaneMachine(kKind, kMachine);
        main.GetLink().SetSender(&sender);
        Body enter = Head(23);
        U32(enter, kCredit);
        U32(enter, 0);
        Append(enter, CMorvaneSpinData{});
        Deliver(enter);
        main.m_nTopState = 10;
    }
    ~Player() { g_MachineTable.Reset(); }

    void Deliver(const Body& body)
    {
        HiByteBuffer buffer(body.data(), int32_t(body.size()));
        client.DispatchMessage(buffer);
    }

    // One step of the game, drawn, then the server's answers to what it asked.
    void Frame()
    {
        io.m_Draws.clear();
        io.m_Played.clear();
        io.m_Looped.clear();
        io.m_Stopped.clear();
        io.m_Texts.clear();
        main.m_byAutoPlay = m_byAutoPlay;
        main.m_byInStep = 1;
        main.m_byDrawFlag = 1;
        main.Tick(main.m_nTopState);
        for (; m_nSeen < sender.m_Sent.size(); ++m_nSeen)
            Serve(sender.m_Sent[m_nSeen]);
    }

    template <class Condition>
    bool RunUntil(Condition condition, int bound = 6000)
    {
        for (int i = 0; i < bound; ++i) {
            Frame();
            if (condition())
                return true;
        }
        return false;
    }

    std::vector<DrawCall> Drawn(S set) const
    {
        std::vector<DrawCall> out;
        for (const DrawCall& d : io.m_Draws)
            if (In(d, set))
                out.push_back(d);
        return out;
    }

    FakeOwner owner{kKind, kMachine};
    RecordingIO io;
    RecordingSender sender;
    CMorvaneMain main{&owner, 100, &io};
    MorvaneAnswerClient client{main};
    uint8_t m_byAutoPlay = 1;

private:
    void Serve(MorvaneRequest request)
    {
        switch (request) {
        case MorvaneRequest::SpinData: {
            if (m_nNext >= m_Records.size())
                return;
            const CMorvaneSpinData& record = m_Records[m_nNext++];
            Body b = Head(25);
            U32(b, kCredit);
            U32(b, 0);
            b.push_back(1);
            Append(b, record);
            Deliver(b);
            return;
        }
        case MorvaneRequest::SpinEnd: {
            Body b = Head(26);
            b.push_back(1);
            Deliver(b);
            return;
        }
        case MorvaneRequest::GameFin: {
            Body b = Head(33);
            b.push_back(1);
            U32(b, kCredit);
            U32(b, 0);
            Deliver(b);
            return;
        }
        default:
            return;
        }
    }

    std::vector<CMorvaneSpinData> m_Records;
    size_t m_nNext = 0;
    size_t m_nSeen = 0;
};

std::set<Seen> SeenIn(const std::vector<DrawCall>& draws, S set)
{
    std::set<Seen> out;
    for (const DrawCall& d : draws)
        out.insert(SeenOf(d, set));
    return out;
}

}  // namespace

// A win of 32000 or more: the gun intro with its shots, then the lights, the dancers, the
// fireworks and the neon, with the reel sound once on the show's 11th step.
TEST(MorvanePlayerTest, BigWinShowsTheGunThenTheLightsAndDancers)
{
    Player p({Plain(40000)});
    ASSERT_TRUE(p.RunUntil([&] { return p.main.m_nWinState == 20; }));
    // The intro: a gun picture over the reels and a shot on every step.
    int introSteps = 0;
    while (p.main.m_nShowStep == 0 && introSteps < 400) {
        p.Frame();
        ++introSteps;
        if (p.main.m_nShowStep != 0)
            break;
        const std::vector<DrawCall> gun = p.Drawn(S::Gun);
        ASSERT_EQ(gun.size(), 1u) << "step " << introSteps;
        EXPECT_EQ(SeenOf(gun[0], S::Gun), Seen(S::Gun, 0, 82, 800, 461));
        EXPECT_EQ(gun[0].slot, Slot(S::Gun, (introSteps - 1) / 15 + 1))
            << "a new shot every 15 steps";
        EXPECT_EQ(Count(p.io.m_Played, 17), 1) << "step " << introSteps;
    }
    EXPECT_EQ(introSteps, 271) << "18 shots, 15 steps apart";

    int reelSounds = 0;
    for (int shown = 1; shown <= 80; ++shown) {
        p.Frame();
        reelSounds += Count(p.io.m_Played, 15);
        EXPECT_EQ(Count(p.io.m_Played, 15), shown == 11 ? 1 : 0) << "show step " << shown;
        EXPECT_TRUE(p.Drawn(S::Gun).empty());
        const std::set<Seen> lights = {{S::Light, 13, 83, 196, 461},
                                       {S::Light, 209, 83, 196, 461},
                                       {S::Light, 405, 83, 196, 461},
                                       {S::Light, 601, 83, 196, 461}};
        EXPECT_EQ(SeenIn(p.Drawn(S::Light), S::Light), lights) << shown;
        const std::set<Seen> dancers = {{S::Dance, 18, 196, 186, 321},
                                        {S::Dance, 211, 196, 186, 321},
                                        {S::Dance, 404, 196, 186, 321},
                                        {S::Dance, 597, 196, 186, 321}};
        EXPECT_EQ(SeenIn(p.Drawn(S::Dance), S::Dance), dancers) << shown;
        EXPECT_EQ(p.Drawn(S::Dance)[0].slot, Slot(S::Dance, shown / 4))
            << "a dance frame every 4 steps";
        const std::set<Seen> fireworks = shown > 50
                                             ? std::set<Seen>{{S::Firework320, 15, 100, 320, 320},
                                                              {S::Firework320, 300, 83, 320, 320},
                                                              {S::Firework320, 480, 180, 320, 320},
                                                              {S::Firework512, 288, 0, 512, 512},
                                                              {S::Firework512, 0, 0, 512, 512}}
                                             : std::set<Seen>{};
        std::set<Seen> seen = SeenIn(p.Drawn(S::Firework320), S::Firework320);
        for (const Seen& s : SeenIn(p.Drawn(S::Firework512), S::Firework512))
            seen.insert(s);
        EXPECT_EQ(seen, fireworks) << shown;
        // The neon stands over the dancers.
        const auto neon = std::find_if(p.io.m_Draws.begin(), p.io.m_Draws.end(),
                                       [](const DrawCall& d) { return In(d, S::Neon); });
        ASSERT_NE(neon, p.io.m_Draws.end());
        EXPECT_EQ(SeenOf(*neon, S::Neon), Seen(S::Neon, 0, 82, 800, 461));
        const auto lastDancer = std::find_if(p.io.m_Draws.rbegin(), p.io.m_Draws.rend(),
                                             [](const DrawCall& d) { return In(d, S::Dance); });
        EXPECT_GT(neon - p.io.m_Draws.begin(), p.io.m_Draws.rend() - lastDancer - 1) << shown;
    }
    EXPECT_EQ(reelSounds, 1);
}

// The jackpot (jackpot value above 200, no series) and the row of four A: the reels evaluated for
// 1000 steps (the jackpot with its fire and looping fire sound), the gun intro, then the show with
// the stars, the girl and the banner; the jackpot value is cleared when its state ends.
TEST(MorvanePlayerTest, JackpotAndFourAShowTheirIntroAndShow)
{
    struct Case {
        const char* what;
        int32_t state;
        int32_t stops[4];
        int32_t jackValue;
        std::set<Seen> show;  // pictures of the main show besides the fireworks and the neon
    };
    const Case cases[] = {
        {"jackpot",
         5,
         {3, 7, 12, 19},
         201,
         {{S::JackpotStars, 0, 82, 800, 461},
          {S::JackpotGirl, 204, 129, 400, 414},
          {S::JackpotGirl, 351, 210, 94, 107},
          {S::JackpotGirl, 239, 130, 215, 277},
          {S::JackpotBanner, 161, 403, 484, 85}}},
        {"four A",
         10,
         {0, 1, 0, 1},
         0,
         {{S::JackpotStars, 0, 82, 800, 461},
          {S::JackpotGirlStrip, 290, 189, 264, 354},
          {S::JackpotBanner, 161, 403, 484, 85}}},
    };
    for (const Case& c : cases) {
        CMorvaneSpinData record = Plain(3000);
        std::copy(std::begin(c.stops), std::end(c.stops), record.Array);
        record.jackValue = c.jackValue;
        Player p({record});
        ASSERT_TRUE(p.RunUntil([&] { return p.main.m_nWinState == c.state; })) << c.what;
        std::set<Seen> intro;
        int fireSoundLooped = 0;
        for (int n = 1; n <= 1000; ++n) {
            p.Frame();
            for (const Seen& s : SeenIn(p.Drawn(S::Fire), S::Fire))
                intro.insert(s);
            fireSoundLooped += Count(p.io.m_Looped, 37);
        }
        const std::set<Seen> fire = {{S::Fire, 0, 84, 800, 458}};
        EXPECT_EQ(intro, c.state == 5 ? fire : std::set<Seen>{}) << c.what;
        EXPECT_EQ(fireSoundLooped, c.state == 5 ? 1 : 0)
            << c.what << ": started once, on the second step";
        int gunSteps = 0;
        for (;;) {
            p.Frame();
            if (p.Drawn(S::Gun).empty())
                break;
            ++gunSteps;
            EXPECT_EQ(Count(p.io.m_Played, 17), 1) << c.what;
        }
        EXPECT_EQ(gunSteps, 180) << c.what << ": 18 shots, 10 steps apart";
        std::set<Seen> show;
        for (int n = 0; n < 200; ++n) {
            p.Frame();
            for (S set : {S::JackpotStars, S::JackpotGirl, S::JackpotGirlStrip, S::JackpotBanner})
                for (const Seen& s : SeenIn(p.Drawn(set), set))
                    show.insert(s);
            EXPECT_FALSE(p.Drawn(S::Neon).empty()) << c.what;
        }
        EXPECT_EQ(show, c.show) << c.what;
        ASSERT_TRUE(p.RunUntil([&] { return p.main.m_nWinState == 50; }, 1000)) << c.what;
        EXPECT_EQ(p.main.m_Rec.jackValue, 0) << c.what;
    }
}

// A small win goes straight to the count-up: after 20 steps the count-up sound loops and the
// win counts down in large digits, 110 a step from 1000 and 10 below it; then the game ends.
TEST(MorvanePlayerTest, SmallWinCountsUpAndTheGameEnds)
{
    Player p({Plain(1200)});
    ASSERT_TRUE(p.RunUntil([&] { return p.main.m_nWinState == 50; }));
    std::vector<int32_t> pending;
    int countSoundLooped = 0;
    ASSERT_TRUE(p.RunUntil([&] {
        pending.push_back(p.main.m_nPendingWin);
        countSoundLooped += Count(p.io.m_Looped, 2);
        if (p.main.m_nPendingWin > 0 && p.main.m_nEndCount <= 20) {
            // The pending win in large digits, centred at y 240: "1", ",", "2", "0", "0".
            std::vector<int32_t> digits;
            for (const DrawCall& d : p.Drawn(S::SmallDigits)) {
                EXPECT_EQ(d.y == 240 || d.y == 342, true);
                digits.push_back(d.slot - Slot(S::SmallDigits));
            }
            EXPECT_EQ(digits, (std::vector<int32_t>{1, 10, 2, 0, 0}));
        }
        return Count(p.sender.m_Sent, MorvaneRequest::GameFin) == 1;
    }));
    EXPECT_EQ(countSoundLooped, 1);
    std::vector<int32_t> steps;
    for (size_t i = 1; i < pending.size(); ++i)
        if (pending[i] != pending[i - 1])
            steps.push_back(pending[i - 1] - pending[i]);
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps.front(), 110);
    EXPECT_EQ(steps.back(), 10);
    EXPECT_EQ(pending[pending.size() - 1], 0);
    EXPECT_EQ(p.main.m_nWinAmount, 0);
}

// 20000 to 31999: the dancers, stepping every 5 steps, and the reel sound on the first 9 steps.
// 10000 to 19999: the firework scenes in turn.
TEST(MorvanePlayerTest, MiddleWinsShowDancersOrFireworkScenes)
{
    {
        Player p({Plain(25000)});
        ASSERT_TRUE(p.RunUntil([&] { return p.main.m_nWinState == 30; }));
        for (int n = 1; n <= 30; ++n) {
            p.Frame();
            EXPECT_EQ(Count(p.io.m_Played, 15), n <= 9 ? 1 : 0) << n;
            const std::vector<DrawCall> dancers = p.Drawn(S::Dance);
            ASSERT_EQ(dancers.size(), 4u) << n;
            for (const DrawCall& d : dancers) {
                EXPECT_EQ(d.y, 196);
                EXPECT_EQ(d.slot, Slot(S::Dance, n / 5)) << n;
            }
        }
    }
    Player p({Plain(15000)});
    ASSERT_TRUE(p.RunUntil([&] { return p.main.m_nWinState == 40; }));
    struct Scene {
        int32_t id;
        std::set<Seen> pictures;
    };
    const Scene scenes[] = {
        {0,
         {{S::Firework240, 260, 140, 240, 240},
          {S::Firework512, 288, 0, 512, 512},
          {S::Firework512, 0, 88, 512, 512},
          {S::Firework400, 400, 200, 400, 400},
          {S::Firework320, 0, 0, 320, 320},
          {S::Firework304, 0, 296, 304, 304}}},
        {20,
         {{S::Firework512, 0, 0, 512, 512},
          {S::Firework512, 0, 88, 512, 512},
          {S::Firework240, 380, 0, 240, 240},
          {S::Firework240, 380, 360, 240, 240}}},
        {30,
         {{S::Firework240, 260, 140, 240, 240},
          {S::Firework320, 480, 280, 320, 320},
          {S::Firework320, 0, 280, 320, 320},
          {S::Firework304, 396, 0, 304, 304},
          {S::Firework400, 0, 200, 400, 400}}},
        {40,
         {{S::Firework512, 0, 88, 512, 512},
          {S::Firework512, 288, 88, 512, 512},
          {S::Firework240, 0, 360, 240, 240},
          {S::Firework240, 560, 0, 240, 240}}},
    };
    for (const Scene& scene : scenes) {
        ASSERT_TRUE(p.RunUntil([&] { return p.main.m_nFireworkScene == scene.id; }, 200))
            << scene.id;
        p.Frame();
        std::set<Seen> seen;
        for (S set :
             {S::Firework512, S::Firework400, S::Firework240, S::Firework304, S::Firework320})
            for (const Seen& s : SeenIn(p.Drawn(set), set))
                seen.insert(s);
        EXPECT_EQ(seen, scene.pictures) << "scene " << scene.id;
    }
}

// A spin that starts or ends a fever: its stones or curtain over the reels, the key and lock, the
// closing style's pictures and sounds, the reels that stand under them afterwards, and the end
// of the game once the sequence has run.
TEST(MorvanePlayerTest, FeverSequencesInBothStylesAndBothClosings)
{
    struct Case {
        const char* what;
        bool start;
        int32_t drawMode;  // 1: curtain
        int32_t closing;   // rock start: 0 the stones sink, 1 they burst
        std::set<Seen> pictures;
        std::vector<int32_t> sounds;
    };
    const Case cases[] = {
        {"rock start, sinking stones",
         true,
         0,
         0,
         {{S::Stones, 0, 84, 800, 459}, {S::KeyAndLock, 240, 233, 320, 140}},
         {28, 29, 30}},
        {"rock start, bursting stones",
         true,
         0,
         1,
         {{S::Stones, 0, 84, 800, 459},
          {S::KeyAndLock, 240, 233, 320, 140},
          {S::StoneBursts, 0, 84, 800, 459}},
         {28, 29}},
        {"curtain start",
         true,
         1,
         0,
         {{S::Curtain, 0, 83, 400, 461}, {S::Curtain, 400, 83, 400, 461}},
         {22}},
        {"rock end", false, 0, 0, {{S::Stones, 0, 84, 800, 459}}, {}},
        {"curtain end",
         false,
         1,
         0,
         {{S::Curtain, 0, 83, 400, 461}, {S::Curtain, 400, 83, 400, 461}},
         {}},
    };
    for (const Case& c : cases) {
        CMorvaneSpinData record = Plain();
        record.FeverDrawMode = c.drawMode;
        record.FeverCue2 = c.closing;
        const int32_t saved[4] = {1, 2, 3, 4};
        std::copy(std::begin(saved), std::end(saved), record.FeverReel);
        if (c.start) {
            record.FeverTime = 1;
            record.MoSumState = 31;  // the bar fever: reel set 2
        } else {
            record.FeverStop = 1;
            record.nReelSet = 2;
            record.MoFever = 2;
        }
        Player p({record, Plain()});
        std::set<Seen> seen;
        std::set<int32_t> heard;
        const bool ended = p.RunUntil([&] {
            for (S set : {S::Stones, S::KeyAndLock, S::StoneBursts, S::Curtain})
                for (const Seen& s : SeenIn(p.Drawn(set), set))
                    seen.insert(s);
            heard.insert(p.io.m_Played.begin(), p.io.m_Played.end());
            return Count(p.sender.m_Sent, MorvaneRequest::GameFin) == 1;
        });
        ASSERT_TRUE(ended) << c.what << ": the game ends after the sequence";
        EXPECT_EQ(seen, c.pictures) << c.what;
        for (int32_t sound : c.sounds)
            EXPECT_EQ(heard.count(sound), 1u) << c.what << ": sound " << sound;
        if (c.start) {
            EXPECT_EQ(p.main.m_Rec.nReelSet, 2) << c.what << ": the fever reels stand";
            EXPECT_EQ(p.main.m_Rec.FeverTime, 0) << c.what;
        } else {
            EXPECT_EQ(p.main.m_Rec.nReelSet, 0) << c.what << ": the normal reels are back";
            EXPECT_EQ(std::vector<int32_t>(p.main.m_Rec.Array, p.main.m_Rec.Array + 4),
                      std::vector<int32_t>(std::begin(saved), std::end(saved)))
                << c.what;
            EXPECT_EQ(p.main.m_Rec.MoFever, 1) << c.what;
        }
    }
}

// The reel effects of a spin record: the light boom over the middle reels, the horse from the
// right with its hoof sound looping, the figure crossing from the right with its sound looping.
TEST(MorvanePlayerTest, ReelEffectsAandBandCDrawTheirFiguresAndLoopTheirSounds)
{
    struct Case {
        int32_t smoke;
        Seen first;
        int32_t loopedSound;
    };
    const Case cases[] = {
        {1, {S::LightBoom, 192, 0, 416, 550}, 28},
        {2, {S::Horse, 744, 228, 56, 120}, 24},
        {3, {S::Yang, 653, 185, 147, 193}, 33},
    };
    for (const Case& c : cases) {
        CMorvaneSpinData record = Plain();
        record.SmokeCount = c.smoke;
        Player p({record});
        // The record's effect shows once the reels have taken the record over.
        ASSERT_TRUE(p.RunUntil([&] { return p.main.ResultTaken == 1; })) << c.smoke;
        std::set<Seen> seen;
        bool looped = false;
        for (int step = 0; step < 12; ++step) {
            p.Frame();
            const S set = std::get<0>(c.first);
            for (const Seen& s : SeenIn(p.Drawn(set), set))
                seen.insert(s);
            looped |= Count(p.io.m_Looped, c.loopedSound) > 0;
        }
        EXPECT_EQ(seen, std::set<Seen>{c.first}) << "effect " << c.smoke;
        EXPECT_TRUE(looped) << "effect " << c.smoke;
    }
}

// The caption line: the jackpot ticker scrolling in from x 592 while nothing is won, and the
// jackpot caption at (220, 18) once a winning spin on the jackpot pattern rests.
TEST(MorvanePlayerTest, CaptionsTickerThenTheJackpotCaption)
{
    CMorvaneSpinData jackpot = Plain(125000);
    const int32_t stops[4] = {0, 1, 0, 1};
    std::copy(std::begin(stops), std::end(stops), jackpot.Array);
    jackpot.jackValue = 7;
    Player p({jackpot});
    p.m_byAutoPlay = 0;
    p.Frame();
    std::vector<int32_t> xs;
    for (const TextCall& t : p.io.m_Texts)
        if (t.text.find("Morvane") != std::string::npos) {
            EXPECT_EQ(t.y, 18);
            EXPECT_EQ(t.text, "대박의 꿈..   Morvane 게임랜드   잭팟 0");
            xs.push_back(t.x);
        }
    EXPECT_EQ(xs, (std::vector<int32_t>{592, 592})) << "two copies, both at the start";
    p.Frame();
    const auto ticker =
        std::find_if(p.io.m_Texts.begin(), p.io.m_Texts.end(),
                     [](const TextCall& t) { return t.text.find("Morvane") != std::string::npos; });
    ASSERT_NE(ticker, p.io.m_Texts.end());
    EXPECT_EQ(ticker->x, 591) << "the first copy moves left one pixel a step";

    p.m_byAutoPlay = 1;
    ASSERT_TRUE(p.RunUntil([&] {
        return std::any_of(p.io.m_Texts.begin(), p.io.m_Texts.end(),
                           [](const TextCall& t) { return t.text == "당첨 Morvane잭팟"; });
    }));
    const auto caption =
        std::find_if(p.io.m_Texts.begin(), p.io.m_Texts.end(),
                     [](const TextCall& t) { return t.text == "당첨 Morvane잭팟"; });
    EXPECT_EQ(caption->x, 220);
    EXPECT_EQ(caption->y, 18);
    EXPECT_TRUE(caption->argb == 0xFFFFFF00 || caption->argb == 0xFFFF0000);
    EXPECT_GT(p.main.ReelSettle[3], p.main.m_nSettleWait) << "only once the reels rest";
}

// The debug modes' overlays, drawn with a one-pixel shadow: the deposit lines of mode 6.
TEST(MorvanePlayerTest, DepositModeShowsItsTwoLines)
{
    Player p({});
    p.main.SettingFlag = 6;
    p.main.giftpaid = 2;
    p.Frame();
    struct Line {
        const char* text;
        int32_t x, y;
    };
    for (const Line& line :
         {Line{"돈입금 수 : 0 만원", 20, 100}, Line{"상품권 수 : 2 장 ", 20, 200}}) {
        int shown = 0, shadows = 0;
        for (const TextCall& t : p.io.m_Texts) {
            shown += t.text == line.text && t.x == line.x && t.y == line.y && t.argb == 0xFFFFFFFF;
            shadows += t.text == line.text && t.x == line.x + 1 && t.y == line.y + 1 &&
                       t.argb == 0xFF000000;
        }
        EXPECT_EQ(shown, 1) << line.text;
        EXPECT_EQ(shadows, 1) << line.text;
    }
}

// The operator's setting screen on an empty machine, driven by its held keys: each page's title
// bar and items where they stand, the cursor's item blinking 20 steps on and 20 off, and the
// values Select stores.
TEST(MorvanePlayerTest, SettingScreenPagesAndValuesThroughTheOperatorKeys)
{
    Player p({});
    // An empty machine: the idle handler asks for the screen as well as the mode-1 step.
    p.main.m_nCredit = 0;
    p.main.SettingFlag = 1;
    p.m_byAutoPlay = 0;
    auto press = [&](int key) {
        p.main.m_anKeyRequest[key] = 1;
        for (int step = 0; step < 6; ++step)
            p.Frame();
    };
    auto setting = [&](const char* name) { return Slot(S::Setting, MorvaneSettingImage(name)); };
    auto drawnAt = [&](const char* name, float x, float y) {
        int n = 0;
        for (const DrawCall& d : p.io.m_Draws)
            n += d.slot == setting(name) && d.x == x && d.y == y;
        return n;
    };
    p.Frame();
    EXPECT_EQ(drawnAt("prob_back", 20, 19), 1) << "the screen is drawn once a step";
    EXPECT_EQ(drawnAt("bar02", 29, 27), 1);
    for (int i = 0; i < 4; ++i) {
        const std::string item = "game_sul_0" + std::to_string(i + 1);
        EXPECT_EQ(drawnAt(item.c_str(), 325, 122 + 51.0f * i), 1) << item;
    }
    // The cursor's item blinks 20 steps on and 20 off.
    std::vector<int> runs = {0};
    bool lit = drawnAt("game_sul_01u", 325, 122) == 1;
    for (int step = 0; step < 100; ++step) {
        p.Frame();
        const bool now = drawnAt("game_sul_01u", 325, 122) == 1;
        if (now != lit)
            runs.push_back(0);
        ++runs.back();
        lit = now;
    }
    ASSERT_GE(runs.size(), 4u);
    for (size_t i = 1; i + 1 < runs.size(); ++i)
        EXPECT_EQ(runs[i], 20) << "run " << i;

    // Next, Select: page 4, its title lower down; Next, Select: page 15, the spin patterns.
    press(1);
    press(3);
    ASSERT_EQ(p.main.m_pSinHo->m_nPage, 4);
    p.Frame();
    EXPECT_EQ(drawnAt("bar11", 29, 46), 1);
    EXPECT_EQ(drawnAt("partsuljung_01", 272, 122), 1);
    press(1);
    press(3);
    ASSERT_EQ(p.main.m_pSinHo->m_nPage, 15);
    press(0);  // from the first item back round to the last
    press(3);
    EXPECT_EQ(p.main.m_pSinHo->m_nSpinPattern, 2);
    p.Frame();
    EXPECT_EQ(drawnAt("reel_03", 272, 122 + 2 * 51.0f), 1);
}

// The standalone game (the loading screen's preload, no server): its first scripted spin rests on
// the script's stops in the middle row, its second shows the x2 series frame, and later ones stop
// the sounds the script names.
TEST(MorvanePlayerTest, StandaloneScriptStopsAndSeries)
{
    FakeOwner owner{kKind, 0, true};
    RecordingIO io;
    CMorvaneMain main{&owner, 100, &io};
    main.m_byNetworked = 0;
    main.m_nTopState = 10;
    main.m_nCredit = 100000;
    main.m_byInStep = 1;
    main.m_byDrawFlag = 1;
    // The host copies the deck's auto-play switch into the game on every frame.
    auto step = [&] {
        io.m_Draws.clear();
        main.m_byAutoPlay = 1;
        main.Tick(10);
    };
    int guard = 0;
    while (main.ReelSettle[3] != 20 && guard++ < 1000)
        step();
    ASSERT_EQ(main.ReelSettle[3], 20);
    // Script step 1: stops 11, 11, 12, 15 of set 0, each drawn at y 251 on its reel.
    const int32_t stops[4] = {11, 11, 12, 15};
    for (int reel = 0; reel < 4; ++reel) {
        const int32_t symbol = MorvaneSymbolAt(0, reel, stops[reel]);
        const bool shown =
            std::any_of(io.m_Draws.begin(), io.m_Draws.end(), [&](const DrawCall& d) {
                return d.slot == Slot(S::Symbols, symbol) && d.x == main.ReelX[reel] && d.y == 251;
            });
        EXPECT_TRUE(shown) << "reel " << reel;
    }
    EXPECT_EQ(main.m_nWinAmount, 2000);
    // The second spin: series 1, the x2 reel frame over the multiplier back.
    guard = 0;
    while (main.m_Rec.Seriescount != 1 && guard++ < 6000)
        step();
    ASSERT_EQ(main.m_Rec.Seriescount, 1);
    step();
    int frames = 0;
    for (const DrawCall& d : io.m_Draws)
        frames += d.slot == Slot(S::Multipliers, 5) && d.x == 31 && d.y == 107;
    EXPECT_EQ(frames, 1);

    // Scripted spins 25 and 33 silence the horse's three sounds and the carpet sound as they take
    // their result over.
    struct Stop {
        int32_t script;
        std::vector<int32_t> rows;
    };
    for (const Stop& stop : {Stop{25, {24, 25, 26}}, Stop{33, {27}}}) {
        guard = 0;
        while (main.m_nScriptStep != stop.script && guard++ < 100000) {
            io.m_Stopped.clear();
            step();
        }
        ASSERT_EQ(main.m_nScriptStep, stop.script);
        for (int32_t row : stop.rows)
            EXPECT_GE(Count(io.m_Stopped, row), 1) << "spin " << stop.script << ", row " << row;
    }
}
