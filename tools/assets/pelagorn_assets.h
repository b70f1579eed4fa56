#pragma once
// The Pelagorn game's placeholder data: its hand-written configuration files copied under
// "<out>/DATA_PELAGORN/" and the animations and images they name.

#include <string>

// Returns the number of files that could not be written.
int WritePelagornAssets(const std::string& out);
