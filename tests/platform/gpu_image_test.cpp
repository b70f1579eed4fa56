// Image decoding and saving: hand-written files in, pixels top row first out.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/image.h"
#include "support/hex.h"
#include "support/temp_folder.h"

namespace {

using test_support::Hex;

std::vector<uint8_t> ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// 2 x 2, 24 bits, stored bottom row first: top row red, magenta; bottom row blue, white.
const char* kBmp2x2 = "42 4D 46 00 00 00 00 00 00 00 36 00 00 00"
                      " 28 00 00 00 02 00 00 00 02 00 00 00 01 00 18 00 00 00 00 00 10 00 00 00"
                      " 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
                      " FF 00 00 FF FF FF 00 00"   // bottom row: blue, white, padding
                      " 00 00 FF FF 00 FF 00 00";  // top row: red, magenta, padding

// "DDS ", 124-byte header for 2 x 1 A8R8G8B8, then the pixels 80112233 and FF445566.
const char* kDds2x1 = "44 44 53 20 7C 00 00 00 0F 10 00 00 01 00 00 00 02 00 00 00 08 00 00 00"
                      " 00 00 00 00 00 00 00 00"
                      " 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
                      " 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
                      " 20 00 00 00 41 00 00 00 00 00 00 00 20 00 00 00"
                      " 00 00 FF 00 00 FF 00 00 FF 00 00 00 00 00 00 FF"
                      " 00 10 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
                      " 33 22 11 80 66 55 44 FF";

TEST(GpuImage, DecodesBmpTopRowFirstAndAppliesTheColourKey)
{
    const std::vector<uint8_t> bmp = Hex(kBmp2x2);
    struct Case {
        uint32_t key;
        std::vector<uint32_t> expected;
    };
    const Case cases[] = {
        {0, {0xFFFF0000, 0xFFFF00FF, 0xFF0000FF, 0xFFFFFFFF}},
        {0xFFFF00FF, {0xFFFF0000, 0x00000000, 0xFF0000FF, 0xFFFFFFFF}},
        {0x00FF00FF, {0xFFFF0000, 0xFFFF00FF, 0xFF0000FF, 0xFFFFFFFF}},  // alpha is part of the key
    };
    for (const Case& c : cases) {
        ImageData image;
        ASSERT_TRUE(platform::DecodeImage(bmp.data(), bmp.size(), c.key, image)) << "key " << c.key;
        EXPECT_EQ(image.width, 2);
        EXPECT_EQ(image.height, 2);
        EXPECT_EQ(image.argb, c.expected) << "key " << std::hex << c.key;
    }
}

TEST(GpuImage, DecodesUncompressedDds)
{
    const std::vector<uint8_t> dds = Hex(kDds2x1);
    ASSERT_EQ(dds.size(), 136u);
    EXPECT_TRUE(platform::IsDdsImage(dds.data(), dds.size()));
    ImageData image;
    ASSERT_TRUE(platform::DecodeImage(dds.data(), dds.size(), 0, image));
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 1);
    EXPECT_EQ(image.argb, (std::vector<uint32_t>{0x80112233, 0xFF445566}));
}

// The 128-byte DDS header of a width x height image compressed as the four-character code
// ("DXT1"...), followed by the blocks.
std::string DxtFile(int width, int height, const char* fourCC, const std::string& blocks)
{
    char size[32];
    std::snprintf(size, sizeof size, " %02X 00 00 00 %02X 00 00 00", height, width);
    std::string code;
    for (int i = 0; i < 4; ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, " %02X", static_cast<unsigned char>(fourCC[i]));
        code += byte;
    }
    std::string zeros;
    for (int i = 0; i < 44; ++i)
        zeros += " 00";
    return "44 44 53 20 7C 00 00 00 07 10 08 00" + std::string(size) +
           " 00 00 00 00 00 00 00 00 00 00 00 00" + zeros +  // pitch, depth, mips, reserved
           " 20 00 00 00 04 00 00 00" + code +               // pixel format: a code
           " 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
           " 00 10 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 " +
           blocks;
}

TEST(GpuImage, DecodesDxtBlocksCutToTheImage)
{
    struct Case {
        const char* name;
        int width, height;
        const char* fourCC;
        const char* blocks;
        std::vector<uint32_t> expected;
    };
    const Case cases[] = {
        // White and black end points, indices 0 1 2 3 / 3 3 3 3: two thirds and one third between.
        {"DXT1 four colours",
         3,
         2,
         "DXT1",
         "FF FF 00 00 E4 FF 00 00",
         {0xFFFFFFFF, 0xFF000000, 0xFFAAAAAA, 0xFF555555, 0xFF555555, 0xFF555555}},
        // First end point not above the second: the middle and transparent black.
        {"DXT1 three colours", 2, 1, "DXT1", "00 00 00 F8 0E 00 00 00", {0xFF7F0000, 0x00000000}},
        // Four-bit alphas F and 3 over blue.
        {"DXT3",
         2,
         1,
         "DXT3",
         "3F 00 00 00 00 00 00 00 1F 00 00 00 00 00 00 00",
         {0xFF0000FF, 0x330000FF}},
        // Alpha end points FF and 00, indices 0 1 2: 255, 0 and six sevenths of 255.
        {"DXT5",
         3,
         1,
         "DXT5",
         "FF 00 88 00 00 00 00 00 FF FF FF FF 00 00 00 00",
         {0xFFFFFFFF, 0x00FFFFFF, 0xDAFFFFFF}},
    };
    for (const Case& c : cases) {
        const std::vector<uint8_t> dds = Hex(DxtFile(c.width, c.height, c.fourCC, c.blocks));
        ImageData image;
        std::string error;
        ASSERT_TRUE(platform::DecodeImage(dds.data(), dds.size(), 0, image, &error))
            << c.name << ": " << error;
        EXPECT_EQ(image.width, c.width) << c.name;
        EXPECT_EQ(image.height, c.height) << c.name;
        EXPECT_EQ(image.argb, c.expected) << c.name;
    }
}

TEST(GpuImage, RefusesBadAndTruncatedData)
{
    std::vector<uint8_t> truncatedDds = Hex(kDds2x1);
    truncatedDds.resize(truncatedDds.size() - 1);
    std::vector<uint8_t> unknownCode = Hex(kDds2x1);
    unknownCode[80] = 0x04;  // a four-character code, and it is 0
    // 8 x 8 needs four blocks; one is there.
    const std::vector<uint8_t> shortDxt = Hex(DxtFile(8, 8, "DXT1", "FF FF 00 00 00 00 00 00"));
    std::vector<uint8_t> hugeDds = Hex(kDds2x1);
    hugeDds[15] = 0x7F;  // height 0x7F000001
    std::vector<uint8_t> truncatedBmp = Hex(kBmp2x2);
    truncatedBmp.resize(40);
    const std::vector<uint8_t> garbage = Hex("00 01 02 03 04 05 06 07");
    struct Case {
        const char* name;
        const std::vector<uint8_t>* data;
    };
    const Case cases[] = {
        {"truncated DDS", &truncatedDds}, {"unknown four-character code", &unknownCode},
        {"truncated DXT", &shortDxt},     {"huge DDS", &hugeDds},
        {"truncated BMP", &truncatedBmp}, {"garbage", &garbage}};
    for (const Case& c : cases) {
        ImageData image;
        std::string error;
        EXPECT_FALSE(platform::DecodeImage(c.data->data(), c.data->size(), 0, image, &error))
            << c.name;
        EXPECT_FALSE(error.empty()) << c.name;
        EXPECT_TRUE(image.argb.empty()) << c.name;
    }
    ImageData image;
    EXPECT_FALSE(platform::DecodeImage(nullptr, 10, 0, image));
}

class GpuImageFiles : public ::testing::Test {
protected:
    TempFolder m_folder{"gpu_image"};
};

TEST_F(GpuImageFiles, SavedDdsHasTheHandWrittenLayout)
{
    // Rows given with a pitch wider than the image: the padding must not reach the file.
    const uint32_t pixels[3] = {0x80112233, 0xFF445566, 0xDEADBEEF};
    const std::string path = (m_folder.Path() / "out.dds").string();
    ASSERT_TRUE(platform::SaveDds(path.c_str(), 2, 1, pixels, 12));
    EXPECT_EQ(ReadFile(path), Hex(kDds2x1));
}

TEST_F(GpuImageFiles, PngKeepsAlphaAndBmpIsOpaque)
{
    const uint32_t pixels[4] = {0x80112233, 0xFF445566, 0x00000000, 0xFFFFFFFF};
    struct Case {
        const char* file;
        bool (*save)(const char*, int, int, const uint32_t*, int);
        std::vector<uint32_t> expected;
    };
    const Case cases[] = {
        {"a.png", platform::SavePng, {0x80112233, 0xFF445566, 0x00000000, 0xFFFFFFFF}},
        {"a.bmp", platform::SaveBmp, {0xFF112233, 0xFF445566, 0xFF000000, 0xFFFFFFFF}},
    };
    for (const Case& c : cases) {
        const std::string path = (m_folder.Path() / c.file).string();
        ASSERT_TRUE(c.save(path.c_str(), 2, 2, pixels, 8)) << c.file;
        const std::vector<uint8_t> bytes = ReadFile(path);
        ImageData image;
        ASSERT_TRUE(platform::DecodeImage(bytes.data(), bytes.size(), 0, image)) << c.file;
        EXPECT_EQ(image.argb, c.expected) << c.file;
    }
    EXPECT_FALSE(platform::SavePng((m_folder.Path() / "no" / "such" / "x.png").string().c_str(), 2,
                                   2, pixels, 8));
    EXPECT_FALSE(platform::SaveDds((m_folder.Path() / "x.dds").string().c_str(), 2, 2, pixels, 4))
        << "short pitch";
}

}  // namespace
