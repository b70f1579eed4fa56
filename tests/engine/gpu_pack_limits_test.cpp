// Zip packs and PCX files whose headers claim more than their bytes hold: refused before anything
// of the claimed size is allocated. Long entry names and entries larger than one read piece still
// load exactly.
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "gpu_fixture.h"
#include "support/peak_rss.h"

namespace {

using Bytes = std::vector<uint8_t>;

using test_support::PeakRssMb;

void Put16(Bytes& b, uint16_t v)
{
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}

void Put32(Bytes& b, uint32_t v)
{
    Put16(b, uint16_t(v));
    Put16(b, uint16_t(v >> 16));
}

// A zip of one entry (method 0 or 8) whose directory gives the sizes as stated, however wrong.
Bytes ZipClaiming(const std::string& name, const Bytes& data, uint32_t compressed,
                  uint32_t uncompressed, uint16_t method = 0)
{
    const uint32_t crc = uint32_t(crc32(0, data.data(), uInt(data.size())));
    Bytes local;
    Put32(local, 0x04034b50);
    for (uint16_t v : {uint16_t(20), uint16_t(0), method, uint16_t(0), uint16_t(0)})
        Put16(local, v);
    Put32(local, crc);
    Put32(local, compressed);
    Put32(local, uncompressed);
    Put16(local, uint16_t(name.size()));
    Put16(local, 0);
    local.insert(local.end(), name.begin(), name.end());
    local.insert(local.end(), data.begin(), data.end());

    Bytes central;
    Put32(central, 0x02014b50);
    for (uint16_t v : {uint16_t(20), uint16_t(20), uint16_t(0), method, uint16_t(0), uint16_t(0)})
        Put16(central, v);
    Put32(central, crc);
    Put32(central, compressed);
    Put32(central, uncompressed);
    Put16(central, uint16_t(name.size()));
    for (int i = 0; i < 4; ++i)
        Put16(central, 0);
    Put32(central, 0);
    Put32(central, 0);
    central.insert(central.end(), name.begin(), name.end());

    Bytes file = local;
    file.insert(file.end(), central.begin(), central.end());
    Put32(file, 0x06054b50);
    Put16(file, 0);
    Put16(file, 0);
    Put16(file, 1);
    Put16(file, 1);
    Put32(file, uint32_t(central.size()));
    Put32(file, uint32_t(local.size()));
    Put16(file, 0);
    return file;
}

// A PCX header (version 5, 8 bits) followed by data.
Bytes Pcx(uint8_t encoding, uint16_t xmax, uint16_t ymax, uint8_t planes, uint16_t bytesPerLine,
          const Bytes& data)
{
    Bytes file(128, 0);
    file[0] = 10;
    file[1] = 5;
    file[2] = encoding;
    file[3] = 8;
    file[8] = uint8_t(xmax);
    file[9] = uint8_t(xmax >> 8);
    file[10] = uint8_t(ymax);
    file[11] = uint8_t(ymax >> 8);
    file[65] = planes;
    file[66] = uint8_t(bytesPerLine);
    file[67] = uint8_t(bytesPerLine >> 8);
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

using GpuPackLimitsTest = GpuEngineTest;

TEST_F(GpuPackLimitsTest, EntrySizesBeyondTheArchiveAreRefusedWithoutAllocatingThem)
{
    const std::string name = m_relative + "/a.txt";
    const Bytes abcd = {'a', 'b', 'c', 'd'};
    struct Case {
        const char* what;
        Bytes zip;
    };
    const Case cases[] = {
        {"stored entry claiming 2 GB", ZipClaiming(name, abcd, 4, 0x7FFFFFFF)},
        {"deflated entry claiming 2 GB", ZipClaiming(name, abcd, 4, 0x7FFFFFFF, Z_DEFLATED)},
        {"compressed size claiming 2 GB", ZipClaiming(name, abcd, 0x7FFFFFFF, 4)},
        {"stored entry claiming less than it holds", ZipClaiming(name, abcd, 4, 2)},
    };
    const long before = PeakRssMb();
    for (const Case& c : cases) {
        const auto path = m_temp.Path() / "claims.zip";
        WriteFile(path, c.zip);
        ASSERT_TRUE(dev->Resource_AttachPack(path.c_str(), nullptr)) << c.what;
        EXPECT_EQ(LoadResource(name), "<null>") << c.what;
        EXPECT_EQ(std::string(dev->System_GetErrorMessage()), "Can't load resource: " + name)
            << c.what;
        dev->Resource_RemoveAllPacks();
    }
    EXPECT_LT(PeakRssMb() - before, 256) << "a claimed size was allocated";
}

TEST_F(GpuPackLimitsTest, LongNamesAndLargeEntriesLoadWhole)
{
    // Names of 1024 bytes and more once overran a fixed name buffer; entries over one read piece
    // (64 KB) are read piece by piece.
    const std::string longName = m_relative + "/" + std::string(1500, 'n') + ".bin";
    Bytes large(300 * 1024);
    for (size_t i = 0; i < large.size(); ++i)
        large[i] = uint8_t(i * 7 + i / 1000);
    const std::string largeText(large.begin(), large.end());
    WriteZip(m_temp.Path() / "long.zip", {{std::string(1024, 'x'), Bytes{'1'}},
                                          {longName, Bytes{'l', 'o', 'n', 'g'}},
                                          {m_relative + "/large.bin", large}});
    ASSERT_TRUE(dev->Resource_AttachPack((m_temp.Path() / "long.zip").c_str(), nullptr));
    EXPECT_EQ(LoadResource(longName), "long");
    EXPECT_EQ(LoadResource(m_relative + "/large.bin"), largeText);
    dev->Resource_RemoveAllPacks();

    WriteEncryptedZip(m_temp.Path() / "locked.zip", m_relative + "/large.bin", large, "pw");
    ASSERT_TRUE(dev->Resource_AttachPack((m_temp.Path() / "locked.zip").c_str(), "pw"));
    EXPECT_EQ(LoadResource(m_relative + "/large.bin"), largeText);
}

TEST_F(GpuPackLimitsTest, PcxHeadersClaimingMoreThanTheirDataAreRefusedFirst)
{
    Bytes palette(769, 0);
    palette[0] = 0x0C;
    struct Case {
        const char* what;
        Bytes file;
    };
    const Case cases[] = {
        // 65535 bytes per line x 16384 rows x 3 planes: 3.2 GB from a 130-byte file.
        {"run-length planes of 3.2 GB", Pcx(1, 0, 16383, 3, 65535, {0xFF, 7})},
        {"raw planes of 3.2 GB", Pcx(0, 0, 16383, 3, 65535, Bytes(64, 1))},
        // One-byte lines padded out to 16384 x 16384 pixels.
        {"padding to 16384 x 16384",
         [&] {
             Bytes f = Pcx(1, 16383, 16383, 1, 1, {0xFF, 1});
             f.insert(f.end(), palette.begin(), palette.end());
             return f;
         }()},
    };
    const long before = PeakRssMb();
    for (const Case& c : cases) {
        const auto path = m_temp.Path() / "big.pcx";
        WriteFile(path, c.file);
        EXPECT_EQ(dev->Texture_LoadPCX(path.c_str()), nullptr) << c.what;
    }
    EXPECT_LT(PeakRssMb() - before, 256) << "a claimed size was allocated";

    // A run-length file whose runs can fill its planes still loads.
    Bytes fits = Pcx(1, 63, 63, 1, 64, Bytes(128 * 2, 0));
    for (size_t i = 128; i < fits.size(); i += 2)
        fits[i] = 0xE0;  // 32 copies of the next byte
    fits.insert(fits.end(), palette.begin(), palette.end());
    WriteFile(m_temp.Path() / "fits.pcx", fits);
    HTEXTURE texture = dev->Texture_LoadPCX((m_temp.Path() / "fits.pcx").c_str());
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(dev->Texture_GetWidth(texture), 64);
    EXPECT_EQ(dev->Texture_GetHeight(texture), 64);
}

}  // namespace
