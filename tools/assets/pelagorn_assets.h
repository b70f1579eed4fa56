#pragma once
// The Pelagorn game's placeholder data: its hand-written configuration files copied under
// "<out>/DATA_PELAGORN/", the animations and images they name, and the per-symbol and per-item
// files of the reels and the item belt.

#include <string>

// Returns the number of files that could not be written.
int WritePelagornAssets(const std::string& out);
