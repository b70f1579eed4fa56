#include "UIFontFiles.h"

#include <iterator>

#include "platform/files.h"
#include "platform/text.h"

const UIFontFile g_UIFontFiles[2] = {
    {"./font/Nanum.ttf", "나눔고딕"},
    {"./font/H2wule.TTF", "HY울릉도E"},
};

std::string UIFontFilePath(const UIFontFile& font, const std::string& base)
{
    std::string folder = base.empty() ? platform::ProgramFolder() : base;
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder + font.file;
}

int AddUIFontFiles(const std::string& base)
{
    int added = 0;
    for (const UIFontFile& font : g_UIFontFiles)
        if (platform::AddFontFile(UIFontFilePath(font, base).c_str()) > 0)
            ++added;
    return added;
}

void RemoveUIFontFiles(const std::string& base)
{
    for (auto it = std::rbegin(g_UIFontFiles); it != std::rend(g_UIFontFiles); ++it)
        platform::RemoveFontFile(UIFontFilePath(*it, base).c_str());
}
