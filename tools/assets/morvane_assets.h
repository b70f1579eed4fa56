#pragma once
// The Morvane game's placeholder files: every image of its image sets as a BMP of the size the
// game draws it at, and every loaded row of its sound list as a short tone.

#include <string>

// Writes under <out>/data_morvane; returns the number of files that could not be written.
int WriteMorvaneAssets(const std::string& out);
