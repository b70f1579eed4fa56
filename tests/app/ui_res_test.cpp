// The UI image registry against the generated resource tree and against trees with files missing:
// which slots hold which frames, the one error box and the posted quit, and empty slots that
// size to 0 and draw nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "CUIRes.h"
#include "platform/image.h"
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
    for (int i = 0; i < 10000 && platform::PeekMessage(&msg, true); ++i)
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
        platform::SetMessageBoxHook(RecordBox);
        TakeQuit();
    }
    void TearDown() override
    {
        platform::SetMessageBoxHook(nullptr);
        UIDeviceTest::TearDown();
    }

    // The generated tree's image names under the folder, each a small white picture (the
    // registry reads names, not sizes, and small pictures load fast), without the missing ones.
    static std::string SmallTree(const TempFolder& temp, const std::vector<std::string>& missing)
    {
        const std::filesystem::path folder = temp.Path() / "data_ui";
        const std::vector<uint32_t> white(kSmallWidth * kSmallHeight, 0xFFFFFFFF);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(kGenerated)) {
            const std::filesystem::path relative =
                std::filesystem::relative(entry.path(), kGenerated);
            if (!entry.is_regular_file() || entry.path().extension() != ".png" ||
                std::find(missing.begin(), missing.end(), relative.string()) != missing.end())
                continue;
            std::filesystem::create_directories((folder / relative).parent_path());
            EXPECT_TRUE(platform::SavePng((folder / relative).c_str(), kSmallWidth, kSmallHeight,
                                          white.data(), kSmallWidth * 4));
        }
        for (const std::string& name : missing)
            EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(kGenerated) / name)) << name;
        return folder.string();
    }
    static constexpr int kSmallWidth = 6;
    static constexpr int kSmallHeight = 4;

    TempFolder m_temp{"uires"};
};

// Frame counts and null frames by slot, as the registry's table lays them out.
struct SlotShape {
    int slot;
    int count;
    std::vector<int> nullFrames;
};

const SlotShape kShapes[] = {
    {0, 1, {}},   {1, 4, {3}},     {4, 4, {3}},  {9, 2, {}},   {11, 4, {3}},
    {12, 4, {3}}, {24, 4, {}},     {27, 4, {}},  {35, 3, {}},  {48, 16, {}},
    {49, 4, {}},  {64, 4, {1, 3}}, {71, 2, {}},  {75, 4, {}},  {80, 4, {}},
    {81, 11, {}}, {82, 11, {}},    {83, 12, {}}, {84, 25, {}},
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
    CUIRes res(SmallTree(m_temp, {}).c_str());
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
    EXPECT_EQ(ink.right, 10 + kSmallWidth - 1);
    EXPECT_EQ(ink.bottom, 20 + kSmallHeight - 1);
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

// What a slot holds after a load with files missing.
struct SlotAfter {
    int slot;
    bool empty;  // its first image is gone
    int count;
    std::vector<int> nullFrames;
};

TEST_F(UIResTest, MissingImagesGiveOneBoxAndQuit)
{
    struct Case {
        const char* name;
        std::vector<std::string> missing;
        size_t failedPaths;  // a file named twice in a slot fails twice
        std::vector<SlotAfter> slots;
    };
    const Case cases[] = {
        {"one pressed button frame",
         {"ui_btn/ok_click.png"},
         1,
         {{4, false, 4, {1, 3}}, {5, false, 4, {3}}}},
        {"images of several slots",
         {"ui_btn/cancel_on.png", "ui_btn/btn_Window_F00.png", "ui_btn/btn_Full_F01.png",
          "m_select_num/number_3.png", "mor_game/Morv_topBackg100.png"},
         6,
         {{5, true, 0, {}},
          {1, true, 0, {}},
          {2, false, 4, {1, 3}},
          {48, false, 15, {}},
          {71, false, 1, {}},
          {73, false, 2, {}}}},
    };
    for (const Case& c : cases) {
        g_boxes.clear();
        TempFolder temp("uires_missing");
        const std::string folder = SmallTree(temp, c.missing);

        CUIRes res(folder.c_str());
        EXPECT_TRUE(res.LoadAll()) << c.name;
        ASSERT_EQ(g_boxes.size(), 1u) << c.name;
        EXPECT_EQ(g_boxes[0].text, "리소스 읽기에 실패하였습니다.\n프로그램을 종료합니다")
            << c.name;
        EXPECT_EQ(g_boxes[0].caption, "Error") << c.name;
        EXPECT_EQ(g_boxes[0].type, MB_OK) << c.name;
        EXPECT_EQ(TakeQuit(), -1) << c.name;
        EXPECT_EQ(res.GetFailed().size(), c.failedPaths) << c.name;

        // What did load stays for the widgets built before the quit is processed.
        for (const SlotAfter& after : c.slots) {
            EXPECT_EQ(res.IsEmpty(after.slot), after.empty) << c.name << " slot " << after.slot;
            EXPECT_EQ(res.GetFrames(after.slot)->GetCount(), after.count)
                << c.name << " slot " << after.slot;
            for (int k : after.nullFrames)
                EXPECT_EQ(res.GetFrame(after.slot, k), nullptr)
                    << c.name << " slot " << after.slot << " frame " << k;
        }
        EXPECT_FALSE(res.IsEmpty(70)) << c.name;
    }
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
