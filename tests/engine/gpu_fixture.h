#pragma once
// A started graphics device (small window under Xvfb, no sound) and scratch folders of image
// files and zip packs made by the test.
#include <gtest/gtest.h>
#include <minizip/zip.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "CXGfxDevice.h"
#include "CXString.h"
#include "device_start.h"
#include "platform/files.h"
#include "platform/image.h"
#include "support/temp_folder.h"

class GpuEngineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_device = StartTestDevice(64, 32, false); }
    static void TearDownTestSuite() { StopTestDevice(s_device); }

    void SetUp() override
    {
        ASSERT_NE(s_device, nullptr) << "the device did not start: " << TestDeviceFailure();
        dev = s_device;
        m_savedBase = g_strResourceBase;
    }
    void TearDown() override
    {
        g_strResourceBase = m_savedBase;
        if (dev)
            dev->Resource_RemoveAllPacks();
    }

    static std::vector<uint8_t> Png(int w, int h, const std::vector<uint32_t>& argb)
    {
        const TempFolder scratch("gpu_png");
        const std::string path = (scratch.Path() / "image.png").string();
        EXPECT_TRUE(platform::SavePng(path.c_str(), w, h, argb.data(), w * 4));
        std::ifstream in(path, std::ios::binary);
        return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    }

    static void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
    {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    // A zip file of (entry name, bytes), deflated.
    static void WriteZip(const std::filesystem::path& path,
                         const std::vector<std::pair<std::string, std::vector<uint8_t>>>& entries)
    {
        zipFile zip = zipOpen64(path.string().c_str(), APPEND_STATUS_CREATE);
        ASSERT_NE(zip, nullptr) << path;
        for (const auto& [name, bytes] : entries) {
            ASSERT_EQ(zipOpenNewFileInZip(zip, name.c_str(), nullptr, nullptr, 0, nullptr, 0,
                                          nullptr, Z_DEFLATED, Z_DEFAULT_COMPRESSION),
                      ZIP_OK);
            ASSERT_EQ(zipWriteInFileInZip(zip, bytes.data(), unsigned(bytes.size())), ZIP_OK);
            ASSERT_EQ(zipCloseFileInZip(zip), ZIP_OK);
        }
        ASSERT_EQ(zipClose(zip, nullptr), ZIP_OK);
    }

    // A zip of one entry, deflated and encrypted with the traditional PKWARE scheme. The entry is
    // written raw (the zip library does the deflating here but not the encryption), then the
    // encrypted flag is set in the local and the central header.
    static void WriteEncryptedZip(const std::filesystem::path& path, const std::string& name,
                                  const std::vector<uint8_t>& bytes, const std::string& password)
    {
        const uLong crc = crc32(0, bytes.data(), uInt(bytes.size()));
        std::vector<uint8_t> packed(compressBound(uLong(bytes.size())) + 16);
        z_stream z{};
        ASSERT_EQ(
            deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY),
            Z_OK);
        z.next_in = const_cast<Bytef*>(bytes.data());
        z.avail_in = uInt(bytes.size());
        z.next_out = packed.data();
        z.avail_out = uInt(packed.size());
        ASSERT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
        packed.resize(z.total_out);
        deflateEnd(&z);

        std::vector<uint8_t> plain = {
            1, 2, 3, 4, 5, 6, 7, 8, 9, 10, uint8_t(crc >> 16), uint8_t(crc >> 24)};
        plain.insert(plain.end(), packed.begin(), packed.end());
        uint32_t key[3] = {0x12345678u, 0x23456789u, 0x34567890u};
        const z_crc_t* table = get_crc_table();
        auto update = [&](uint8_t c) {
            key[0] = (key[0] >> 8) ^ uint32_t(table[(key[0] ^ c) & 0xFF]);
            key[1] = (key[1] + (key[0] & 0xFF)) * 134775813u + 1;
            key[2] = (key[2] >> 8) ^ uint32_t(table[(key[2] ^ (key[1] >> 24)) & 0xFF]);
        };
        for (char c : password)
            update(uint8_t(c));
        std::vector<uint8_t> sealed;
        for (uint8_t c : plain) {
            const uint32_t t = (key[2] | 2) & 0xFFFF;
            sealed.push_back(uint8_t(c ^ ((t * (t ^ 1)) >> 8)));
            update(c);
        }

        zipFile zip = zipOpen64(path.string().c_str(), APPEND_STATUS_CREATE);
        ASSERT_NE(zip, nullptr);
        ASSERT_EQ(zipOpenNewFileInZip2(zip, name.c_str(), nullptr, nullptr, 0, nullptr, 0, nullptr,
                                       Z_DEFLATED, Z_DEFAULT_COMPRESSION, 1),
                  ZIP_OK);
        ASSERT_EQ(zipWriteInFileInZip(zip, sealed.data(), unsigned(sealed.size())), ZIP_OK);
        ASSERT_EQ(zipCloseFileInZipRaw(zip, uLong(bytes.size()), crc), ZIP_OK);
        ASSERT_EQ(zipClose(zip, nullptr), ZIP_OK);

        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        std::vector<uint8_t> all((std::istreambuf_iterator<char>(file)),
                                 std::istreambuf_iterator<char>());
        const uint8_t central[4] = {'P', 'K', 1, 2};
        auto at = std::search(all.begin(), all.end(), central, central + 4);
        ASSERT_NE(at, all.end());
        all[6] |= 1;                             // local header flags
        all[size_t(at - all.begin()) + 8] |= 1;  // central header flags
        file.seekp(0);
        file.write(reinterpret_cast<const char*>(all.data()), std::streamsize(all.size()));
    }

    // The bytes Resource_Load gives for a name, as text, or "<null>".
    std::string LoadResource(const std::string& name)
    {
        uint32_t size = 0;
        void* data = dev->Resource_Load(name.c_str(), &size);
        if (!data)
            return "<null>";
        std::string text(static_cast<const char*>(data), size);
        dev->Resource_Free(data);
        return text;
    }

    // The first pixel of a texture as ARGB.
    uint32_t FirstPixel(HTEXTURE texture)
    {
        uint32_t pixel = 0;
        GpuRect one{0, 0, 1, 1};
        EXPECT_TRUE(dev->GetGpu()->ReadPixels(texture, &one, &pixel));
        return pixel;
    }

    static CXGfxDevice* s_device;
    CXGfxDevice* dev = nullptr;
    TempFolder m_temp{"gpu_engine"};  // absolute scratch folder
    // Relative names are looked up under the program folder: a twin there, and its relative name.
    TempFolder m_local{"gpu_res", platform::ProgramFolder()};
    const std::string m_relative = m_local.Path().filename().string();
    std::string m_savedBase;
};

inline CXGfxDevice* GpuEngineTest::s_device = nullptr;
