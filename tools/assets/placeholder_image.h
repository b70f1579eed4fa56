#pragma once
// Placeholder pictures: a filled rectangle with a border and a label, saved as PNG.

#include <cstdint>
#include <string>

struct PlaceholderImage {
    int width = 0;
    int height = 0;
    uint32_t fill = 0xFF808080;  // ARGB
    // Only the border and a band at the top are drawn; the rest stays transparent (frames that
    // lie over a game's picture).
    bool hollow = false;
    std::string label;  // CP949; wrapped to the width
};

// Writes the picture to path (folders made as needed). False when it cannot be written.
bool WritePlaceholderPNG(const std::string& path, const PlaceholderImage& image);
