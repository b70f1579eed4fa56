// The widget tree with synthetic messages: packed ids on posted messages, modal dialogs, capture,
// press repeat, radio buttons, duplicate ids, pointer scaling, overlap and hidden widgets.
#include <gtest/gtest.h>

#include "CDXButton.h"
#include "CDXDialog.h"
#include "CDXLabel.h"
#include "CDXRadioButton.h"
#include "widget_fixture.h"

namespace {

TEST(WidgetIds, PackedUnsigned)
{
    struct Case {
        int32_t parent, id;
        WPARAM packed;
    };
    const Case cases[] = {
        {0x123, 7, 0x01230007u},
        {-1, 7, 0xFFFF0007u},         // no parent: high word 0xFFFF, never sign-extended
        {0x8001, 0x12, 0x80010012u},  // high bit of the parent id stays in 32 bits
        {5, 0x12345, 0x00052345u},    // widget id cut to its low word
    };
    for (const Case& c : cases)
        EXPECT_EQ(DXPackWidgetIds(c.parent, c.id), c.packed) << c.parent << "/" << c.id;
}

class WidgetRoutingTest : public WidgetTest {};

TEST_F(WidgetRoutingTest, ClickPostsPressAndClickWithPackedIdsAndReachesTheParent)
{
    auto* panel = new RecordingWnd();
    ASSERT_TRUE(panel->CreateWidget(100, 50, 400, 300, 0x123, root, 0, 255));
    CDXButton* button = panel->CreateButton(7, 10, 10, &m_buttonFrames, nullptr);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->GetWidth(), 40);

    EXPECT_EQ(Mouse(WM_LBUTTONDOWN, 115, 65), 7);
    EXPECT_EQ(button->GetState(), 1);
    EXPECT_EQ(Mouse(WM_LBUTTONUP, 115, 65), 7);
    EXPECT_EQ(button->GetState(), 2);
    const std::vector<MSG> posted = Posted(true);
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0].message, 1926u);
    EXPECT_EQ(posted[1].message, 1925u);
    EXPECT_EQ(posted[1].wParam, WPARAM{0x01230007u});
    EXPECT_EQ(posted[1].hwnd, g_hDXWnd);
    EXPECT_EQ(panel->calls, (std::vector<std::string>{"press 7", "click 7"}));
}

TEST_F(WidgetRoutingTest, PressedThenReleasedOutsidePostsNoClick)
{
    CDXButton* button = root->CreateButton(7, 10, 10, &m_buttonFrames, nullptr);
    ASSERT_NE(button, nullptr);
    Mouse(WM_LBUTTONDOWN, 20, 20);
    EXPECT_EQ(Mouse(WM_MOUSEMOVE, 300, 300), 7);  // the capture keeps the button informed
    EXPECT_EQ(button->GetState(), 0);
    Mouse(WM_LBUTTONUP, 300, 300);
    EXPECT_EQ(button->GetState(), 0);
    EXPECT_EQ(root->GetCaptured(), nullptr);
    const std::vector<MSG> posted = Posted();
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].message, WM_DX_PRESS);
    // Back inside while still held: pressed again, and the release clicks.
    Mouse(WM_LBUTTONDOWN, 20, 20);
    Mouse(WM_MOUSEMOVE, 300, 300);
    Mouse(WM_MOUSEMOVE, 21, 21);
    EXPECT_EQ(button->GetState(), 1);
    Mouse(WM_LBUTTONUP, 21, 21);
    EXPECT_EQ(Posted().back().message, WM_DX_CLICK);
}

TEST_F(WidgetRoutingTest, HeldButtonRepeatsPressAfterHalfASecondEveryInterval)
{
    struct Case {
        float interval, held;
        size_t presses;
    };
    const Case cases[] = {
        {0.5f, 0.4f, 1}, {0.5f, 1.2f, 2}, {0.5f, 1.6f, 3}, {0.1f, 0.45f, 1}, {0.1f, 1.2f, 8},
    };
    for (const Case& c : cases) {
        CDXButton* button = root->CreateButton(7, 10, 10, &m_buttonFrames, nullptr);
        ASSERT_NE(button, nullptr);
        button->SetRepeatInterval(c.interval);
        Mouse(WM_LBUTTONDOWN, 20, 20);
        const int steps = static_cast<int>(c.held / 0.05f + 0.5f);
        for (int i = 0; i < steps; ++i)
            root->Update(0.05f);
        const std::vector<MSG> posted = Posted();
        EXPECT_EQ(posted.size(), c.presses) << "interval " << c.interval << " held " << c.held;
        Mouse(WM_LBUTTONUP, 300, 300);
        root->Update(1.0f);  // released: no more repeats
        EXPECT_EQ(Posted().size(), 0u);
        delete button;
    }
}

TEST_F(WidgetRoutingTest, ModalDialogTakesKeysAndSwallowsMouseOutsideItsControls)
{
    CDXButton* below = root->CreateButton(7, 10, 10, &m_buttonFrames, nullptr);
    auto* dialog = new RecordingDialog();
    ASSERT_TRUE(dialog->CreateWidget(500, 500, 200, 100, 20, root, 0, 255));
    dialog->SetModal(true);
    ASSERT_NE(below, nullptr);
    // Dialogs come after every control in the list.
    EXPECT_EQ(root->GetChildren().back(), dialog);

    EXPECT_EQ(Mouse(WM_LBUTTONDOWN, 20, 20), 20);
    EXPECT_EQ(Mouse(WM_LBUTTONUP, 20, 20), 20);
    EXPECT_EQ(below->GetState(), 0);
    EXPECT_TRUE(Posted().empty());
    root->DispatchMessage(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(dialog->calls.back(), "key 13");
    EXPECT_TRUE(root->calls.empty() || root->calls.back() != "key 13");
    EXPECT_FALSE(below->IsFocused());

    dialog->Show(false);
    root->DispatchMessage(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(root->calls.back(), "key 13");
    Click(20, 20);
    EXPECT_EQ(Posted().size(), 2u);
    EXPECT_TRUE(below->IsFocused());
}

TEST_F(WidgetRoutingTest, ToggleRadioFlipsAndPostsEachTime)
{
    CDXRadioButton* toggle = root->CreateRadioButton(30, 10, 10, &m_buttonFrames, true);
    ASSERT_NE(toggle, nullptr);
    EXPECT_FALSE(toggle->IsChecked());
    Click(20, 20);
    EXPECT_TRUE(toggle->IsChecked());
    Click(20, 20);
    EXPECT_FALSE(toggle->IsChecked());
    const std::vector<MSG> posted = Posted();
    ASSERT_EQ(posted.size(), 2u);
    for (const MSG& m : posted) {
        EXPECT_EQ(m.message, WM_DX_RADIO_SELECT);
        EXPECT_EQ(m.lParam, 30);
        EXPECT_EQ(m.wParam, DXPackWidgetIds(1, 30));
    }
}

TEST_F(WidgetRoutingTest, SelectRadioChecksOneOfAConsecutiveRange)
{
    CDXRadioButton* r[3];
    for (int k = 0; k < 3; ++k) {
        r[k] = root->CreateRadioButton(40 + k, 10 + 50 * k, 10, &m_buttonFrames, false);
        ASSERT_NE(r[k], nullptr);
    }
    struct Case {
        int selected;
        bool checked[3];
    };
    const Case cases[] = {
        {41, {false, true, false}},
        {99, {false, true, false}},  // not in the range: nothing changes
        {42, {false, false, true}},
        {-1, {false, false, false}},
    };
    for (const Case& c : cases) {
        root->SelectRadio(40, 42, c.selected);
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(r[k]->IsChecked(), c.checked[k])
                << "selected " << c.selected << " radio " << k;
    }
    // Without toggle mode a click only reports; the parent decides.
    Click(20, 20);
    EXPECT_FALSE(r[0]->IsChecked());
    EXPECT_EQ(Posted(true).size(), 1u);
    EXPECT_EQ(root->calls.back(), "radio 40");
}

TEST_F(WidgetRoutingTest, DuplicateIdAnywhereInTheTreeQuitsAndIsNotAdded)
{
    auto* panel = new RecordingWnd();
    ASSERT_TRUE(panel->CreateWidget(0, 0, 100, 100, 50, root, 0, 255));
    ASSERT_NE(panel->CreateButton(51, 0, 0, &m_buttonFrames, nullptr), nullptr);
    auto* other = new RecordingWnd();
    ASSERT_TRUE(other->CreateWidget(0, 0, 100, 100, 60, root, 0, 255));
    Posted();
    m_nQuit = -100;

    EXPECT_EQ(other->CreateButton(51, 0, 0, &m_buttonFrames, nullptr), nullptr);
    EXPECT_TRUE(other->GetChildren().empty());
    Posted();
    EXPECT_EQ(m_nQuit, 0);

    auto* orphan = new RecordingWnd();
    EXPECT_FALSE(orphan->CreateWidget(0, 0, 10, 10, 50, panel, 0, 255));
    EXPECT_EQ(orphan->GetParent(), nullptr);
    delete orphan;
    EXPECT_EQ(root->FindById(50), panel);
}

TEST_F(WidgetRoutingTest, ChildrenKeepControlsThenWindowsThenDialogs)
{
    auto* dialog = new RecordingDialog();
    ASSERT_TRUE(dialog->CreateWidget(0, 0, 10, 10, 2, root, 0, 255));
    auto* window = new RecordingWnd();
    ASSERT_TRUE(window->CreateWidget(0, 0, 10, 10, 3, root, 0, 255));
    CDXButton* button = root->CreateButton(4, 0, 0, &m_buttonFrames, nullptr);
    auto* dialog2 = new RecordingDialog();
    ASSERT_TRUE(dialog2->CreateWidget(0, 0, 10, 10, 5, root, 0, 255));
    const std::vector<CDXWnd*> expected = {button, window, dialog, dialog2};
    EXPECT_EQ(root->GetChildren(), expected);
}

TEST_F(WidgetRoutingTest, PointerScaleMapsClientPixelsToTheLayout)
{
    CDXButton* button = root->CreateButton(7, 150, 150, &m_buttonFrames, nullptr);
    ASSERT_NE(button, nullptr);
    g_fPointerScaleX = g_fPointerScaleY = 1.5f;  // a 1280x720 client
    EXPECT_EQ(Mouse(WM_LBUTTONDOWN, 100, 100), 7);
    Mouse(WM_LBUTTONUP, 100, 100);
    EXPECT_EQ(Posted().back().message, WM_DX_CLICK);
    EXPECT_EQ(Mouse(WM_LBUTTONDOWN, 150, 150),
              1);  // 225 in the layout: beside the button, the root's
    EXPECT_EQ(button->GetState(), 0);
    EXPECT_TRUE(Posted().empty());
}

TEST_F(WidgetRoutingTest, LaterOverlappingChildTakesTheMouseAndTheOtherIsLeft)
{
    auto* first = new RecordingWnd();
    ASSERT_TRUE(first->CreateWidget(0, 0, 100, 100, 2, root, 0, 255));
    auto* second = new RecordingWnd();
    ASSERT_TRUE(second->CreateWidget(50, 50, 100, 100, 3, root, 0, 255));
    EXPECT_EQ(Mouse(WM_LBUTTONDOWN, 60, 60), 3);
    EXPECT_EQ(second->calls, std::vector<std::string>{"down"});
    EXPECT_EQ(first->calls, std::vector<std::string>{"leave"});
}

TEST_F(WidgetRoutingTest, HiddenWidgetRunsOnlyItsOwnUpdateAndTakesNothing)
{
    auto* panel = new RecordingWnd();
    ASSERT_TRUE(panel->CreateWidget(0, 0, 100, 100, 2, root, 0, 255));
    auto* inner = new RecordingWnd();
    ASSERT_TRUE(inner->CreateWidget(0, 0, 100, 100, 3, panel, 0, 255));
    panel->Show(false);
    root->Update(0.1f);
    EXPECT_EQ(panel->calls, std::vector<std::string>{"update"});
    EXPECT_TRUE(inner->calls.empty());
    EXPECT_EQ(Mouse(WM_LBUTTONDOWN, 10, 10), 1);  // the root's own handler
    EXPECT_EQ(inner->calls, std::vector<std::string>{"leave"});
    root->Show(false);
    EXPECT_EQ(Mouse(WM_LBUTTONDOWN, 10, 10), -1);
}

TEST_F(WidgetRoutingTest, ScreenMessageGoesOnlyToTheWidgetNamedInTheHighWord)
{
    auto* screen = new RecordingWnd();
    ASSERT_TRUE(screen->CreateWidget(0, 0, 100, 100, 19, root, 0, 255));
    EXPECT_EQ(root->DispatchMessage(WM_DX_SCREEN_MSG, DXPackWidgetIds(13, 4), 0), -1);
    EXPECT_TRUE(screen->calls.empty());
    EXPECT_EQ(root->DispatchMessage(WM_DX_SCREEN_MSG, DXPackWidgetIds(19, 4), 0), 19);
    EXPECT_EQ(screen->calls, std::vector<std::string>{"screen 4"});
}

}  // namespace
