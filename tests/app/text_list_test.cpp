// The word-wrapping text list: wrap points measured with its font, double-byte characters never
// split, a lone lead byte taken as one byte, line breaks, and rows recycled from the top.
#include <gtest/gtest.h>

#include "CDXLabel.h"
#include "CTextTexture.h"
#include "CWndTextList.h"
#include "widget_fixture.h"

namespace {

class TextListTest : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        MakeFont(m_font, 16);
    }
    int Width(const char* text)
    {
        TextSize size;
        EXPECT_TRUE(m_font.GetTextExtent(text, &size));
        return size.cx;
    }
    CWndTextList* Make(int width, int rows = 4)
    {
        auto* list = new CWndTextList();
        EXPECT_TRUE(list->Create(20, root, 0, 0, width, 200, &m_font, 21, rows, 1.2f));
        return list;
    }
    CXFont m_font;
};

TEST_F(TextListTest, WrapsAtTheWidthWithoutSplittingCharacters)
{
    struct Case {
        const char* name;
        int width;
        const char* text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"fits", 1000, "가나다 abc", {"가나다 abc"}},
        {"two pairs per line", Width("가나"), "가나다라마", {"가나", "다라", "마"}},
        {"mixed widths", Width("a가"), "a가a나", {"a가", "a나"}},
        {"glyph wider than the list: one character per line", 1, "가a나", {"가", "a", "나"}},
        {"lone lead byte at the end is one byte", 1000, "ab\xB0", {"ab\xB0"}},
        {"lone lead byte in a narrow list", 1, "a\xB0", {"a", "\xB0"}},
        {"lead byte before a line break keeps the break", 1000, "a\xB0\nb", {"a\xB0", "b"}},
        {"CR LF breaks once", 1000, "a\r\nb", {"a", "b"}},
        {"LF CR breaks twice", 1000, "a\n\rb", {"a", "", "b"}},
        {"trailing break adds no line", 1000, "a\n", {"a"}},
        {"empty text makes no line", 1000, "", {}},
    };
    for (const Case& c : cases) {
        CWndTextList* list = Make(c.width);
        EXPECT_EQ(list->Wrap(c.text), c.lines) << c.name;
        delete list;
    }
}

TEST_F(TextListTest, NewLinesRecycleTheTopRowAndRenderOnlyIt)
{
    CWndTextList* list = Make(1000, 3);
    const uint32_t red = 0xFFFF0000, blue = 0xFF0000FF;
    list->AddText("one", red);
    list->AddText("two\nthree", blue);
    const uint64_t before = CTextTexture::RenderCount();
    list->AddText("four", red);
    EXPECT_EQ(CTextTexture::RenderCount() - before, 1u);
    const std::vector<CDXLabel*>& rows = list->GetRows();
    ASSERT_EQ(rows.size(), 3u);
    const std::vector<std::pair<std::string, uint32_t>> expected = {
        {"two", blue}, {"three", blue}, {"four", red}};
    for (size_t k = 0; k < rows.size(); ++k) {
        EXPECT_EQ(rows[k]->GetText(), expected[k].first) << k;
        EXPECT_EQ(rows[k]->GetColour(), expected[k].second) << k;
        EXPECT_EQ(rows[k]->GetY(), static_cast<int>(k) * list->GetRowHeight()) << k;
        EXPECT_EQ(rows[k]->GetId(), 21 + static_cast<int>((k + 1) % 3)) << k;
    }
    // A recycled row that gets the same text in another colour is rendered again.
    list->AddText("two", red);
    EXPECT_EQ(rows.back()->GetColour(), red);
    list->AddText(nullptr, red);
    list->Clear();
    for (CDXLabel* row : list->GetRows())
        EXPECT_EQ(row->GetText(), "");
}

}  // namespace
