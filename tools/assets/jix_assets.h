#pragma once
// The Jix game's placeholder images and sounds under "<out>/data_jix".

#include <string>

// Writes every image of the Jix image list and every sound of its sound table; the number of
// files that could not be written.
int WriteJixAssets(const std::string& out);
