// The frame reader fed from memory, against hand-written streams and against the committed corpus.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "frame_streams.h"
#include "net_test_support.h"

using namespace net_test;

namespace {

FrameSplit Split(const Bytes& stream)
{
    return ReadFramesFromMemory(stream.data(), stream.size());
}

Bytes Filled(size_t n, uint8_t value)
{
    return Bytes(n, value);
}

}  // namespace

TEST(HiFrameReader, SplitsStreamsLikeTheWire)
{
    struct Case {
        const char* name;
        Bytes stream;
        std::vector<Bytes> frames;
        bool bBadLength;
    };
    const Case cases[] = {
        {"empty stream", {}, {}, false},
        {"one frame", Hex("0300 050001"), {Hex("050001")}, false},
        {"two frames back to back", Hex("0100 aa 0200 bbcc"), {Hex("aa"), Hex("bbcc")}, false},
        {"header cut short", Hex("0100 aa 03"), {Hex("aa")}, false},
        {"body cut short", Hex("0100 aa 0400 0102"), {Hex("aa")}, false},
        {"length 0 ends the stream", Hex("0100 aa 0000 0100 bb"), {Hex("aa")}, true},
        {"length 8191 ends the stream", Concat({Hex("ff1f"), Filled(8191, 1)}), {}, true},
        {"length 65535 ends the stream", Hex("ffff 00"), {}, true},
        {"length 8190 is a frame",
         Concat({Hex("fe1f"), Filled(8190, 7)}),
         {Filled(8190, 7)},
         false},
    };
    for (const Case& c : cases) {
        const FrameSplit got = Split(c.stream);
        EXPECT_EQ(got.frames, c.frames) << c.name;
        EXPECT_EQ(got.bBadLength, c.bBadLength) << c.name;
        EXPECT_EQ(got, ReferenceFrames(c.stream.data(), c.stream.size())) << c.name;
    }
}

TEST(HiFrameReader, ResetStartsOverAtAHeader)
{
    // A connection lost in the middle of a body leaves the reader there; a new one starts clean.
    HiFrameReader reader;
    std::memcpy(reader.GetReadBuffer(), Hex("0500").data(), 2);
    ASSERT_EQ(reader.OnRead(), HiFrameReader::Step::ReadBody);
    ASSERT_EQ(reader.GetReadSize(), 5);
    reader.Reset();
    EXPECT_EQ(reader.GetReadSize(), 2);
}

// The seeds of the fuzz targets (message bodies), framed and run back to back through the reader.
TEST(HiFrameReader, CorpusFramedBackToBackComesOutWhole)
{
    const std::filesystem::path dir = std::filesystem::path(CX_FIXTURES_DIR) / "net" / "corpus";
    std::vector<Bytes> bodies;
    Bytes stream;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        bodies.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        ASSERT_FALSE(bodies.back().empty()) << entry.path();
        const Bytes framed = Frame(bodies.back());
        stream.insert(stream.end(), framed.begin(), framed.end());
        // Each seed on its own, as the frame targets read it, agrees with the reference.
        const Bytes& seed = bodies.back();
        EXPECT_EQ(Split(seed), ReferenceFrames(seed.data(), seed.size())) << entry.path();
    }
    ASSERT_FALSE(bodies.empty());
    const FrameSplit got = Split(stream);
    EXPECT_FALSE(got.bBadLength);
    EXPECT_EQ(got.frames, bodies);
}

TEST(TestHex, ReadsPairsAndRefusesAnythingElse)
{
    EXPECT_EQ(Hex("0a0B ff\n\t10"), (Bytes{0x0a, 0x0b, 0xff, 0x10}));
    EXPECT_EQ(Hex(""), Bytes{});
    for (const char* bad : {"0g", "0a0", "0 a", "0a-0b", "x1", "0x01"})
        EXPECT_THROW(Hex(bad), std::invalid_argument) << bad;
}
