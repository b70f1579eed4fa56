// The UI's private font files: the generated copies register under their face names and are
// the files the faces resolve to until they are removed again.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "UIFontFiles.h"
#include "platform/text.h"

namespace {

// The file a font of the face opens, or "" when no font can be made.
std::string FileOfFace(const char* face)
{
    TextFontDesc desc;
    desc.height = -16;
    desc.charSet = TEXT_CHARSET_HANGUL;
    std::strncpy(desc.faceName, face, sizeof desc.faceName - 1);
    TextFont font = platform::CreateFont(desc);
    const std::string file = font && platform::GetFontFile(font) ? platform::GetFontFile(font) : "";
    platform::DeleteFont(font);
    return file;
}

TEST(UIFontFiles, FacesResolveToTheGeneratedFilesWhileAdded)
{
    const std::string base = CX_ASSETS_DIR;
    const std::string nanum = UIFontFilePath(g_UIFontFiles[0], base);
    EXPECT_STREQ(g_UIFontFiles[0].file, "./font/Nanum.ttf");
    EXPECT_STREQ(g_UIFontFiles[1].file, "./font/H2wule.TTF");
    ASSERT_NE(FileOfFace(g_UIFontFiles[0].face), nanum) << "registered before the test";

    EXPECT_EQ(AddUIFontFiles(base), 2);
    EXPECT_EQ(FileOfFace("나눔고딕"), nanum);
    // A face that no file names still gives a font: an installed Korean face stands in.
    EXPECT_NE(FileOfFace(g_UIFontFiles[1].face), "");

    RemoveUIFontFiles(base);
    EXPECT_NE(FileOfFace("나눔고딕"), nanum);
}

TEST(UIFontFiles, MissingFilesRegisterNothing)
{
    EXPECT_EQ(AddUIFontFiles("/nonexistent-font-folder"), 0);
    RemoveUIFontFiles("/nonexistent-font-folder");
}

}  // namespace
