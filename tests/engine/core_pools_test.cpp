// The pooled engine classes take their objects from their own class pool.
#include <gtest/gtest.h>

#include "CX2DGDI.h"
#include "CX2DSceneObject.h"
#include "CX2DSprite.h"
#include "CX2DTarget.h"

namespace {

template <class T>
class CorePoolTest : public testing::Test {};

using PooledClasses = testing::Types<CX2DTarget, CX2DSprite, CX2DSceneObject, CX2DGDI>;
TYPED_TEST_SUITE(CorePoolTest, PooledClasses);

TYPED_TEST(CorePoolTest, ObjectsComeFromTheClassPoolAndGoBackToIt)
{
    auto& pool = CXMemoryPoolTmpl<TypeParam, 8192>::GetPool();
    TypeParam* first = new TypeParam();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(pool.GetElementSize(), sizeof(TypeParam));
    EXPECT_GE(pool.GetChunkCount(), 1u);
    delete first;
    // The pool hands the freed block out again (last in, first out).
    TypeParam* second = new TypeParam();
    EXPECT_EQ(second, first);
    delete second;
}

// A scene of a game: derived classes declare their own pool and are deleted through the base.
class TestScene : public CX2DSceneObject {
public:
    CX_DECLARE_MEMORY_POOL(TestScene)
    ~TestScene() override { ++s_nDeleted; }
    int Init(void*) override { return 7; }
    static int s_nDeleted;
    double m_dExtra = 1.0;
};
int TestScene::s_nDeleted = 0;

TEST(CorePools, DerivedScenesUseTheirOwnPoolAndBaseOperationsDoNothing)
{
    CX2DSceneObject* base = new CX2DSceneObject();
    ASSERT_NE(base, nullptr);
    EXPECT_EQ(base->Init(nullptr), 0);
    EXPECT_EQ(base->Process(nullptr), 0);
    EXPECT_FALSE(base->m_bInitialized);
    delete base;

    CX2DSceneObject* scene = new TestScene();
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(scene->Init(nullptr), 7);
    EXPECT_EQ(scene->Process(nullptr), 0);
    delete scene;
    EXPECT_EQ(TestScene::s_nDeleted, 1);
    EXPECT_EQ((CXMemoryPoolTmpl<TestScene, 8192>::GetPool().GetElementSize()), sizeof(TestScene));
}

}  // namespace
