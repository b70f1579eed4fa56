// The PCX loader: 256-colour and RGB files, run-length and raw data, and files whose sizes and
// offsets do not add up.
#include <cstring>
#include <string>
#include <vector>

#include "gpu_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct PcxHeader {
    uint8_t version = 5;
    uint8_t encoding = 1;
    uint8_t bits = 8;
    uint16_t xmax = 0;
    uint16_t ymax = 0;
    uint8_t planes = 1;
    uint16_t bytesPerLine = 0;
};

// The 128-byte header followed by the data (and whatever the case appends).
Bytes Pcx(const PcxHeader& h, const Bytes& data)
{
    Bytes file(128, 0);
    file[0] = 0x0A;
    file[1] = h.version;
    file[2] = h.encoding;
    file[3] = h.bits;
    file[8] = uint8_t(h.xmax);
    file[9] = uint8_t(h.xmax >> 8);
    file[10] = uint8_t(h.ymax);
    file[11] = uint8_t(h.ymax >> 8);
    file[65] = h.planes;
    file[66] = uint8_t(h.bytesPerLine);
    file[67] = uint8_t(h.bytesPerLine >> 8);
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

// The marker byte and a palette of black, red, green, blue, then black.
Bytes Palette()
{
    Bytes p(769, 0);
    p[0] = 0x0C;
    p[1 + 3] = 0xFF;   // 1: red
    p[1 + 7] = 0xFF;   // 2: green
    p[1 + 11] = 0xFF;  // 3: blue
    return p;
}

Bytes Join(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class GpuPcxTest : public GpuEngineTest {
protected:
    // R5G6B5 pixels of a loaded PCX, row by row, or empty when the load failed.
    std::vector<uint16_t> Load(const Bytes& file, int& width, int& height)
    {
        const std::string path =
            (m_temp.Path() / ("f" + std::to_string(m_count++) + ".pcx")).string();
        WriteFile(path, file);
        HTEXTURE t = dev->Texture_LoadPCX(path.c_str());
        if (!t)
            return {};
        width = dev->Texture_GetWidth(t);
        height = dev->Texture_GetHeight(t);
        EXPECT_EQ(GpuDevice::TextureFormat(t), uint32_t(GPU_FORMAT_R5G6B5));
        auto* bits = static_cast<const uint16_t*>(dev->Texture_Lock(t, true));
        std::vector<uint16_t> pixels(bits, bits + size_t(width) * height);
        dev->Texture_Unlock(t);
        return pixels;
    }
    int m_count = 0;
};

TEST_F(GpuPcxTest, DecodesPaletteAndRgbFiles)
{
    // Width 3 is converted as rows of 4 of which 3 reach the texture. C0 07 repeats 07 zero
    // times; C3 03 is a run of three 03.
    const Bytes paletted = Join(Pcx({.xmax = 2, .ymax = 1, .bytesPerLine = 4},
                                    {0xC0, 0x07, 0x01, 0x02, 0x03, 0x00, 0xC3, 0x03, 0x00}),
                                Palette());
    // Three raw planes of one row: red FF 00, green 00 FF, blue 00 00.
    const Bytes rgb = Pcx({.encoding = 0, .xmax = 1, .ymax = 0, .planes = 3, .bytesPerLine = 2},
                          {0xFF, 0x00, 0x00, 0xFF, 0x00, 0x00});
    struct Case {
        const char* name;
        const Bytes* file;
        int width, height;
        std::vector<uint16_t> pixels;
    };
    const Case cases[] = {
        {"paletted", &paletted, 3, 2, {0xF800, 0x07E0, 0x001F, 0x001F, 0x001F, 0x001F}},
        {"rgb", &rgb, 2, 1, {0xF800, 0x07E0}},
    };
    for (const Case& c : cases) {
        int w = 0, h = 0;
        EXPECT_EQ(Load(*c.file, w, h), c.pixels) << c.name;
        EXPECT_EQ(w, c.width) << c.name;
        EXPECT_EQ(h, c.height) << c.name;
    }
}

TEST_F(GpuPcxTest, CachesByTheNameAsGiven)
{
    const Bytes file =
        Join(Pcx({.xmax = 0, .ymax = 0, .bytesPerLine = 2}, {0x01, 0x00}), Palette());
    const std::string path = (m_temp.Path() / "once.pcx").string();
    WriteFile(path, file);
    HTEXTURE first = dev->Texture_LoadPCX(path.c_str());
    ASSERT_NE(first, nullptr);
    std::filesystem::remove(path);
    EXPECT_EQ(dev->Texture_LoadPCX(path.c_str()), first);
    EXPECT_EQ(dev->Texture_GetWidth(first, true), 1);
}

TEST_F(GpuPcxTest, RefusesOrClampsFilesThatDoNotAddUp)
{
    // Short, inconsistent or unsupported files are refused; oversized runs and lines shorter than
    // the width are cut to the buffers (a clean run under the address sanitizer shows no overrun).
    struct Case {
        const char* name;
        Bytes file;
        bool loads;
    };
    const Case cases[] = {
        {"raw data shorter than the planes",
         Pcx({.encoding = 0, .xmax = 1, .planes = 3, .bytesPerLine = 2}, {1, 2, 3, 4}), false},
        {"no room for the palette", Pcx({.xmax = 0, .bytesPerLine = 2}, {1, 0, 0x0C, 0, 0}), false},
        {"raw palette cut short", Pcx({.encoding = 0, .xmax = 0, .bytesPerLine = 2}, Bytes(100, 0)),
         false},
        {"version 4", Join(Pcx({.version = 4, .xmax = 0, .bytesPerLine = 2}, {1, 0}), Palette()),
         false},
        {"4 bits", Join(Pcx({.bits = 4, .xmax = 0, .bytesPerLine = 2}, {1, 0}), Palette()), false},
        {"2 planes", Join(Pcx({.xmax = 0, .planes = 2, .bytesPerLine = 2}, {1, 0}), Palette()),
         false},
        {"header only", Bytes(100, 0), false},
        {"run past the end",
         Join(Pcx({.xmax = 1, .ymax = 0, .bytesPerLine = 2}, {0xFF, 0x02}), Palette()), true},
        {"lines shorter than the width",
         Join(Pcx({.encoding = 0, .xmax = 9, .ymax = 1, .bytesPerLine = 2}, {1, 2, 3, 1}),
              Palette()),
         true},
    };
    for (const Case& c : cases) {
        int w = 0, h = 0;
        const std::vector<uint16_t> pixels = Load(c.file, w, h);
        EXPECT_EQ(!pixels.empty(), c.loads) << c.name;
    }
}

TEST_F(GpuPcxTest, ShortLinesReadAsIndexZeroPastTheirEnd)
{
    // Ten columns from two-byte lines: the first two are red and green, the rest palette entry 0.
    const Bytes file =
        Join(Pcx({.encoding = 0, .xmax = 9, .ymax = 0, .bytesPerLine = 2}, {1, 2}), Palette());
    int w = 0, h = 0;
    const std::vector<uint16_t> pixels = Load(file, w, h);
    ASSERT_EQ(pixels.size(), 10u);
    EXPECT_EQ(pixels[0], 0xF800);
    EXPECT_EQ(pixels[1], 0x07E0);
    EXPECT_EQ(pixels[9], 0x0000);
}

}  // namespace
