// The generated resource tree on the screens a player sees first (loading, login, lobby, the
// caption bar): every shown control lies inside the 1920x1080 screen and inside its parent, no two
// shown controls of one parent cover each other, and the parts drawn without a control of their own
// (the loading bar and its percentage, the prize list's symbols) stay where they belong.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "CUIFrames.h"
#include "CUIRes.h"
#include "CWndCaption.h"
#include "CWndGameChat.h"
#include "CWndGameChatList.h"
#include "CWndGamePrizeList.h"
#include "CWndLoading.h"
#include "CWndLogin.h"
#include "CWndLoginPanel.h"
#include "lobby_fixture.h"

namespace {

struct Area {
    int x, y, width, height;

    int Right() const { return x + width; }
    int Bottom() const { return y + height; }
    bool Contains(const Area& o) const
    {
        return o.x >= x && o.y >= y && o.Right() <= Right() && o.Bottom() <= Bottom();
    }
    bool Overlaps(const Area& o) const
    {
        return o.x < Right() && x < o.Right() && o.y < Bottom() && y < o.Bottom();
    }
};

const Area kScreen{0, 0, 1920, 1080};

// Heights of the fonts involved on the full 1920x1080 screen (the tests' window is smaller and
// scales its fonts down).
constexpr int kPercentFontHeight = 41;  // Font14
constexpr int kPrizeFontHeight = 17;    // Font08

std::string Describe(const CDXWnd* w, const Area& b)
{
    std::ostringstream out;
    out << "control " << w->GetId() << " at (" << b.x << ", " << b.y << ") size " << b.width << "x"
        << b.height;
    return out.str();
}

Area OnScreen(const CDXWnd* w)
{
    return {w->AbsoluteX(), w->AbsoluteY(), w->GetWidth(), w->GetHeight()};
}

// Every shown control under `root`, with the rules above.
void CheckShownTree(const CDXWnd* root, const std::string& screen)
{
    const Area rootBox = OnScreen(root);
    EXPECT_TRUE(kScreen.Contains(rootBox))
        << screen << ": " << Describe(root, rootBox) << " leaves the screen";
    std::vector<std::pair<const CDXWnd*, Area>> shown;
    for (const CDXWnd* child : root->GetChildren())
        if (child->IsVisible())
            shown.emplace_back(child, OnScreen(child));
    for (size_t i = 0; i < shown.size(); ++i) {
        const auto& [child, box] = shown[i];
        EXPECT_TRUE(rootBox.Contains(box)) << screen << ": " << Describe(child, box)
                                           << " leaves its parent, " << Describe(root, rootBox);
        for (size_t j = i + 1; j < shown.size(); ++j)
            EXPECT_FALSE(box.Overlaps(shown[j].second))
                << screen << ": " << Describe(child, box) << " covers "
                << Describe(shown[j].first, shown[j].second);
        CheckShownTree(child, screen);
    }
}

class ScreenLayoutTest : public LobbyTest {};

TEST_F(ScreenLayoutTest, LoadingScreenBarHoldsItsPercentage)
{
    auto* loading = dynamic_cast<CWndLoading*>(g_pWndMain->GetCurrentScreen());
    ASSERT_NE(loading, nullptr) << "the application starts on the loading screen";
    CheckShownTree(loading, "loading");

    CUIFrames* bar = g_pUIRes->GetFrames(9);
    ASSERT_EQ(bar->GetCount(), 2);
    const Area back{CWndLoading::kBarX, CWndLoading::kBarY, bar->GetWidth(0), bar->GetHeight(0)};
    const Area gauge{CWndLoading::kGaugeX, CWndLoading::kGaugeY, bar->GetWidth(1),
                     bar->GetHeight(1)};
    // The percentage is centred on the screen's width; "100%" is well under 120 pixels wide.
    const Area percent{960 - 60, CWndLoading::kPercentY, 120, kPercentFontHeight};
    EXPECT_TRUE(kScreen.Contains(back));
    EXPECT_TRUE(back.Contains(gauge)) << "gauge " << gauge.width << "x" << gauge.height;
    EXPECT_TRUE(gauge.Contains(percent))
        << "the percentage straddles the bar " << back.width << "x" << back.height;
}

TEST_F(ScreenLayoutTest, LoginScreenPanelFitsTheScreen)
{
    g_pWndMain->ChangeScreen(CWndMain::kScreenLogin);
    auto* login = dynamic_cast<CWndLogin*>(g_pWndMain->GetCurrentScreen());
    ASSERT_NE(login, nullptr);
    ASSERT_NE(login->GetPanel(), nullptr);
    EXPECT_TRUE(login->GetPanel()->IsVisible());
    CheckShownTree(login, "login");
}

TEST_F(ScreenLayoutTest, CaptionBarButtonsStayOnTheBar)
{
    CWndCaption* caption = g_pWndMain->GetCaption();
    ASSERT_NE(caption, nullptr);
    const Area bar = OnScreen(caption);
    for (const CDXWnd* button : caption->GetChildren()) {
        EXPECT_TRUE(bar.Contains(OnScreen(button))) << Describe(button, OnScreen(button));
        for (const CDXWnd* other : caption->GetChildren()) {
            if (other != button &&
                other->GetX() != button->GetX()) {  // the two toggles share a place
                EXPECT_FALSE(OnScreen(button).Overlaps(OnScreen(other)))
                    << Describe(button, OnScreen(button)) << " covers "
                    << Describe(other, OnScreen(other));
            }
        }
    }
}

TEST_F(ScreenLayoutTest, LobbyControlsAndPrizeSymbolsDoNotCoverEachOther)
{
    CWndGame* lobby = EnterLobby();
    ASSERT_NE(lobby, nullptr);
    CheckShownTree(lobby, "lobby");

    // Prize rows at full-screen font height: the symbols of a row side by side before the line
    // mark, inside the chat area and clear of the row above's text and of the chat lines below.
    CWndGameChat* chat = lobby->GetChat();
    ASSERT_NE(chat, nullptr);
    const Area chatArea = OnScreen(chat);
    const CWndGamePrizeList* list = chat->GetPrizeList();
    const Area chatLines = OnScreen(chat->GetChatList());
    const int rowHeight = kPrizeFontHeight + 10;
    for (int slot : {81, 82, 83}) {
        CUIFrames* symbols = g_pUIRes->GetFrames(slot);
        ASSERT_GT(symbols->GetCount(), 0) << "slot " << slot;
        const int width = symbols->GetWidth(0);
        const int height = symbols->GetHeight(0);
        EXPECT_LE(width, CWndGamePrize::kSymbolStep)
            << "slot " << slot << ": symbols cover each other";
        EXPECT_LE(CWndGamePrize::kSymbolX + 3 * CWndGamePrize::kSymbolStep + width,
                  CWndGamePrize::kLineX)
            << "slot " << slot << ": the last symbol covers the line mark";
        for (int row = 0; row < CWndGamePrizeList::kRows; ++row) {
            const int top = list->AbsoluteY() + row * rowHeight;
            const Area symbol{list->AbsoluteX() + CWndGamePrize::kSymbolX,
                              top + CWndGamePrize::kSymbolDy, width, height};
            const Area textAbove{chatArea.x, top - rowHeight, chatArea.width, kPrizeFontHeight + 1};
            EXPECT_TRUE(chatArea.Contains(symbol)) << "slot " << slot << " row " << row;
            EXPECT_FALSE(symbol.Overlaps(chatLines))
                << "slot " << slot << " row " << row << " covers the chat text";
            if (row > 0) {
                EXPECT_FALSE(symbol.Overlaps(textAbove)) << "slot " << slot << " row " << row;
            }
        }
    }
}

}  // namespace
