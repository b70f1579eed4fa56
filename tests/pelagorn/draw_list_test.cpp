// The draw list: initialised once in order, then each object updated and drawn before the next,
// so later objects cover earlier ones; objects without a file keep their defaults and still run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CXDrawDP.h"
#include "CXDrawFRAME.h"
#include "CXDrawList.h"
#include "CXDrawObject.h"
#include "CXDrawPRIZE.h"
#include "CXDrawWINTABLE.h"
#include "CXFade.h"
#include "pelagorn_fixture.h"

namespace {

std::vector<std::string> g_calls;

class Recording : public CXDrawObject {
public:
    CX_DECLARE_MEMORY_POOL(Recording)
    explicit Recording(char name) : m_name(name) {}
    ~Recording() override { g_calls.push_back(std::string("~") + m_name); }
    void Init() override
    {
        g_calls.push_back(std::string("init ") + m_name + (m_pScene ? " scene" : ""));
    }
    void Update(float dt) override
    {
        g_calls.push_back(std::string("update ") + m_name + " " + std::to_string(int(dt * 1000)));
    }
    void Draw() override { g_calls.push_back(std::string("draw ") + m_name); }
    char m_name;
};

TEST(PelagornDrawList, UpdatesAndDrawsInterleavedInListOrder)
{
    g_calls.clear();
    FakeScene scene;
    {
        CXDrawList list;
        ASSERT_TRUE(list.Add(new Recording('a')));
        ASSERT_TRUE(list.Add(new Recording('b')));
        EXPECT_FALSE(list.Add(nullptr));
        list.InitAll(nullptr, &scene);
        list.Frame(0.016f);
        list.Frame(0.032f);
    }
    const std::vector<std::string> expected = {
        "init a scene", "init b scene", "update a 16", "draw a", "update b 16", "draw b",
        "update a 32",  "draw a",       "update b 32", "draw b", "~a",          "~b"};
    EXPECT_EQ(g_calls, expected);
}

class PelagornDrawListDevice : public PelagornTest {};

TEST_F(PelagornDrawListDevice, ObjectsWithoutTheirFilesKeepDefaultsAndStillRun)
{
    // The scratch folder holds no file at all.
    CXDrawList list;
    auto* frame = new CXDrawFRAME;
    auto* table = new CXDrawWINTABLE;
    auto* dropper = new CXDrawDP;
    auto* prizes = new CXDrawPRIZE;
    auto* fade = new CXFade;
    for (CXDrawObject* object : std::vector<CXDrawObject*>{frame, table, dropper, prizes, fade})
        ASSERT_TRUE(list.Add(object));
    list.InitAll(nullptr, &m_scene);
    EXPECT_EQ(frame->m_fSpeed, 10.0f);
    EXPECT_EQ(frame->m_fCreditGaugeMax, 1.0f);
    EXPECT_EQ(table->m_fSpeed, 10.0f);
    EXPECT_EQ(table->m_fIdleTime, 3.0f);
    EXPECT_EQ(dropper->m_fSpeed, 10.0f);
    EXPECT_EQ(dropper->m_byAlpha, 255);
    EXPECT_EQ(prizes->m_Prizes.GetCount(), 0u);
    for (int i = 0; i < 10; ++i)
        DrawFrame([&] { list.Frame(1.0f / 60); });
    EXPECT_EQ(dropper->m_fX, 0.0f);
    // The fade is last in the list and covers what was drawn before it.
    EXPECT_GT(fade->m_fAlpha, 200.0f);
}

}  // namespace
