// The item belt: its 20-kind cycle, missing kinds, the cell size fallback, animate flags, the hit
// animation and the number on kind 3.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "CXDrawITEM.h"
#include "pelagorn_fixture.h"

namespace {

constexpr uint32_t kPicture = 0xFF20A040, kHit = 0xFFE0E0E0;
const std::vector<int32_t> kSequence = {1, 2, 1, 4, 1, 3, 1, 5, 1, 2, 1, 4, 1, 2, 1, 6, 1, 2, 1, 4};

class PelagornItems : public PelagornTest {
protected:
    void SetUp() override
    {
        PelagornTest::SetUp();
        WriteAnf("image/item/font.anf", 10, 10,
                 {0xFF0000FF, 0xFFFF0000, 0xFF00FF00, 0xFF00FFFF, 0xFFFF00FF, 0xFFFFFF00,
                  0xFF808000, 0xFF008080, 0xFF800080, 0xFF404040},
                 10);
    }
    // Kinds 1..7, each with one 50 x 40 picture (always animated or not) and a hit animation that
    // plays its three frames once.
    void WriteKinds(int32_t alwaysAnimate, const std::set<int>& skip = {})
    {
        for (int k = 1; k <= 7; ++k) {
            if (skip.count(k))
                continue;
            const std::string folder = "image/item/k" + std::to_string(k) + "/";
            WriteAnf(folder + "pic.anf", 50, 40, {kPicture});
            WriteAnf(folder + "hit.anf", 50, 40, {kHit}, 3, "FPS=10\nLOOP_MODE=FWD|NOLOOP\n");
            WriteText(folder + "kind.cfg",
                      "ITEM_COUNT=2\nITEM_0=" + std::to_string(alwaysAnimate) +
                          ", pic.anf, hit.anf\nITEM_1=\nITEM_EFFECT_ANF=hit.anf\n");
        }
    }
    std::string Kinds(const std::set<int>& empty = {}, const std::set<int>& missing = {})
    {
        std::string text;
        for (int k = 0; k < 8; ++k) {
            const std::string key = "ITEM_" + std::to_string(k) + "=";
            if (k == 0 || empty.count(k))
                text += key + "\n";
            else if (missing.count(k))
                text += key + "nowhere\\kind.cfg\n";
            else
                text += key + "k" + std::to_string(k) + "\\kind.cfg\n";
        }
        return text;
    }
    void Load(const std::string& text)
    {
        WriteText("image/item/item.cfg", text);
        m_items.Init();
    }
    std::vector<int32_t> BeltKinds()
    {
        std::vector<int32_t> kinds;
        for (auto* e = m_items.m_Belt.m_pHead; e; e = e->m_pNext)
            kinds.push_back(e->m_pData->m_nKind);
        return kinds;
    }
    CXDrawITEM m_items;
};

TEST_F(PelagornItems, CellsLeaveEveryCellWidthAndNewOnesCycleThroughTheSequence)
{
    WriteKinds(1);
    Load("SPEED=60\nY_POS=300\nW=120\nH=60\n" + Kinds());
    EXPECT_EQ(BeltKinds(), kSequence);
    std::vector<int32_t> added;
    std::vector<int> departures;
    for (int frame = 1; added.size() < 40 && frame <= 60 * 100; ++frame) {
        const uint32_t before = m_items.m_Belt.GetCount();
        const float offset = m_items.m_fOffset;
        m_items.Update(1.0f / 60.0f);
        if (m_items.m_fOffset < offset) {
            departures.push_back(frame);
            ASSERT_EQ(m_items.m_Belt.GetCount(), before);
            added.push_back(m_items.m_Belt.m_pTail->m_pData->m_nKind);
        }
    }
    ASSERT_EQ(added.size(), 40u);
    for (size_t i = 0; i < added.size(); ++i)
        EXPECT_EQ(added[i], kSequence[i % 20]) << i;
    // 120 px at 60 px/s: one cell about every two seconds.
    EXPECT_EQ(departures[0], 120);
    EXPECT_EQ(departures[1] - departures[0], 120);
}

TEST_F(PelagornItems, KindsWithoutPicturesNeverMakeCells)
{
    WriteKinds(1);
    Load("SPEED=600\nW=100\nH=60\n" + Kinds({5}, {6}));
    std::vector<int32_t> expected;
    for (int32_t k : kSequence)
        if (k != 5 && k != 6)
            expected.push_back(k);
    EXPECT_EQ(BeltKinds(), expected);
    for (int i = 0; i < 60 * 10; ++i) {
        m_items.Update(1.0f / 60.0f);
        for (int32_t k : BeltKinds())
            ASSERT_TRUE(k != 5 && k != 6) << i;
    }
}

TEST_F(PelagornItems, AbsentCellSizeTakesTheFirstPicturesSize)
{
    WriteKinds(1);
    Load("Y_POS=10\n" + Kinds());
    EXPECT_EQ(m_items.m_fWidth, 50.0f);
    EXPECT_EQ(m_items.m_fHeight, 40.0f);
    EXPECT_EQ(m_items.m_fSpeed, 10.0f) << "SPEED is conditional";

    CXDrawITEM none;
    std::filesystem::remove(m_folder.Path() / "image/item/item.cfg");
    none.Init();
    EXPECT_EQ(none.m_Belt.GetCount(), 0u);
    EXPECT_TRUE(none.m_Sequence.empty());
    for (int i = 0; i < 100; ++i)
        none.Update(0.1f);
    EXPECT_EQ(none.m_Belt.GetCount(), 0u);
    DrawFrame([&] { none.Draw(); });
}

TEST_F(PelagornItems, PicturesThatDoNotAlwaysAnimateAnimateInAboutHalfOfTheirCells)
{
    WriteKinds(0);
    Load("SPEED=6000\nW=100\nH=60\n" + Kinds());
    std::multiset<int32_t> flags;
    for (int i = 0; i < 200; ++i) {
        m_items.Update(0.05f);
        flags.insert(m_items.m_Belt.m_pTail->m_pData->m_bAnimate);
    }
    EXPECT_GT(flags.count(1), 50u);
    EXPECT_GT(flags.count(0), 50u);

    CXDrawITEM always;
    WriteKinds(1);
    always.Init();
    for (auto* e = always.m_Belt.m_pHead; e; e = e->m_pNext)
        EXPECT_EQ(e->m_pData->m_bAnimate, 1);
}

TEST_F(PelagornItems, AHitCellPlaysItsHitAnimationOnceThenShowsItsPictureAgain)
{
    WriteKinds(1);
    Load(
        "Y_POS=300\nW=120\nH=60\nSMALL_PRIZE_FONT=/image/item/font.anf\nSMALL_PRIZE_FONT_SIZE=1\n" +
        Kinds());
    CXDrawItemBeltInfo& first = *m_items.m_Belt.m_pHead->m_pData;
    // What the game scene does on a hit.
    first.m_bHit = 1;
    first.m_pPicture->m_Hit.SetFrame(0);
    first.m_pPicture->m_Hit.Play(true);
    // The first cell's 50 x 40 picture stands centred on the cell's bottom: x 35..85, y 320..360.
    DrawFrame([&] { m_items.Draw(); });
    EXPECT_EQ(Pixel(60, 340), kHit & 0xFFFFFF);
    EXPECT_EQ(Pixel(60, 318), 0u);
    int frames = 0;
    while (first.m_bHit && frames < 200) {
        m_items.Update(1.0f / 30.0f);
        DrawFrame([&] { m_items.Draw(); });
        ++frames;
    }
    EXPECT_EQ(first.m_bHit, 0);
    EXPECT_GT(frames, 5);
    DrawFrame([&] { m_items.Draw(); });
    EXPECT_EQ(Pixel(60, 340), kPicture & 0xFFFFFF);
}

TEST_F(PelagornItems, KindThreeShowsItsNumberAboveTheCell)
{
    WriteKinds(1);
    Load("Y_POS=300\nW=120\nH=60\nSMALL_PRIZE_FONT= image/item/font.anf "
         "\nSMALL_PRIZE_FONT_SIZE=1\n" +
         Kinds());
    int index = 0;
    for (auto* e = m_items.m_Belt.m_pHead; e; e = e->m_pNext, ++index)
        EXPECT_EQ(e->m_pData->m_nNumber, e->m_pData->m_nKind == 3 ? 100 : 0) << index;
    DrawFrame([&] { m_items.Draw(); });
    // The kind-3 cell is the sixth: left 600 + 35, top 320. "100" is 30 px wide and starts at
    // 635 + 10 - 12 = 633, at y 320 - 50 + 40 - 10 - 20 = 280.
    EXPECT_EQ(Pixel(637, 285), 0xFF0000u) << "digit 1";
    EXPECT_EQ(Pixel(647, 285), 0x0000FFu) << "digit 0";
    EXPECT_EQ(Pixel(660, 285), 0x0000FFu) << "digit 0";
    EXPECT_EQ(Pixel(630, 285), 0u);
    EXPECT_EQ(Pixel(637, 278), 0u);
    EXPECT_EQ(Pixel(160, 285), 0u) << "no number on other kinds";
}

}  // namespace
