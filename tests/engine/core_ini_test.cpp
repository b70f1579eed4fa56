// The device's ini file (state 15): values by section and key, defaults without a file or text.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "CXGfxDevice.h"
#include "support/temp_folder.h"

namespace {

class CoreIniTest : public testing::Test {
protected:
    void SetUp() override
    {
        device = CreateGfxDevice(16);
        ASSERT_NE(device, nullptr);
    }
    void TearDown() override { device->Release(); }
    std::string Read()
    {
        std::ifstream in(m_file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    CXGfxDevice* device = nullptr;
    TempFolder m_folder{"core_ini"};
    const std::filesystem::path m_dir = m_folder.Path();
    const std::string m_file = (m_dir / "engine.ini").string();
};

TEST_F(CoreIniTest, WithoutAFileSettersDoNothingAndGettersReturnTheDefault)
{
    EXPECT_EQ(device->System_GetState(GFX_STATE_INI_FILE), 0);
    device->Ini_SetInt("game", "level", 3);
    EXPECT_EQ(device->Ini_GetInt("game", "level", -1), -1);
    EXPECT_EQ(device->Ini_GetFloat("game", "speed", 1.5f), 1.5f);
    EXPECT_STREQ(device->Ini_GetString("game", "name", "none"), "none");
    EXPECT_STREQ(device->Ini_GetString("game", "name", nullptr), "");
}

TEST_F(CoreIniTest, ValuesAreWrittenAsTextAndReadBack)
{
    device->System_SetState(GFX_STATE_INI_FILE, m_file.c_str());
    EXPECT_STREQ(reinterpret_cast<const char*>(device->System_GetState(GFX_STATE_INI_FILE)),
                 m_file.c_str());

    device->Ini_SetInt("Game", "Level", -42);
    device->Ini_SetFloat("Game", "Speed", 1.25f);
    device->Ini_SetString("Player", "Name", "\xB1\xE8");  // CP949 text goes through as bytes
    device->Ini_SetString("Player", "Nothing", nullptr);
    EXPECT_EQ(Read(), "[Game]\r\nLevel=-42\r\nSpeed=1.250000\r\n\r\n[Player]\r\nName=\xB1\xE8\r\n");

    EXPECT_EQ(device->Ini_GetInt("game", "level", 0), -42);
    EXPECT_EQ(device->Ini_GetFloat("GAME", "SPEED", 0.0f), 1.25f);
    EXPECT_STREQ(device->Ini_GetString("player", "name", "x"), "\xB1\xE8");
    EXPECT_EQ(device->Ini_GetInt("player", "name", 9), 0)
        << "text that is no number reads as atoi does";
}

TEST_F(CoreIniTest, EmptyAndLongValuesAndClearingTheFile)
{
    device->System_SetState(GFX_STATE_INI_FILE, m_file.c_str());
    device->Ini_SetString("s", "empty", "");
    EXPECT_EQ(device->Ini_GetInt("s", "empty", 5), 5) << "a key without text gives the default";
    EXPECT_STREQ(device->Ini_GetString("s", "empty", "dflt"), "dflt");

    const std::string longText(400, 'x');
    device->Ini_SetString("s", "long", longText.c_str());
    EXPECT_EQ(std::string(device->Ini_GetString("s", "long", "")), std::string(255, 'x'))
        << "reads go through a 256-byte buffer";

    device->System_SetState(GFX_STATE_INI_FILE, static_cast<const char*>(nullptr));
    EXPECT_EQ(device->System_GetState(GFX_STATE_INI_FILE), 0);
    EXPECT_STREQ(device->Ini_GetString("s", "long", "gone"), "gone");

    // A path too long for the device is refused, never cut to another file's name.
    const std::string tooLong = (m_dir / std::string(300, 'a')).string() + ".ini";
    device->System_SetState(GFX_STATE_INI_FILE, tooLong.c_str());
    EXPECT_EQ(device->System_GetState(GFX_STATE_INI_FILE), 0);
}

}  // namespace
