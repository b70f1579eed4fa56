#include <gtest/gtest.h>

#include "HiByteBuffer.h"
#include "HiPacketBuffer.h"
#include "net_test_support.h"

using net_test::Bytes;
using net_test::Hex;
using net_test::ToHex;

namespace {

HiByteBuffer Reader(const Bytes& b)
{
    return HiByteBuffer(b.data(), int32_t(b.size()));
}

}  // namespace

TEST(HiByteBuffer, ReadsLittleEndianFieldsAtOddOffsets)
{
    const Bytes body = Hex("07 3412 78563412 0000803f");
    HiByteBuffer r = Reader(body);
    uint8_t b = 0;
    uint16_t w = 0;
    uint32_t d = 0;
    float f = 0;
    ASSERT_TRUE(r.ReadU8(b));
    ASSERT_TRUE(r.ReadU16(w));  // offset 1
    ASSERT_TRUE(r.ReadU32(d));  // offset 3
    ASSERT_TRUE(r.ReadF32(f));
    EXPECT_EQ(b, 0x07);
    EXPECT_EQ(w, 0x1234);
    EXPECT_EQ(d, 0x12345678u);
    EXPECT_EQ(f, 1.0f);
    EXPECT_EQ(r.GetRemaining(), 0);
}

TEST(HiByteBuffer, ShortFieldKeepsDefaultAndPosition)
{
    const Bytes body = Hex("010203");
    HiByteBuffer r = Reader(body);
    uint32_t d = 77;
    EXPECT_FALSE(r.ReadU32(d));
    EXPECT_EQ(d, 77u);
    EXPECT_EQ(r.GetPosition(), 0);
    uint16_t w = 0;
    EXPECT_TRUE(r.ReadU16(w));
    EXPECT_EQ(w, 0x0201);
}

TEST(HiByteBuffer, ReadWStringCases)
{
    struct Case {
        const char* name;
        const char* hex;
        int32_t maxBytes;
        bool ok;
        std::u16string text;
        int32_t positionAfter;
    };
    const Case cases[] = {
        {"count 0", "0000 4100", 8, true, u"", 2},
        {"at the limit", "0400 4100 4200 ff", 4, true, u"AB", 6},
        {"over the limit is skipped", "0600 4100 4200 4300 ff", 4, false, u"", 8},
        {"count beyond the remaining bytes", "0800 4100", 20, false, u"", 4},
        {"odd count", "0300 410042 ff", 20, false, u"", 5},
        {"one byte only", "04", 20, false, u"", 0},
        {"hangul unit", "0200 00ac", 4, true, u"\uac00", 4},
    };
    for (const Case& c : cases) {
        const Bytes body = Hex(c.hex);
        HiByteBuffer r = Reader(body);
        char16_t dest[32] = {};
        EXPECT_EQ(r.ReadWString(dest, c.maxBytes), c.ok) << c.name;
        EXPECT_EQ(std::u16string(dest), c.text) << c.name;
        EXPECT_EQ(r.GetPosition(), c.positionAfter) << c.name;
    }
}

TEST(HiByteBuffer, CountedTextOfZeroIsNoText)
{
    const Bytes body = Hex("0000 07");
    HiByteBuffer r = Reader(body);
    char16_t dest[4] = {};
    EXPECT_FALSE(r.ReadCountedText(dest, 4));
    uint8_t next = 0;
    EXPECT_TRUE(r.ReadU8(next));
    EXPECT_EQ(next, 7);
}

TEST(HiByteBuffer, WritersLayOutFieldsAndRefuseOverflow)
{
    uint8_t store[16];
    HiByteBuffer w = HiByteBuffer::Writer(store, sizeof store);
    EXPECT_TRUE(w.WriteU8(0xAB));
    EXPECT_TRUE(w.WriteU16(0x1234));
    EXPECT_TRUE(w.WriteU32(0xDEADBEEF));
    EXPECT_TRUE(w.WriteWString(u"Hi"));
    EXPECT_TRUE(w.WriteWString(nullptr));
    EXPECT_EQ(ToHex(Bytes(store, store + w.GetSize())), "ab3412efbeadde0400480069000000");
    EXPECT_FALSE(w.WriteU16(1));  // 15 of 16 used
    EXPECT_TRUE(w.WriteU8(1));
    EXPECT_FALSE(w.WriteU8(1));
    EXPECT_EQ(w.GetSize(), 16);
}

TEST(HiByteBuffer, FixedTextNeverSplitsADoubleByteCharacter)
{
    struct Case {
        const char* name;
        std::string text;
        int32_t field;
        const char* hex;
    };
    const Case cases[] = {
        {"short text is zero-filled", "ab", 4, "61620000"},
        {"exact fit has no terminator", "abcd", 4, "61626364"},
        {"longer text is cut", "abcdef", 4, "61626364"},
        {"double-byte character at the edge is left out", "abc\xb0\xa1", 4, "61626300"},
        {"double-byte characters that fit", "\xb0\xa1\xb0\xa2", 4, "b0a1b0a2"},
        {"null text", std::string(), 2, "0000"},
    };
    for (const Case& c : cases) {
        uint8_t store[32];
        HiByteBuffer w = HiByteBuffer::Writer(store, sizeof store);
        ASSERT_TRUE(w.WriteFixedText(c.text.empty() ? nullptr : c.text.c_str(), c.field)) << c.name;
        EXPECT_EQ(ToHex(Bytes(store, store + w.GetSize())), c.hex) << c.name;
    }
}

TEST(HiPacketBuffer, SetBodyAcceptsOneTo8190Bytes)
{
    struct Case {
        int32_t n;
        bool ok;
    };
    const Case cases[] = {{0, false}, {1, true}, {8190, true}, {8191, false}};
    std::vector<uint8_t> body(8191, 0x5A);
    for (const Case& c : cases) {
        HiPacketBuffer p;
        EXPECT_EQ(p.SetBody(body.data(), c.n), c.ok) << c.n;
        EXPECT_EQ(p.GetBodyLength(), c.ok ? c.n : 0) << c.n;
    }
    HiPacketBuffer p;
    ASSERT_TRUE(p.SetBody(body.data(), 8190));
    EXPECT_EQ(ToHex(Bytes(p.GetFrame(), p.GetFrame() + 3)), "fe1f5a");
    EXPECT_EQ(p.GetFrameSize(), 8192);
}

TEST(HiPacketBuffer, ValidateHeaderChecksTheLength)
{
    struct Case {
        uint8_t lo, hi;
        bool ok;
        int32_t length;
    };
    const Case cases[] = {{0x00, 0x00, false, 0},
                          {0x01, 0x00, true, 1},
                          {0xfe, 0x1f, true, 8190},
                          {0xff, 0x1f, false, 0},
                          {0xff, 0xff, false, 0}};
    for (const Case& c : cases) {
        HiPacketBuffer p;
        p.GetHeader()[0] = c.lo;
        p.GetHeader()[1] = c.hi;
        EXPECT_EQ(p.ValidateHeader(), c.ok) << int(c.lo) << "," << int(c.hi);
        EXPECT_EQ(p.GetBodyLength(), c.length);
    }
}

TEST(HiLocalByteBuffer, AssignAndReferenceCount)
{
    HiPointer<HiLocalByteBuffer> p(new HiLocalByteBuffer);
    EXPECT_EQ(p->GetRefCount(), 1);
    {
        HiPointer<HiLocalByteBuffer> q = p;
        EXPECT_EQ(p->GetRefCount(), 2);
    }
    EXPECT_EQ(p->GetRefCount(), 1);
    const Bytes body = Hex("0500 03");
    ASSERT_TRUE(p->Assign(body.data(), 3));
    EXPECT_EQ(p->GetSize(), 3);
    EXPECT_EQ(p->GetPosition(), 0);
    std::vector<uint8_t> big(8193);
    EXPECT_FALSE(p->Assign(big.data(), 8193));
    EXPECT_EQ(p->GetSize(), 3);
}
