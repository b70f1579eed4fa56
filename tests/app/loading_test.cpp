// The resource file registry and the loading screen over generated trees in a temporary folder:
// kinds by extension, one registration per path, the walk that stops at a file it cannot load,
// files kept in memory, the 2607-file rule, 50 loads per frame, the failure boxes and the hand
// over to the login screen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CWndLoading.h"
#include "CXGfxDevice.h"
#include "CXImagePrefetch.h"
#include "platform/clock.h"
#include "shell_fixture.h"
#include "support/temp_folder.h"

namespace {

// A 1x1 24-bit BMP.
std::string TinyBmp()
{
    const unsigned char bytes[58] = {
        'B', 'M', 58,   0,    0, 0, 0, 0, 0,  0, 54, 0, 0, 0, 40, 0, 0,    0, 1,    0,
        0,   0,   1,    0,    0, 0, 1, 0, 24, 0, 0,  0, 0, 0, 4,  0, 0,    0, 0x13, 0x0B,
        0,   0,   0x13, 0x0B, 0, 0, 0, 0, 0,  0, 0,  0, 0, 0, 0,  0, 0xFF, 0};
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

// count images, spread over two folders, plus files the scan ignores.
void WriteTree(const TempFolder& folder, int count)
{
    for (int i = 0; i < count; ++i)
        folder.Write((i % 2 ? "a/" : "b/c/") + std::to_string(i) + ".bmp", TinyBmp());
    folder.Write("notes.txt", "not a resource");
    folder.Write("a/table.cfg", "KEY=1");
}

TEST(FileKindTest, ByExtensionIgnoringCase)
{
    struct Case {
        const char* path;
        int kind;
    };
    const Case cases[] = {
        {"a.png", 1},        {"A.PNG", 1},     {"x/y.Bmp", 1}, {"z.tga", 1},
        {"s.wav", 2},        {"S.WAV", 2},     {"c.cfg", 0},   {"noext", 0},
        {"dir.png/file", 0}, {"a.png.txt", 0}, {"", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CXFileLoad::GetFileKind(c.path), c.kind) << c.path;
}

TEST(FileLoadRegistryTest, RegistersAPathOnceAndTellsCaseApart)
{
    CXFileLoad registry;
    EXPECT_TRUE(registry.Register("./DATA/A.PNG", 4));
    EXPECT_TRUE(registry.Register("./DATA/A.PNG", 9));
    EXPECT_TRUE(registry.Register("./data/a.png", 4));
    EXPECT_EQ(registry.GetRegisteredCount(), 2u);
    EXPECT_EQ(registry.GetRegistered().begin()->second->nValue, 4);
}

class FileLoadTest : public ShellTest {};

TEST_F(FileLoadTest, WalkLoadsInKeyOrderAndStopsAtAFileItCannotLoad)
{
    TempFolder folder("fileload");
    folder.Write("1.bmp", TinyBmp());
    folder.Write("2.bmp", "not an image");
    folder.Write("3.bmp", TinyBmp());
    CXFileLoad registry;
    for (const char* name : {"3.bmp", "1.bmp", "2.bmp"})
        registry.Register((folder.Slashed() + name).c_str(), 4);

    EXPECT_EQ(registry.LoadNext(), 0);
    EXPECT_EQ(registry.LoadNext(), 1);
    EXPECT_EQ(registry.LoadNext(), 1) << "the walk stays at the failed file";
    EXPECT_EQ(registry.GetLoadedCount(), 1);
    ASSERT_EQ(registry.GetFailedCount(), 1u);
    EXPECT_EQ(registry.GetFailed().begin()->first, folder.Slashed() + "2.bmp");
    EXPECT_FALSE(registry.IsFinished());
}

// The walk's images are decoded ahead on worker threads: every one still reaches the texture cache
// under its name with its own pixels, in the walk's order, past the decoding window.
TEST_F(FileLoadTest, WalkDecodesAheadAndEachImageKeepsItsPixels)
{
    TempFolder folder("fileload");
    const int count = static_cast<int>(CXImagePrefetch::kAhead) + 44;
    auto colour = [](int i) { return std::string{char(i & 255), char(i >> 8), char(0x5A)}; };
    CXFileLoad registry;
    for (int i = 0; i < count; ++i) {
        std::string bmp = TinyBmp();
        bmp.replace(54, 3, colour(i));  // blue, green, red of the one pixel
        const std::string path = folder.Write("img" + std::to_string(1000 + i) + ".bmp", bmp);
        registry.Register(path.c_str(), 4);
    }
    registry.Register((folder.Slashed() + "tone.wav").c_str(), 1);  // no file: the walk ends there

    int loaded = 0;
    while (registry.LoadNext() == 0)
        ++loaded;
    EXPECT_EQ(loaded, count);
    ASSERT_EQ(registry.GetFailedCount(), 1u);
    EXPECT_EQ(registry.GetFailed().begin()->first, folder.Slashed() + "tone.wav");
    for (int i = 0; i < count; ++i) {
        const std::string path = folder.Slashed() + "img" + std::to_string(1000 + i) + ".bmp";
        HTEXTURE texture = g_pGfxDevice->Texture_Load(path.c_str());
        ASSERT_NE(texture, nullptr) << path;
        auto* pixel = static_cast<const uint32_t*>(g_pGfxDevice->Texture_Lock(texture, true));
        ASSERT_NE(pixel, nullptr) << path;
        EXPECT_EQ(*pixel, 0xFF5A0000u | uint32_t(i >> 8) << 8 | uint32_t(i & 255)) << path;
        g_pGfxDevice->Texture_Unlock(texture);
    }
}

TEST_F(FileLoadTest, EmptyWalkFinishesAtOnceAndDataFilesStayInMemory)
{
    CXFileLoad registry;
    EXPECT_EQ(registry.LoadNext(), 1);
    EXPECT_TRUE(registry.IsFinished());

    TempFolder folder("fileload");
    const std::string path = folder.Write("t.cfg", "KEY=VALUE");
    const uint8_t* first = nullptr;
    uint32_t size = 0;
    ASSERT_TRUE(registry.LoadDataFile(path.c_str(), &first, &size, CXFileLoad::KIND_DATA, 0));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(first), size), "KEY=VALUE");
    folder.Write("t.cfg", "changed");
    const uint8_t* second = nullptr;
    ASSERT_TRUE(registry.LoadDataFile(path.c_str(), &second, &size, CXFileLoad::KIND_DATA, 0));
    EXPECT_EQ(second, first) << "a data file is read once";
    registry.ClearRegistered();
    EXPECT_NE(registry.FindDataFile(path), nullptr) << "clearing keeps the data files";

    EXPECT_FALSE(
        registry.LoadDataFile((folder.Slashed() + "missing.cfg").c_str(), &first, &size, 0, 0));
    EXPECT_EQ(registry.GetFailedCount(), 1u);
}

class LoadingScreenTest : public ShellTest {
protected:
    CWndLoading* Screen() { return dynamic_cast<CWndLoading*>(g_pWndMain->GetCurrentScreen()); }
    // Updates until the login screen replaced the loading screen (false after the frame limit).
    bool RunUntilLogin(int maxFrames)
    {
        for (int i = 0; i < maxFrames; ++i) {
            if (g_pWndMain->GetHistory().back() == CWndMain::kScreenLogin)
                return true;
            UpdateWidgets();
            platform::SleepMs(1);
        }
        return false;
    }
};

TEST_F(LoadingScreenTest, NeedsAtLeast2607ImagesAndSounds)
{
    for (int count : {2606, 2607}) {
        SCOPED_TRACE(count);
        TempFolder folder("loadingtree");
        WriteTree(folder, count);
        delete g_pFileLoad;
        g_pFileLoad = new CXFileLoad();
        Box()->Show(false);
        g_pWndMain->ChangeScreen(CWndMain::kScreenLoading);
        CWndLoading* screen = Screen();
        ASSERT_NE(screen, nullptr);
        screen->SetDataFolder(folder.Slashed());
        UpdateWidgets();
        EXPECT_EQ(g_pFileLoad->GetRegisteredCount(), static_cast<size_t>(count))
            << "only images and sounds";
        if (count < CWndLoading::kExpectedFiles) {
            EXPECT_TRUE(screen->IsStopped());
            EXPECT_TRUE(BoxShows("리소스 파일 오류입니다."));
            EXPECT_EQ(Box()->GetTitle(), "에러");
            EXPECT_TRUE(Box()->IsQuitBox());
            UpdateWidgets();
            EXPECT_EQ(g_pFileLoad->GetLoadedCount(), 0) << "a stopped screen loads nothing";
        } else {
            EXPECT_FALSE(screen->IsStopped());
            EXPECT_TRUE(screen->IsScanned());
            EXPECT_FALSE(Box()->IsVisible());
            EXPECT_FALSE(g_pFileLoad->IsRegisterOnly());
        }
    }
}

TEST_F(LoadingScreenTest, LoadsFiftyPerFrameThenHandsOverToTheLogin)
{
    TempFolder folder("loadingtree");
    WriteTree(folder, CWndLoading::kExpectedFiles);
    CWndLoading* screen = Screen();
    ASSERT_NE(screen, nullptr);
    screen->SetDataFolder(folder.Slashed());
    UpdateWidgets();  // scan
    UpdateWidgets();
    EXPECT_EQ(g_pFileLoad->GetLoadedCount(), CWndLoading::kLoadsPerFrame);
    EXPECT_NEAR(screen->GetProgress(), 50.0f / 2607.0f, 1e-6);
    EXPECT_EQ(screen->PercentText(), "2%");
    EXPECT_EQ(g_pGameMain->GetMode(), CGameMain::MODE_LOADING);

    ASSERT_TRUE(RunUntilLogin(200));
    EXPECT_EQ(g_pGameMain->GetMode(), CGameMain::MODE_LOGIN);
    EXPECT_EQ(g_pFileLoad->GetRegisteredCount(), 0u) << "the registered files are let go";
    EXPECT_FALSE(Box()->IsVisible());
}

TEST_F(LoadingScreenTest, AFileThatFailsShowsTheErrorBoxAndStillMovesOn)
{
    TempFolder folder("loadingtree");
    WriteTree(folder, CWndLoading::kExpectedFiles);
    folder.Write("a/0000broken.png", "not a picture");
    Screen()->SetDataFolder(folder.Slashed());
    ASSERT_TRUE(RunUntilLogin(200));
    EXPECT_TRUE(BoxShows("리소스 파일 읽기에 실패하였습니다.\n프로그램을 종료합니다"));
    EXPECT_EQ(Box()->GetTitle(), "Error");
    EXPECT_TRUE(Box()->IsQuitBox());
}

}  // namespace
