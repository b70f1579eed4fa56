#pragma once
// The two font files the UI's faces come from, added as private fonts at start and removed at
// shutdown. The placeholder generator writes the same files.

#include <string>

struct UIFontFile {
    const char* file;  // relative to the program folder, as every resource
    const char* face;  // the face name the UI fonts ask for (CP949)
};

// In the order they are added; removed in reverse.
extern const UIFontFile g_UIFontFiles[2];

// The file's path under a base folder (empty: the program folder).
std::string UIFontFilePath(const UIFontFile& font, const std::string& base = std::string());
// Registers every file as a private font; returns how many could be read as fonts.
int AddUIFontFiles(const std::string& base = std::string());
void RemoveUIFontFiles(const std::string& base = std::string());
