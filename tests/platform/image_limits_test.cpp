// Image files that once drove the decoder out of its buffers or into huge allocations, and the
// formats the engine decodes (PNG, BMP, TGA, DDS). The files are the image loader's fuzzing seeds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/image.h"
#include "support/peak_rss.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Seed(const std::string& name)
{
    std::ifstream in(std::filesystem::path(CX_FIXTURES_DIR) / "fuzz" / "image" / name,
                     std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

Bytes FromHex(const std::string& hex)
{
    Bytes out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back(uint8_t(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return out;
}

using test_support::PeakRssMb;

TEST(ImageLimits, HostileFilesAreRefusedBeforeDecoding)
{
    Bytes wide = Seed("small.png");
    ASSERT_GE(wide.size(), 24u);
    wide[16] = 0, wide[17] = 0, wide[18] = 0x40, wide[19] = 0x01;  // 16385 pixels wide
    struct Case {
        const char* what;
        Bytes file;
        const char* error;  // null: any reason
    };
    const Case cases[] = {
        // JPEG, PGM and GIF are not formats the engine loads: refused unread.
        {"9-byte JPEG with a Huffman table of 487 codes", FromHex("ffd8ffc4010501ffe8"), nullptr},
        {"the same after fill bytes", Seed("jpeg_fill_then_huffman_overflow.jpg"), nullptr},
        {"a whole JPEG", Seed("small.jpg"), nullptr},
        {"12-byte PGM", FromHex("5035203220312032353535c8"), nullptr},
        {"43-byte GIF claiming 65535 x 65535", Seed("gif_2gb.gif"), nullptr},
        {"PNG chunk claiming 2 GB", Seed("png_chunk_claims_2gb.png"),
         "PNG chunk longer than the file"},
        {"83-byte PNG claiming 16384 x 16384", Seed("png_claims_16384.png"),
         "image too large for its data"},
        {"PNG 16385 pixels wide", wide, nullptr},
    };
    const long before = PeakRssMb();
    for (const Case& c : cases) {
        ASSERT_FALSE(c.file.empty()) << c.what;
        ImageData image;
        std::string error;
        EXPECT_FALSE(platform::DecodeImage(c.file.data(), c.file.size(), 0, image, &error))
            << c.what;
        if (c.error) {
            EXPECT_EQ(error, c.error) << c.what;
        }
        EXPECT_TRUE(image.argb.empty()) << c.what;
    }
    EXPECT_LT(PeakRssMb() - before, 256) << "a claimed size was allocated";
}

TEST(ImageLimits, TheEnginesFormatsStillDecode)
{
    struct Case {
        const char* file;
        int width;
        int height;
    };
    const Case cases[] = {
        {"small.png", 4, 4},
        {"small.bmp", 4, 4},
        {"small_rle.tga", 4, 4},
        {"small.dds", 2, 2},
    };
    for (const Case& c : cases) {
        const Bytes file = Seed(c.file);
        ImageData image;
        std::string error;
        ASSERT_TRUE(platform::DecodeImage(file.data(), file.size(), 0, image, &error))
            << c.file << ": " << error;
        EXPECT_EQ(image.width, c.width) << c.file;
        EXPECT_EQ(image.height, c.height) << c.file;
        EXPECT_EQ(image.argb.size(), size_t(c.width) * size_t(c.height)) << c.file;
    }
}

}  // namespace
