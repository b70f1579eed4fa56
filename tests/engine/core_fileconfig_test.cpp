// Engine configuration files: the engine packs before the disk, names normalised for the lookup,
// the path kept as given.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "CX2DFileConfig.h"
#include "CX2DPack.h"
#include "CXString.h"
#include "platform/files.h"
#include "support/temp_folder.h"

namespace {

// A pack that answers from a map of (normalised name, bytes).
class MapPack final : public CX2DPackObject {
public:
    explicit MapPack(std::map<std::string, std::string> entries) : m_Entries(std::move(entries)) {}
    const CXString& GetName() const override { return m_strName; }
    bool Extract(const char* name, CXString& buffer) override
    {
        const auto it = m_Entries.find(name);
        if (it == m_Entries.end())
            return false;
        ++lookups;
        return buffer.SetData(it->second.data(), unsigned(it->second.size())) || it->second.empty();
    }
    int lookups = 0;

private:
    CXString m_strName = "map";
    std::map<std::string, std::string> m_Entries;
};

class CoreFileConfigTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(platform::CreateFolder(m_dir + "Sub"));
        Write("Sub/Conf.cfg", "# from the disk\nwhere = disk\nnumber=7\n");
        m_savedBase = g_strResourceBase;
        g_strResourceBase = m_dir;
        EngineDeletePackList();
        EngineCreatePackList();
    }
    void TearDown() override
    {
        EngineDeletePackList();
        g_strResourceBase = m_savedBase;
    }
    void Write(const std::string& name, const std::string& text)
    {
        ASSERT_TRUE(platform::WriteFileAtomic(m_dir + name, text.data(), text.size()));
    }
    MapPack* AddPack(std::map<std::string, std::string> entries)
    {
        auto* pack = new MapPack(std::move(entries));
        EnginePackList()->AddTail(pack);
        return pack;
    }

    TempFolder m_folder{"core_cfg"};
    const std::string m_dir = m_folder.Slashed();
    std::string m_savedBase;
};

TEST_F(CoreFileConfigTest, DiskFilesAreFoundUnderTheirNormalisedNames)
{
    ASSERT_TRUE(platform::CreateFolder(m_dir + "other/sub"));
    Write("other/sub/conf.cfg", "where = disk\n");
    const char* const names[] = {
        "Sub/Conf.cfg",
        "sub/conf.CFG",
        "/sub/conf.cfg",            // a leading '/' is dropped
        "  SUB/CONF.CFG  ",         // trimmed
        "D://sub/conf.cfg",         // a drive prefix written with "//" is cut off
        "D://Other//sub/conf.cfg",  // only the first "//" cuts: the rest is one path
    };
    for (const char* name : names) {
        CX2DFileConfig config;
        ASSERT_TRUE(config.Load(name)) << name;
        EXPECT_STREQ(config.GetValue("WHERE").GetString(), "disk") << name;
        EXPECT_STREQ(config.GetPath().GetString(), name) << "the path is kept as given: " << name;
    }
}

TEST_F(CoreFileConfigTest, AnEnginePackEntryWinsOverTheDisk)
{
    MapPack* pack = AddPack({{"SUB/CONF.CFG", "where=pack\n"}, {"SUB/EMPTY.CFG", ""}});
    CX2DFileConfig config;
    ASSERT_TRUE(config.Load("d://Sub/Conf.cfg"));
    EXPECT_STREQ(config.GetValue("WHERE").GetString(), "pack");
    EXPECT_FALSE(config.HasKey("NUMBER"));
    EXPECT_EQ(pack->lookups, 1);

    // An empty entry is an empty file, not a name to read from the disk.
    ASSERT_TRUE(config.Load("sub/empty.cfg"));
    EXPECT_FALSE(config.HasKey("WHERE"));
}

TEST_F(CoreFileConfigTest, ScrambledPackEntriesAreUnscrambledOnlyWhenAsked)
{
    CXString scrambled("where=secret\n");
    ASSERT_TRUE(scrambled.Scramble());
    AddPack({{"SUB/SECRET.CFG", std::string(scrambled.GetString(), scrambled.GetDataSize())},
             {"SUB/PLAIN.CFG", "where=plain\n"}});

    CX2DFileConfig config;
    ASSERT_TRUE(config.Load("sub/secret.cfg", 0, 1));
    EXPECT_STREQ(config.GetValue("WHERE").GetString(), "secret");
    EXPECT_FALSE(config.Load("sub/plain.cfg", 0, 1)) << "plain text is not a scrambled image";
    EXPECT_STREQ(config.GetValue("WHERE").GetString(), "secret")
        << "a failed load keeps the values";
}

TEST_F(CoreFileConfigTest, MissingAndEmptyNamesFail)
{
    struct Case {
        const char* what;
        const char* name;
    };
    const Case cases[] = {
        {"missing file", "sub/absent.cfg"},
        {"empty name", ""},
        {"blank after the drive prefix", "c://   "},
        {"only a slash", "/"},
        {"null", nullptr},
    };
    for (const Case& c : cases) {
        CX2DFileConfig config;
        EXPECT_FALSE(config.Load(c.name)) << c.what;
        EXPECT_FALSE(config.HasKey("WHERE")) << c.what;
    }
}

}  // namespace
