// Image decoding and saving over stb_image / stb_image_write, plus DDS (uncompressed and DXT).
// Stands in for: D3DXCreateTextureFromFileInMemoryEx's decoding and colour key,
//   D3DXGetImageInfoFromFileInMemory, D3DXSaveSurfaceToFile / D3DXSaveTextureToFile.
// Not here: PCX (the engine has its own loader), JPEG, GIF and the other formats the data does
//   not use, DDS mip levels past the first, cube maps and volumes, textures themselves (gpu.cpp).
#include "platform/image.h"

// The image decoder is compiled here, private to this file, with only the formats the engine's
// data uses (PNG, BMP, TGA); DDS and PCX have decoders of their own. Sides above kMaxSide are
// refused by the decoder itself.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#define STBI_MAX_DIMENSIONS 16384
#if defined(__clang__)
// The decoder reads an empty PNG data chunk with memcpy(null, p, 0): harmless, but reported by
// clang's null-argument check, which is left out for the decoder alone.
#pragma clang attribute push(__attribute__((no_sanitize("nonnull-attribute"))), apply_to = function)
#endif
#include <stb/stb_image.h>
#if defined(__clang__)
#pragma clang attribute pop
#endif
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr size_t kDdsHeader = 128;  // "DDS " and the 124-byte header
constexpr int kMaxSide = STBI_MAX_DIMENSIONS;

constexpr uint32_t kDdsRgb = 0x40, kDdsAlphaPixels = 0x1, kDdsFourCC = 0x4;

uint32_t ReadLE32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void WriteLE32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (8 * i));
}

// Scales the bits of value under mask to 0..255.
uint32_t Channel(uint32_t value, uint32_t mask)
{
    if (!mask)
        return 0;
    int shift = 0;
    while (!((mask >> shift) & 1))
        ++shift;
    const uint32_t max = mask >> shift;
    return ((value & mask) >> shift) * 255u / max;
}

bool Fail(std::string* error, const char* reason)
{
    if (error)
        *error = reason;
    return false;
}

// An R5G6B5 colour as ARGB, opaque.
uint32_t Expand565(uint32_t c)
{
    const uint32_t r = (c >> 11) & 31, g = (c >> 5) & 63, b = c & 31;
    return 0xFF000000u | ((r << 3) | (r >> 2)) << 16 | ((g << 2) | (g >> 4)) << 8 |
           ((b << 3) | (b >> 2));
}

// (a * wa + b * wb) / (wa + wb) on each of the three colour channels, opaque.
uint32_t Mix(uint32_t a, uint32_t b, uint32_t wa, uint32_t wb)
{
    uint32_t out = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8)
        out |= (((a >> shift) & 255) * wa + ((b >> shift) & 255) * wb) / (wa + wb) << shift;
    return out;
}

// The 16 colours of a DXT colour block (4 x 4, row by row). Without fourColours, a block whose
// first colour is not above the second has three colours and transparent black.
void DecodeColourBlock(const uint8_t* block, bool fourColours, uint32_t out[16])
{
    const uint32_t c0 = uint32_t(block[0] | block[1] << 8), c1 = uint32_t(block[2] | block[3] << 8);
    uint32_t palette[4] = {Expand565(c0), Expand565(c1), 0, 0};
    if (fourColours || c0 > c1) {
        palette[2] = Mix(palette[0], palette[1], 2, 1);
        palette[3] = Mix(palette[0], palette[1], 1, 2);
    } else {
        palette[2] = Mix(palette[0], palette[1], 1, 1);
        palette[3] = 0;
    }
    const uint32_t indices = ReadLE32(block + 4);
    for (int i = 0; i < 16; ++i)
        out[i] = palette[(indices >> (2 * i)) & 3];
}

// The 16 alphas of a DXT5 alpha block: two end points and 3-bit indices.
void DecodeAlphaBlock(const uint8_t* block, uint8_t out[16])
{
    const uint32_t a0 = block[0], a1 = block[1];
    uint32_t palette[8] = {a0, a1};
    if (a0 > a1) {
        for (uint32_t i = 2; i < 8; ++i)
            palette[i] = ((8 - i) * a0 + (i - 1) * a1) / 7;
    } else {
        for (uint32_t i = 2; i < 6; ++i)
            palette[i] = ((6 - i) * a0 + (i - 1) * a1) / 5;
        palette[6] = 0;
        palette[7] = 255;
    }
    uint64_t indices = 0;
    for (int b = 0; b < 6; ++b)
        indices |= uint64_t(block[2 + b]) << (8 * b);
    for (int i = 0; i < 16; ++i)
        out[i] = uint8_t(palette[(indices >> (3 * i)) & 7]);
}

// DXT1, DXT3 and DXT5 (DXT2 and DXT4 read as DXT3 and DXT5): 4 x 4 blocks, cut at the image's
// right and bottom edges.
bool DecodeDXT(const uint8_t* p, size_t size, uint32_t width, uint32_t height, uint32_t fourCC,
               ImageData& out, std::string* error)
{
    int kind;
    switch (fourCC) {
    case 0x31545844:
        kind = 1;
        break;  // "DXT1"
    case 0x32545844:
    case 0x33545844:
        kind = 3;
        break;  // "DXT2", "DXT3"
    case 0x34545844:
    case 0x35545844:
        kind = 5;
        break;  // "DXT4", "DXT5"
    default:
        return Fail(error, "unsupported DDS four-character code");
    }
    const size_t blockBytes = kind == 1 ? 8 : 16;
    const size_t across = (width + 3) / 4, down = (height + 3) / 4;
    if (size - kDdsHeader < across * down * blockBytes)
        return Fail(error, "DDS data is truncated");
    out.width = int(width);
    out.height = int(height);
    out.argb.resize(size_t(width) * height);
    const uint8_t* block = p + kDdsHeader;
    for (size_t by = 0; by < down; ++by)
        for (size_t bx = 0; bx < across; ++bx, block += blockBytes) {
            uint32_t colours[16];
            DecodeColourBlock(block + blockBytes - 8, kind != 1, colours);
            if (kind == 3) {
                for (int i = 0; i < 16; ++i) {
                    const uint32_t a = (block[i / 2] >> (4 * (i % 2))) & 15;
                    colours[i] = (colours[i] & 0xFFFFFF) | (a * 17) << 24;
                }
            } else if (kind == 5) {
                uint8_t alphas[16];
                DecodeAlphaBlock(block, alphas);
                for (int i = 0; i < 16; ++i)
                    colours[i] = (colours[i] & 0xFFFFFF) | uint32_t(alphas[i]) << 24;
            }
            for (size_t y = 0; y < 4 && by * 4 + y < height; ++y)
                for (size_t x = 0; x < 4 && bx * 4 + x < width; ++x)
                    out.argb[(by * 4 + y) * width + bx * 4 + x] = colours[y * 4 + x];
        }
    return true;
}

// Uncompressed RGB(A) DDS with 16, 24 or 32 bits per pixel and any channel masks, and the DXT
// compressed kinds.
bool DecodeDDS(const uint8_t* p, size_t size, ImageData& out, std::string* error)
{
    if (size < kDdsHeader || ReadLE32(p + 4) != 124 || ReadLE32(p + 76) != 32)
        return Fail(error, "bad DDS header");
    const uint32_t height = ReadLE32(p + 12), width = ReadLE32(p + 16);
    const uint32_t flags = ReadLE32(p + 80), bits = ReadLE32(p + 88);
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide)
        return Fail(error, "bad DDS size");
    if (flags & kDdsFourCC)
        return DecodeDXT(p, size, width, height, ReadLE32(p + 84), out, error);
    if (!(flags & kDdsRgb))
        return Fail(error, "unsupported DDS pixel format");
    if (bits != 16 && bits != 24 && bits != 32)
        return Fail(error, "unsupported DDS pixel size");
    const size_t bytes = bits / 8;
    if (size - kDdsHeader < size_t(width) * height * bytes)
        return Fail(error, "DDS data is truncated");
    const uint32_t rMask = ReadLE32(p + 92), gMask = ReadLE32(p + 96), bMask = ReadLE32(p + 100);
    const uint32_t aMask = (flags & kDdsAlphaPixels) ? ReadLE32(p + 104) : 0;
    out.width = int(width);
    out.height = int(height);
    out.argb.resize(size_t(width) * height);
    const uint8_t* src = p + kDdsHeader;
    for (size_t i = 0; i < out.argb.size(); ++i, src += bytes) {
        uint32_t v = 0;
        for (size_t b = 0; b < bytes; ++b)
            v |= uint32_t(src[b]) << (8 * b);
        const uint32_t a = aMask ? Channel(v, aMask) : 255u;
        out.argb[i] =
            a << 24 | Channel(v, rMask) << 16 | Channel(v, gMask) << 8 | Channel(v, bMask);
    }
    return true;
}

bool IsPng(const uint8_t* p, size_t size)
{
    return size >= 8 && std::memcmp(p, "\x89PNG\r\n\x1a\n", 8) == 0;
}

// Every chunk of a PNG file, up to the end chunk, fits in the bytes after its header: the
// decoder grows its buffer to a chunk's claimed length before it reads the chunk.
bool PngChunksFit(const uint8_t* p, size_t size)
{
    if (!IsPng(p, size))
        return true;
    size_t pos = 8;
    while (size - pos >= 8) {
        const uint64_t length = uint64_t(p[pos]) << 24 | uint64_t(p[pos + 1]) << 16 |
                                uint64_t(p[pos + 2]) << 8 | p[pos + 3];
        if (length > size - pos - 8)
            return false;
        if (std::memcmp(p + pos + 4, "IEND", 4) == 0)
            return true;
        pos += 8 + size_t(length);
        pos += std::min<size_t>(4, size - pos);  // the CRC
    }
    return true;
}

// The most pixels one byte of a file can stand for, by format: PNG rows are deflated (one byte
// inflates to at most 1032) and hold up to 8 one-bit pixels a byte; a TGA run of up to 128
// pixels takes two bytes or more; BMP rows are stored plainly with up to 8 pixels a byte.
uint64_t MaxPixelsPerByte(const uint8_t* p, size_t size)
{
    if (IsPng(p, size))
        return 1032 * 8;
    if (size >= 2 && p[0] == 'B' && p[1] == 'M')
        return 8;
    return 64;
}

// Rows of ARGB words as bytes R, G, B, A (or R, G, B), the layout stb_image_write takes.
std::vector<uint8_t> ToBytes(int width, int height, const uint32_t* argb, int pitch, int channels)
{
    std::vector<uint8_t> bytes(size_t(width) * height * channels);
    uint8_t* dst = bytes.data();
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint8_t*>(argb) + size_t(y) * pitch;
        for (int x = 0; x < width; ++x) {
            uint32_t v;
            std::memcpy(&v, row + size_t(x) * 4, 4);
            *dst++ = uint8_t(v >> 16);
            *dst++ = uint8_t(v >> 8);
            *dst++ = uint8_t(v);
            if (channels == 4)
                *dst++ = uint8_t(v >> 24);
        }
    }
    return bytes;
}

bool ValidSource(int width, int height, const uint32_t* argb, int pitch)
{
    return argb && width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
           pitch >= width * 4;
}

}  // namespace

bool platform::IsDdsImage(const void* data, size_t size)
{
    return data && size >= 4 && std::memcmp(data, "DDS ", 4) == 0;
}

bool platform::DecodeImage(const void* data, size_t size, uint32_t colourKey, ImageData& out,
                           std::string* error)
{
    out = ImageData{};
    if (!data || size == 0)
        return Fail(error, "no data");
    const auto* bytes = static_cast<const uint8_t*>(data);
    if (platform::IsDdsImage(data, size)) {
        if (!DecodeDDS(bytes, size, out, error)) {
            out = ImageData{};
            return false;
        }
    } else {
        if (size > size_t(INT32_MAX))
            return Fail(error, "image too large");
        if (!PngChunksFit(bytes, size))
            return Fail(error, "PNG chunk longer than the file");
        // The size the header claims is checked before any pixel is decoded.
        int width = 0, height = 0, channels = 0;
        if (!stbi_info_from_memory(bytes, int(size), &width, &height, &channels))
            return Fail(error,
                        stbi_failure_reason() ? stbi_failure_reason() : "unknown image format");
        if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
            uint64_t(width) * uint64_t(height) > uint64_t(size) * MaxPixelsPerByte(bytes, size))
            return Fail(error, "image too large for its data");
        std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
            stbi_load_from_memory(bytes, int(size), &width, &height, &channels, 4),
            stbi_image_free);
        if (!pixels)
            return Fail(error,
                        stbi_failure_reason() ? stbi_failure_reason() : "unknown image format");
        out.width = width;
        out.height = height;
        out.argb.resize(size_t(width) * height);
        const stbi_uc* src = pixels.get();
        for (uint32_t& px : out.argb) {
            px = uint32_t(src[3]) << 24 | uint32_t(src[0]) << 16 | uint32_t(src[1]) << 8 | src[2];
            src += 4;
        }
    }
    if (colourKey != 0)
        for (uint32_t& px : out.argb)
            if (px == colourKey)
                px = 0;
    return true;
}

bool platform::SaveBmp(const char* path, int width, int height, const uint32_t* argb, int pitch)
{
    if (!path || !ValidSource(width, height, argb, pitch))
        return false;
    std::vector<uint8_t> rgb = ToBytes(width, height, argb, pitch, 3);
    return stbi_write_bmp(path, width, height, 3, rgb.data()) != 0;
}

bool platform::SavePng(const char* path, int width, int height, const uint32_t* argb, int pitch)
{
    if (!path || !ValidSource(width, height, argb, pitch))
        return false;
    std::vector<uint8_t> rgba = ToBytes(width, height, argb, pitch, 4);
    return stbi_write_png(path, width, height, 4, rgba.data(), width * 4) != 0;
}

bool platform::SaveDds(const char* path, int width, int height, const uint32_t* argb, int pitch)
{
    if (!path || !ValidSource(width, height, argb, pitch))
        return false;
    std::vector<uint8_t> file(kDdsHeader + size_t(width) * height * 4, 0);
    uint8_t* h = file.data();
    std::memcpy(h, "DDS ", 4);
    WriteLE32(h + 4, 124);
    WriteLE32(h + 8, 0x100F);  // caps, height, width, pitch, pixel format
    WriteLE32(h + 12, uint32_t(height));
    WriteLE32(h + 16, uint32_t(width));
    WriteLE32(h + 20, uint32_t(width) * 4);
    WriteLE32(h + 76, 32);
    WriteLE32(h + 80, kDdsRgb | kDdsAlphaPixels);
    WriteLE32(h + 88, 32);
    WriteLE32(h + 92, 0x00FF0000);
    WriteLE32(h + 96, 0x0000FF00);
    WriteLE32(h + 100, 0x000000FF);
    WriteLE32(h + 104, 0xFF000000);
    WriteLE32(h + 108, 0x1000);  // a texture
    uint8_t* dst = h + kDdsHeader;
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint8_t*>(argb) + size_t(y) * pitch;
        for (int x = 0; x < width; ++x, dst += 4) {
            uint32_t v;
            std::memcpy(&v, row + size_t(x) * 4, 4);
            WriteLE32(dst, v);
        }
    }
    FILE* f = std::fopen(path, "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(file.data(), 1, file.size(), f) == file.size();
    return std::fclose(f) == 0 && ok;
}
