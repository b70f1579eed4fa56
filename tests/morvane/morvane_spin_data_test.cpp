#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "CMorvaneSpinData.h"

namespace {

std::vector<uint8_t> Block(std::initializer_list<std::pair<size_t, uint32_t>> fields)
{
    std::vector<uint8_t> block(CMorvaneSpinData::kSize, 0);
    for (const auto& [offset, value] : fields)
        for (int i = 0; i < 4; ++i)
            block[offset + i] = uint8_t(value >> (8 * i));
    return block;
}

}  // namespace

TEST(MorvaneSpinDataTest, FieldsAtTheirOffsets)
{
    // Hand-written little-endian bytes at the record's offsets.
    std::vector<uint8_t> block(200, 0);
    const uint8_t stops[] = {0x05, 0, 0, 0, 0x16, 0, 0, 0, 0x00, 0, 0, 0, 0x0B, 0, 0, 0};
    std::copy(std::begin(stops), std::end(stops), block.begin());
    const uint8_t win[] = {0xD0, 0x07, 0x00, 0x00};  // 2000 at 20 (middle row)
    std::copy(std::begin(win), std::end(win), block.begin() + 20);
    const uint8_t amount[] = {0x40, 0x42, 0x0F, 0x00};  // 1000000 at 44
    std::copy(std::begin(amount), std::end(amount), block.begin() + 44);
    block[152] = 0x02;                                                           // reel set
    block[188] = 0xFF, block[189] = 0xFF, block[190] = 0xFF, block[191] = 0xFF;  // FireCount -1
    block[196] = 0x7F;                                                           // never read

    CMorvaneSpinData record;
    ASSERT_TRUE(ReadMorvaneSpinData(block.data(), block.size(), record));
    EXPECT_EQ(record.Array[0], 5);
    EXPECT_EQ(record.Array[1], 22);
    EXPECT_EQ(record.Array[2], 0);
    EXPECT_EQ(record.Array[3], 11);
    EXPECT_EQ(record.Win[1], 2000);
    EXPECT_EQ(record.nWinAmount, 1000000);
    EXPECT_EQ(record.nReelSet, 2);
    EXPECT_EQ(record.FireCount, -1);
    EXPECT_EQ(record.FireValue, 0);

    uint8_t written[200];
    WriteMorvaneSpinData(record, written);
    block[196] = 0;
    EXPECT_TRUE(std::equal(block.begin(), block.end(), written));
}

TEST(MorvaneSpinDataTest, OutOfRangeStopsOrSetAreRefused)
{
    struct Case {
        size_t offset;
        uint32_t value;
        bool ok;
    };
    const Case cases[] = {
        {0, 22, true},  {0, 23, false},  {12, 0xFFFFFFFF, false},  {4, 0x80000000, false},
        {152, 2, true}, {152, 3, false}, {152, 0xFFFFFFFF, false},
    };
    for (const Case& c : cases) {
        const auto block = Block({{c.offset, c.value}});
        CMorvaneSpinData record;
        record.WinMark = 77;
        EXPECT_EQ(ReadMorvaneSpinData(block.data(), block.size(), record), c.ok)
            << c.offset << "=" << c.value;
        if (!c.ok) {
            EXPECT_EQ(record.WinMark, 77) << "a refused record leaves the target untouched";
        }
    }
}

TEST(MorvaneSpinDataTest, ShortBlockReadsMissingFieldsAsZero)
{
    const auto block = Block({{0, 3}, {44, 500}});
    for (size_t size : {size_t(0), size_t(3), size_t(4), size_t(47), size_t(48)}) {
        CMorvaneSpinData record;
        ASSERT_TRUE(ReadMorvaneSpinData(block.data(), size, record));
        EXPECT_EQ(record.Array[0], size >= 4 ? 3 : 0) << size;
        EXPECT_EQ(record.nWinAmount, size >= 48 ? 500 : 0) << size;
    }
    CMorvaneSpinData record;
    EXPECT_TRUE(ReadMorvaneSpinData(nullptr, 200, record));
}

// The fuzzing seeds stay readable, whole and cut at every length.
TEST(MorvaneSpinDataTest, FuzzCorpusReplays)
{
    const std::filesystem::path dir = std::filesystem::path(CX_FIXTURES_DIR) / "morvane" / "corpus";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        for (size_t n = 0; n <= bytes.size(); ++n) {
            CMorvaneSpinData record;
            if (ReadMorvaneSpinData(bytes.data(), n, record)) {
                for (int32_t stop : record.Array)
                    EXPECT_TRUE(stop >= 0 && stop <= 22);
                EXPECT_TRUE(record.nReelSet >= 0 && record.nReelSet <= 2);
            }
        }
        ++files;
    }
    EXPECT_GE(files, 3);
}
