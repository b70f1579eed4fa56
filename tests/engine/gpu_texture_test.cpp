// Textures of the device and the shared CX2DTexture handles.
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "CX2DPack.h"
#include "CX2DTexture.h"
#include "CXTextureList.h"
#include "gpu_fixture.h"
#include "platform/image.h"

namespace {

using Bytes = std::vector<uint8_t>;

class GpuTextureTest : public GpuEngineTest {
protected:
    // An image file under the scratch folder; returns its absolute path.
    std::string Image(const std::string& relative, int w, int h, const std::vector<uint32_t>& argb)
    {
        WriteFile(m_temp.Path() / relative, Png(w, h, argb));
        return (m_temp.Path() / relative).string();
    }
};

TEST_F(GpuTextureTest, LoadByNameCachesUnderTheUpperCasedName)
{
    const std::string path = Image("pic.png", 3, 2, std::vector<uint32_t>(6, 0xFF102030));
    const std::string upper = m_temp.String() + "/PIC.PNG";
    HTEXTURE a = dev->Texture_Load(path.c_str());
    ASSERT_NE(a, nullptr) << dev->System_GetErrorMessage();
    EXPECT_EQ(dev->Texture_Load(("  " + upper + " ").c_str(), 0, 0, 0), a);
    EXPECT_EQ(dev->Texture_GetWidth(a), 3);
    EXPECT_EQ(dev->Texture_GetHeight(a, true), 2);
    EXPECT_EQ(FirstPixel(a), 0xFF102030u);

    // From bytes: a new texture every time, registered but not cached by name.
    const Bytes png = Png(1, 1, {0x80FF0000});
    HTEXTURE b = dev->Texture_Load(png.data(), uint32_t(png.size()), 0, 0);
    HTEXTURE c = dev->Texture_Load(png.data(), uint32_t(png.size()), 0, 0);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(b, c);
    EXPECT_EQ(FirstPixel(b), 0x80FF0000u);
    EXPECT_TRUE(dev->Texture_Free(b));
    EXPECT_TRUE(dev->Texture_Free(c));
}

TEST_F(GpuTextureTest, ColourKeyClearsMatchingPixels)
{
    const std::string path = Image("key.png", 2, 1, {0xFFFF00FF, 0xFF00FF00});
    HTEXTURE t = dev->Texture_Load(path.c_str(), 0, GPU_FORMAT_A8R8G8B8, 0xFFFF00FF);
    ASSERT_NE(t, nullptr);
    auto* pixels = static_cast<uint32_t*>(dev->Texture_Lock(t, true));
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(pixels[0], 0x00000000u);
    EXPECT_EQ(pixels[1], 0xFF00FF00u);
    dev->Texture_Unlock(t);
}

TEST_F(GpuTextureTest, BadImagesAndMissingFilesFailWithTheirText)
{
    WriteFile(m_temp.Path() / "bad.png", Bytes{'n', 'o', 't', ' ', 'p', 'n', 'g'});
    struct Case {
        std::string name;
        std::string error;
    };
    const std::string missing = m_temp.String() + "/none.png";
    const Case cases[] = {
        {(m_temp.Path() / "bad.png").string(), "Can't create texture"},
        {missing,
         std::string("Can't load resource: ") + CXString(missing.c_str()).TrimUpper().GetString()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dev->Texture_Load(c.name.c_str()), nullptr) << c.name;
        EXPECT_EQ(std::string(dev->System_GetErrorMessage()), c.error) << c.name;
    }
    CX2DTexture handle;
    EXPECT_FALSE(handle.Load((m_temp.Path() / "bad.png").c_str()));
    EXPECT_EQ(handle.GetTexture(), nullptr);
    EXPECT_EQ(handle.GetWidth(), 0);
}

TEST_F(GpuTextureTest, FreeReleasesOnlyLoaderTexturesAndForgetsTheName)
{
    HTEXTURE own = dev->Texture_Create(4, 4, GPU_FORMAT_A8R8G8B8);
    ASSERT_NE(own, nullptr);
    EXPECT_FALSE(dev->Texture_Free(own)) << "Texture_Create does not register its textures";
    EXPECT_EQ(dev->Texture_GetWidth(own, true), 4) << "unregistered: its own size";
    dev->GetGpu()->DestroyTexture(own);

    // Freed by name, the cache must not hand the released texture out again.
    const std::string path = Image("gone.png", 1, 1, {0xFF0000FF});
    HTEXTURE first = dev->Texture_Load(path.c_str());
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(dev->Texture_Free(first));
    EXPECT_FALSE(dev->Texture_Free(first));
    Image("gone.png", 1, 1, {0xFFFF0000});
    HTEXTURE second = dev->Texture_Load(path.c_str());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(FirstPixel(second), 0xFFFF0000u) << "a fresh load, not the released texture";
}

TEST_F(GpuTextureTest, LockRectChecksFormatAndTarget)
{
    HTEXTURE t = dev->Texture_Create(4, 2, GPU_FORMAT_X8R8G8B8);
    GpuLocked locked{};
    ASSERT_TRUE(dev->Texture_LockRect(&locked, t, false, 1, 1, 2, 1));
    EXPECT_EQ(locked.pitch, 16);
    static_cast<uint32_t*>(locked.bits)[1] = 0x00ABCDEF;
    dev->Texture_Unlock(t);
    auto* all = static_cast<uint32_t*>(dev->Texture_Lock(t, true));
    ASSERT_NE(all, nullptr);
    EXPECT_EQ(all[4 + 2], 0x00ABCDEFu);
    dev->Texture_Unlock(t);
    dev->GetGpu()->DestroyTexture(t);

    HTARGET target = dev->Target_Create(8, 8, false, 0);
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(dev->Texture_Lock(dev->Target_GetTexture(target), true), nullptr);
    EXPECT_STREQ(dev->System_GetErrorMessage(), "Can't lock texture");
    dev->Target_Free(target);
}

TEST_F(GpuTextureTest, SaveWritesADdsThatLoadsBack)
{
    const Bytes png = Png(2, 1, {0x80112233, 0xFF445566});
    HTEXTURE t = dev->Texture_Load(png.data(), uint32_t(png.size()), 0, 0);
    ASSERT_NE(t, nullptr);
    const std::string file = (m_temp.Path() / "out.dds").string();
    ASSERT_TRUE(dev->Texture_Save(t, file.c_str()));
    HTEXTURE back = dev->Texture_Load(file.c_str());
    ASSERT_NE(back, nullptr);
    auto* pixels = static_cast<uint32_t*>(dev->Texture_Lock(back, true));
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(pixels[0], 0x80112233u);
    EXPECT_EQ(pixels[1], 0xFF445566u);
    dev->Texture_Unlock(back);
    dev->Texture_Free(t);
}

// --- CX2DTexture ----------------------------------------------------------------------------

TEST_F(GpuTextureTest, HandlesShareOneEntryPerNameWhateverTheCase)
{
    Image("Sprites/Hero.png", 5, 3, std::vector<uint32_t>(15, 0xFFFFFFFF));
    g_strResourceBase = m_temp.Slashed();
    CX2DTexture a, b;
    ASSERT_TRUE(a.Load("sprites/hero.png"));
    ASSERT_TRUE(b.Load("  SPRITES/HERO.PNG"));
    EXPECT_EQ(a.GetTexture(), b.GetTexture());
    EXPECT_EQ(a.GetShared(), b.GetShared());
    ASSERT_NE(a.GetShared(), nullptr);
    EXPECT_EQ(a.GetShared()->m_nRefCount, 2);
    EXPECT_EQ(a.GetWidth(), 5);
    EXPECT_EQ(a.GetRecordedHeight(), 3);
    const std::string key = g_strResourceBase + "SPRITES/HERO.PNG";
    EXPECT_EQ(CX2DTexture::FindShared(key.c_str()), a.GetShared());

    HTEXTURE texture = a.GetTexture();
    a.Release();
    EXPECT_EQ(b.GetShared()->m_nRefCount, 1);
    b.Release();
    EXPECT_EQ(CX2DTexture::FindShared(key.c_str()), nullptr) << "the last handle removes the entry";
    EXPECT_EQ(b.GetTexture(), nullptr);

    CX2DTexture again;
    ASSERT_TRUE(again.Load("Sprites/Hero.png"));
    EXPECT_EQ(again.GetTexture(), texture) << "the device cache keeps the texture for reuse";
}

TEST_F(GpuTextureTest, HandleOutlivingTheNameIndexLeavesTheNewIndexAlone)
{
    Image("old.png", 1, 1, {0xFF000000});
    g_strResourceBase = m_temp.Slashed();
    const std::string key = g_strResourceBase + "OLD.PNG";
    CX2DTexture old;
    ASSERT_TRUE(old.Load("old.png"));
    // A restart of the caches deletes the index and its entries under the handle; a new entry
    // of the same name may take the old one's memory.
    dev->Texture_ShutDown();
    dev->Texture_StartUp();
    CX2DTexture fresh;
    ASSERT_TRUE(fresh.Load("old.png"));
    old.Release();
    EXPECT_EQ(old.GetTexture(), nullptr);
    EXPECT_EQ(CX2DTexture::FindShared(key.c_str()), fresh.GetShared());
    EXPECT_EQ(fresh.GetShared()->m_nRefCount, 1);
}

TEST_F(GpuTextureTest, NamesAreNormalisedBeforeTheBaseFolder)
{
    struct Case {
        const char* name;
        const char* normalized;  // null: refused
    };
    const Case cases[] = {
        {"c://data/img.png", "DATA/IMG.PNG"},
        {"  /ui/a.png ", "UI/A.PNG"},
        {"x//y//z.png", "Y//Z.PNG"},
        // The trail byte 0x61 of the double-byte character B0 61 is not a letter to upper-case.
        {"img/\xB0\x61.png", "IMG/\xB0\x61.PNG"},
        {"   ", nullptr},
        {"c://", nullptr},
        {" / ", nullptr},
    };
    for (const Case& c : cases) {
        CXString out;
        const bool ok = CX2DNormalizeName(c.name, out);
        EXPECT_EQ(ok, c.normalized != nullptr) << c.name;
        if (ok && c.normalized) {
            EXPECT_STREQ(out.GetString(), c.normalized) << c.name;
        }
    }

    Image("img/\xB0\x61.png", 1, 1, {0xFF000000});
    g_strResourceBase = m_temp.Slashed();
    CX2DTexture handle;
    ASSERT_TRUE(handle.Load("d://img/\xB0\x61.png"));
    const std::string key = g_strResourceBase + "IMG/\xB0\x61.PNG";
    EXPECT_NE(CX2DTexture::FindShared(key.c_str()), nullptr);
}

TEST_F(GpuTextureTest, CreatedHandlesOwnTheirTexture)
{
    CX2DTexture handle;
    HTEXTURE t = handle.Create(7, 5);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(handle.GetShared(), nullptr);
    EXPECT_EQ(handle.GetWidth(), 7);
    auto* pixels = static_cast<uint32_t*>(handle.Lock(false));
    ASSERT_NE(pixels, nullptr);
    pixels[0] = 0xFF123456;
    handle.Unlock();
    EXPECT_EQ(FirstPixel(t), 0xFF123456u);
    handle.Release();
    EXPECT_EQ(handle.GetTexture(), nullptr);
}

// A pack that holds one file.
class OneFilePack : public CX2DPackObject {
public:
    OneFilePack(const char* name, Bytes bytes) : m_strEntry(name), m_Bytes(std::move(bytes)) {}
    const CXString& GetName() const override { return m_strName; }
    bool Extract(const char* name, CXString& buffer) override
    {
        if (m_strEntry.Compare(name) != 0)
            return false;
        return buffer.SetData(m_Bytes.data(), unsigned(m_Bytes.size()));
    }

private:
    CXString m_strName = "one";
    CXString m_strEntry;
    Bytes m_Bytes;
};

TEST_F(GpuTextureTest, EnginePacksComeFirstThenZipPacksThenTheDisk)
{
    const std::string name = m_relative + "/order.png";
    const std::string upper = CXString(name.c_str()).TrimUpper().GetString();
    WriteFile(m_local.Path() / "order.png", Png(1, 1, {0xFF0000FF}));
    WriteZip(m_temp.Path() / "pack.zip", {{name, Png(1, 1, {0xFF00FF00})}});

    struct Case {
        bool enginePack;
        bool zipPack;
        uint32_t expected;
    };
    const Case cases[] = {
        {false, false, 0xFF0000FF},
        {false, true, 0xFF00FF00},
        {true, true, 0xFFFF0000},
    };
    for (const Case& c : cases) {
        // Each case starts from fresh caches so that the file is read again.
        dev->Texture_ShutDown();
        dev->Texture_StartUp();
        EngineCreatePackList();
        if (c.enginePack)
            EnginePackList()->AddTail(new OneFilePack(upper.c_str(), Png(1, 1, {0xFFFF0000})));
        if (c.zipPack) {
            ASSERT_TRUE(dev->Resource_AttachPack((m_temp.Path() / "pack.zip").c_str(), nullptr));
        }
        CX2DTexture handle;
        ASSERT_TRUE(handle.Load(name.c_str())) << dev->System_GetErrorMessage();
        EXPECT_EQ(FirstPixel(handle.GetTexture()), c.expected)
            << "engine pack " << c.enginePack << ", zip pack " << c.zipPack;
        handle.Release();
        dev->Resource_RemoveAllPacks();
        EngineDeletePackList();
    }
}

TEST(GpuPackLookup, MissesWithoutAListOrAName)
{
    CXString buffer;
    EngineDeletePackList();
    EXPECT_EQ(PackLookup("A.PNG", buffer), 0);
    EngineCreatePackList();
    EXPECT_EQ(PackLookup("A.PNG", buffer), 0) << "the list starts empty";
    EXPECT_EQ(PackLookup(nullptr, buffer), 0);
    EngineDeletePackList();
}

TEST_F(GpuTextureTest, LoadedTextureDrawsOneToOneThroughTheBatch)
{
    // Top row red, green; bottom row blue, white: drawn 1:1 into a render target, read back top
    // row first.
    const std::vector<uint32_t> texels = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    g_strResourceBase = m_temp.Slashed();
    WriteFile(m_temp.Path() / "quad.png", Png(2, 2, texels));
    CX2DTexture texture;
    ASSERT_TRUE(texture.Load("quad.png"));
    HTARGET target = dev->Target_Create(4, 4, false, GPU_FORMAT_A8R8G8B8);
    ASSERT_NE(target, nullptr);
    ASSERT_TRUE(dev->Gfx_BeginScene(target));
    dev->Gfx_Clear(0xFF000000);
    CXQuad quad{};
    const float corners[4][4] = {{1, 1, 0, 0}, {3, 1, 1, 0}, {3, 3, 1, 1}, {1, 3, 0, 1}};
    for (int i = 0; i < 4; ++i)
        quad.v[i] = {corners[i][0], corners[i][1], 0, 0xFFFFFFFF, corners[i][2], corners[i][3]};
    quad.tex = texture.GetTexture();
    quad.blend = BLEND_DEFAULT;
    dev->Gfx_RenderQuad(quad);
    dev->Gfx_EndScene(false);
    std::vector<uint32_t> pixels(16);
    ASSERT_TRUE(dev->GetGpu()->ReadPixels(dev->Target_GetTexture(target), nullptr, pixels.data()));
    EXPECT_EQ(pixels[1 * 4 + 1], texels[0]);
    EXPECT_EQ(pixels[1 * 4 + 2], texels[1]);
    EXPECT_EQ(pixels[2 * 4 + 1], texels[2]);
    EXPECT_EQ(pixels[2 * 4 + 2], texels[3]);
    EXPECT_EQ(pixels[0], 0xFF000000u);
    dev->Target_Free(target);
}

}  // namespace

namespace {

// A load split in two, decoding on another thread, gives what a load by name gives: the pixels,
// the size, one cache entry for the name whatever its case, and the failures of a load by name.
TEST_F(GpuTextureTest, DecodedAheadLoadsLikeALoadByName)
{
    const std::vector<uint32_t> argb = {0xFF102030, 0x80405060, 0xFF708090,
                                        0x00A0B0C0, 0xFF000001, 0xFFFFFFFF};
    const std::string path = Image("ahead.png", 3, 2, argb);
    ImageData image;
    std::thread decoder([&] { EXPECT_TRUE(CXGfxDevice::Texture_Decode(path.c_str(), image)); });
    decoder.join();
    HTEXTURE t = dev->Texture_LoadDecoded(path.c_str(), image);
    ASSERT_NE(t, nullptr) << dev->System_GetErrorMessage();
    EXPECT_EQ(dev->Texture_GetWidth(t), 3);
    EXPECT_EQ(dev->Texture_GetHeight(t, true), 2);
    auto* pixels = static_cast<const uint32_t*>(dev->Texture_Lock(t, true));
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(std::vector<uint32_t>(pixels, pixels + 6), argb);
    dev->Texture_Unlock(t);

    const std::string upper = m_temp.String() + "/AHEAD.PNG";
    EXPECT_EQ(dev->Texture_Load(upper.c_str()), t) << "one cache entry for the name";
    EXPECT_EQ(dev->Texture_LoadDecoded(upper.c_str(), ImageData{}), t)
        << "a cached name ignores the pixels";

    const std::string missing = m_temp.String() + "/none.png";
    ImageData none;
    EXPECT_FALSE(CXGfxDevice::Texture_Decode(missing.c_str(), none));
    EXPECT_EQ(dev->Texture_LoadDecoded(missing.c_str(), none), nullptr) << "no pixels, no texture";
    EXPECT_STREQ(dev->System_GetErrorMessage(), "Can't create texture");
}

}  // namespace
