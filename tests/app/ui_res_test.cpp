// The UI image registry against the generated resource tree and against trees with files missing:
// which slots hold which frames, the one error box and the posted quit, and empty slots that
// size to 0 and draw nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "CUIRes.h"
#include "platform/message_box.h"
#include "support/temp_folder.h"
#include "ui_device_fixture.h"

namespace {

const std::string kGenerated = std::string(CX_ASSETS_DIR) + "/data_ui";

struct Box {
    std::string text, caption;
    uint32_t type;
};
std::vector<Box> g_boxes;

int RecordBox(const char* text, const char* caption, uint32_t type)
{
    g_boxes.push_back({text, caption, type});
    return IDOK;
}

// The exit code of a posted quit, or nothing when none is waiting.
std::optional<int> TakeQuit()
{
    MSG msg;
    for (int i = 0; i < 10000 && Window_PeekMessage(&msg, true); ++i)
        if (msg.message == WM_QUIT)
            return static_cast<int>(msg.wParam);
    return std::nullopt;
}

class UIResTest : public UIDeviceTest {
protected:
    void SetUp() override
    {
        UIDeviceTest::SetUp();
        g_boxes.clear();
        Window_SetMessageBoxHook(RecordBox);
        TakeQuit();
    }
    void TearDown() override
    {
        Window_SetMessageBoxHook(nullptr);
        UIDeviceTest::TearDown();
    }

    TempFolder m_temp{"uires"};
};

// Frame counts and null frames by slot, as the registry's table lays them out.
struct SlotShape {
    int slot;
    int count;
    std::vector<int> nullFrames;
};

const SlotShape kShapes[] = {
    {0, 1, {}},   {1, 4, {3}},  {4, 4, {3}},   {9, 2, {}},    {11, 4, {3}},  {12, 4, {3}},
    {24, 4, {}},  {27, 4, {}},  {35, 3, {}},   {48, 16, {}},  {49, 4, {}},   {64, 4, {1, 3}},
    {71, 2, {}},  {75, 4, {}},  {80, 4, {}},   {81, 11, {}},  {82, 11, {}},  {83, 12, {}},
    {84, 25, {}},
};

TEST_F(UIResTest, GeneratedTreeFillsEverySlotButOne)
{
    CUIRes res(kGenerated.c_str());
    EXPECT_EQ(g_pUIRes, &res);
    EXPECT_TRUE(res.LoadAll());
    EXPECT_TRUE(res.GetFailed().empty()) << res.GetFailed().front();
    EXPECT_TRUE(g_boxes.empty());
    EXPECT_FALSE(TakeQuit().has_value());

    for (int slot = 0; slot < UIRES_SLOT_COUNT; ++slot)
        EXPECT_EQ(res.IsEmpty(slot), slot == 56) << "slot " << slot;
    for (const SlotShape& shape : kShapes) {
        const CUIFrames* frames = res.GetFrames(shape.slot);
        ASSERT_EQ(frames->GetCount(), shape.count) << "slot " << shape.slot;
        for (int k = 0; k < shape.count; ++k) {
            const bool null = std::count(shape.nullFrames.begin(), shape.nullFrames.end(), k) > 0;
            EXPECT_EQ(frames->Get(k) == nullptr, null) << "slot " << shape.slot << " frame " << k;
        }
    }
    // Sizes come from the images: the caption bar spans the screen, the message box fits its
    // quit button.
    EXPECT_EQ(res.GetFrames(0)->GetWidth(0), 1920);
    EXPECT_EQ(res.GetFrames(0)->GetHeight(0), 36);
    EXPECT_EQ(res.GetFrames(70)->GetWidth(0), 740);
    EXPECT_GE(res.GetFrames(70)->GetHeight(0), 470);
    EXPECT_EQ(res.GetFrames(7)->GetWidth(0), 1920);
    EXPECT_EQ(res.GetFrames(7)->GetHeight(0), 1080);
}

TEST_F(UIResTest, EmptySlotSizesToZeroAndDrawsNothing)
{
    CUIRes res(kGenerated.c_str());
    res.LoadAll();
    for (int slot : {56, -1, UIRES_SLOT_COUNT, 1000}) {
        CUIFrames* frames = res.GetFrames(slot);
        ASSERT_NE(frames, nullptr) << slot;
        EXPECT_EQ(frames->GetCount(), 0) << slot;
        EXPECT_EQ(frames->GetWidth(0), 0) << slot;
        EXPECT_EQ(res.GetFrame(slot, 0), nullptr) << slot;
    }
    EXPECT_EQ(res.GetFrame(64, 1), nullptr);

    Begin();
    res.GetFrames(56)->Draw(0, 0.0f, 0.0f);
    res.GetFrames(64)->Draw(1, 0.0f, 0.0f);
    End();
    EXPECT_TRUE(FindInk().Empty());

    // A filled slot draws where it is asked to.
    Begin();
    res.GetFrame(12, 0)->Draw(10.0f, 20.0f);
    End();
    const auto ink = FindInk();
    EXPECT_EQ(ink.left, 10);
    EXPECT_EQ(ink.top, 20);
    EXPECT_EQ(ink.right, 10 + res.GetFrames(12)->GetWidth(0) - 1);
}

// The paths the registry asks for, spellings and separators included: with no images at all,
// every path fails and is listed in load order.
TEST_F(UIResTest, PathsFollowFolderSetAndFile)
{
    const std::string folder = m_temp.String() + "/none";
    CUIRes res(folder.c_str());
    res.LoadAll();
    const std::vector<std::string>& failed = res.GetFailed();
    // 85 slots less the empty one: buttons ask for their present names, frame sets for each.
    EXPECT_EQ(failed.size(), 281u);
    const std::string expected[] = {
        "/caption_bg.png",
        "/ui_btn/btn_Window_F00.png",
        "//Login_button_d.png",
        "/Slot_Left_Chat_Bakgorund.png",
        "/m_select/Morvane_Backgorund.png",
        "/m_select_num/number_0.png",
        "/m_select_num/number_ForwardSlash.png",
        "/ui_etcs/Game_Infomation_Back.png",
        "/ui_etcs/reservation_button_Click.png",
        "/mor_game_small/Morv_topBackg_small_200.png",
        "/mor_game_small/Morv_3_disable_small.png",
        "/pics_pg/REEL12_0000.png",
        "/effect256_size/buttoneffec-00.png",
        "/effect256_size/buttoneffec-24.png",
    };
    for (const std::string& tail : expected)
        EXPECT_NE(std::find(failed.begin(), failed.end(), folder + tail), failed.end()) << tail;
    EXPECT_EQ(failed.front(), folder + "/caption_bg.png");
    EXPECT_EQ(failed.back(), folder + "/effect256_size/buttoneffec-24.png");
    for (int slot = 0; slot < UIRES_SLOT_COUNT; ++slot)
        EXPECT_TRUE(res.IsEmpty(slot)) << slot;
    EXPECT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(TakeQuit(), -1);
}

TEST_F(UIResTest, MissingImagesGiveOneBoxAndQuit)
{
    struct Case {
        const char* name;
        std::vector<std::string> missing;
        size_t failedPaths;   // a file named twice in a slot fails twice
        int slot;             // the slot the missing files belong to
        bool slotEmpty;       // the first image is gone: the slot stays empty
        std::vector<int> nullFrames;
    };
    const Case cases[] = {
        {"a pressed button frame", {"ui_btn/ok_click.png"}, 1, 4, false, {1, 3}},
        {"a button's first frame", {"ui_btn/cancel_on.png"}, 2, 5, true, {}},
        {"every caption button", {"ui_btn/btn_Window_F00.png", "ui_btn/btn_Full_F01.png", "ui_btn/btn_Exit_F02.png"},
         3, 1, true, {}},
        {"one digit glyph", {"m_select_num/number_3.png"}, 1, 48, false, {}},
    };
    for (const Case& c : cases) {
        g_boxes.clear();
        TempFolder temp("uires_missing");
        const std::string folder = temp.String() + "/data_ui";
        std::filesystem::copy(kGenerated, folder, std::filesystem::copy_options::recursive);
        for (const std::string& name : c.missing)
            ASSERT_TRUE(std::filesystem::remove(folder + "/" + name)) << name;

        CUIRes res(folder.c_str());
        EXPECT_TRUE(res.LoadAll()) << c.name;
        ASSERT_EQ(g_boxes.size(), 1u) << c.name;
        EXPECT_EQ(g_boxes[0].text, "리소스 읽기에 실패하였습니다.\n프로그램을 종료합니다") << c.name;
        EXPECT_EQ(g_boxes[0].caption, "Error") << c.name;
        EXPECT_EQ(g_boxes[0].type, MB_OK) << c.name;
        EXPECT_EQ(TakeQuit(), -1) << c.name;
        EXPECT_EQ(res.GetFailed().size(), c.failedPaths) << c.name;

        // What did load stays for the widgets built before the quit is processed.
        EXPECT_EQ(res.IsEmpty(c.slot), c.slotEmpty) << c.name;
        for (int k : c.nullFrames) {
            EXPECT_EQ(res.GetFrame(c.slot, k), nullptr) << c.name << " frame " << k;
        }
        EXPECT_FALSE(res.IsEmpty(70)) << c.name;
    }
    EXPECT_EQ(CUIRes(kGenerated.c_str()).GetFrames(56)->GetCount(), 0);
}

TEST_F(UIResTest, OccupiedButtonSlotKeepsItsFramesAndBadSlotsAreRefused)
{
    CUIRes res(kGenerated.c_str());
    ASSERT_TRUE(res.AddButton(4, "ok_on.png", "ok_click.png", nullptr, nullptr, "ui_btn"));
    CUIFrames* first = res.GetFrames(4);
    EXPECT_TRUE(res.AddButton(4, "cancel_on.png", nullptr, nullptr, nullptr, "ui_btn"));
    EXPECT_EQ(res.GetFrames(4), first);
    EXPECT_EQ(first->Get(2), nullptr);

    EXPECT_FALSE(res.AddButton(5, nullptr, "ok_on.png", nullptr, nullptr, "ui_btn"));
    EXPECT_TRUE(res.IsEmpty(5));
    EXPECT_FALSE(res.AddButton(UIRES_SLOT_COUNT, "ok_on.png", nullptr, nullptr, nullptr, "ui_btn"));
    EXPECT_FALSE(res.AddButton(-1, "ok_on.png", nullptr, nullptr, nullptr, "ui_btn"));

    EXPECT_EQ(res.AddFrame(9, "Loading_back.png", nullptr), 0);
    EXPECT_EQ(res.AddFrame(9, "Loading_gauge.png", nullptr), 1);
    EXPECT_EQ(res.AddFrame(9, "no_such.png", nullptr), -1);
    EXPECT_EQ(res.AddFrame(UIRES_SLOT_COUNT, "Loading_back.png", nullptr), -1);
    EXPECT_EQ(res.AddFrame(-1, "Loading_back.png", nullptr), -1);
    EXPECT_EQ(res.GetFrames(9)->GetCount(), 2);
    EXPECT_EQ(res.LoadTexture(nullptr, nullptr), nullptr);
}

TEST_F(UIResTest, DestructionClearsTheGlobal)
{
    {
        CUIRes res(kGenerated.c_str());
        EXPECT_EQ(g_pUIRes, &res);
    }
    EXPECT_EQ(g_pUIRes, nullptr);
}

}  // namespace
