// Image decoding and saving over stb_image / stb_image_write, plus DDS (uncompressed and DXT).
// Stands in for: D3DXCreateTextureFromFileInMemoryEx's decoding and colour key,
//   D3DXGetImageInfoFromFileInMemory, D3DXSaveSurfaceToFile / D3DXSaveTextureToFile.
// Not here: PCX (the engine has its own loader), DDS mip levels past the first, cube maps and
//   volumes, textures themselves (gpu.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Decoded pixels as 32-bit ARGB values, top row first.
struct ImageData {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;
};

namespace platform {

// Decodes PNG, BMP, TGA or DDS (uncompressed or DXT1 to DXT5) from memory. Sides above
// 16384 pixels, and sizes the file's bytes cannot hold, are refused before decoding. A nonzero
// colourKey turns every pixel equal to it (alpha included) into transparent black. False with a
// reason in error on bad or unknown data.
bool DecodeImage(const void* data, size_t size, uint32_t colourKey, ImageData& out,
                 std::string* error = nullptr);

// True when the bytes start with the DDS signature "DDS ".
bool IsDdsImage(const void* data, size_t size);

// Writes width x height ARGB pixels (top row first, pitch in bytes) to a file. The BMP is 24-bit;
// PNG and DDS keep alpha (DDS as uncompressed A8R8G8B8).
bool SaveBmp(const char* path, int width, int height, const uint32_t* argb, int pitch);
bool SavePng(const char* path, int width, int height, const uint32_t* argb, int pitch);
bool SaveDds(const char* path, int width, int height, const uint32_t* argb, int pitch);

}  // namespace platform
