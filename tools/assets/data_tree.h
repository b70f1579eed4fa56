#pragma once
// The placeholder trees the loading screen walks: the Pelagorn data folder with its images and
// sounds under placeholder names, until the game generates its real ones.

#include <string>

// Number of image and sound files written under "DATA_PELAGORN/": what the loading screen needs
// at least.
constexpr int kPelagornPlaceholderFiles = 2607;

// Writes the tree under out; returns the number of files that could not be written.
int WritePelagornPlaceholders(const std::string& out);
