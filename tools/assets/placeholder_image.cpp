#include "placeholder_image.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/image.h"
#include "platform/text.h"

namespace {

constexpr int kBorder = 2;
constexpr int kHollowBand = 48;

// A text colour that reads on the fill: black on light fills, white on dark ones.
uint32_t LabelColour(uint32_t fill)
{
    const int r = (fill >> 16) & 0xFF, g = (fill >> 8) & 0xFF, b = fill & 0xFF;
    return r * 299 + g * 587 + b * 114 > 128000 ? 0x000000 : 0xFFFFFF;
}

// Draws the label into the pixels (0x00RRGGBB) with a font sized to the picture.
void DrawLabel(std::vector<uint32_t>& rgb, const PlaceholderImage& image, uint32_t colour)
{
    uint32_t* pixels = nullptr;
    TextBitmap bitmap = platform::CreateBitmap(image.width, image.height, &pixels);
    if (!bitmap)
        return;
    std::memcpy(pixels, rgb.data(), rgb.size() * sizeof(uint32_t));
    TextFontDesc desc;
    // A glyph fills its cell; a name is set small enough to wrap inside the picture.
    const bool glyph = image.label.size() <= 2;
    desc.height = glyph ? -std::max(6, std::min(image.height * 2 / 3, image.width))
                        : -std::clamp(std::min(image.height / 3, image.width / 8), 6, 28);
    desc.weight = 700;
    desc.charSet = TEXT_CHARSET_HANGUL;
    std::strcpy(desc.faceName, "나눔고딕");
    TextFont font = platform::CreateFont(desc);
    TextDC dc = platform::CreateDC();
    if (font && dc) {
        platform::SelectBitmap(dc, bitmap);
        platform::SelectFont(dc, font);
        platform::SetBkMode(dc, TEXT_BK_TRANSPARENT);
        platform::SetTextColor(dc, colour);
        TextRect rect{kBorder + 2, kBorder + 1, image.width - kBorder - 2,
                      image.height - kBorder - 1};
        platform::DrawText(dc, image.label.c_str(), -1, &rect,
                           glyph ? TEXT_DT_CENTER | TEXT_DT_VCENTER | TEXT_DT_SINGLELINE
                                 : TEXT_DT_WORDBREAK);
        std::memcpy(rgb.data(), pixels, rgb.size() * sizeof(uint32_t));
        platform::SelectFont(dc, nullptr);
        platform::SelectBitmap(dc, nullptr);
    }
    platform::DeleteDC(dc);
    platform::DeleteFont(font);
    platform::DeleteBitmap(bitmap);
}

}  // namespace

bool WritePlaceholderPNG(const std::string& path, const PlaceholderImage& image)
{
    if (image.width < 1 || image.height < 1)
        return false;
    const size_t count = static_cast<size_t>(image.width) * image.height;
    const uint32_t edge = LabelColour(image.fill);
    std::vector<uint32_t> rgb(count, image.fill & 0x00FFFFFF);
    std::vector<uint8_t> alpha(count, static_cast<uint8_t>(image.fill >> 24));
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const size_t at = static_cast<size_t>(y) * image.width + x;
            const bool border = x < kBorder || y < kBorder || x >= image.width - kBorder ||
                                y >= image.height - kBorder;
            if (border) {
                rgb[at] = edge;
                alpha[at] = 0xFF;
            } else if (image.hollow && y >= kHollowBand) {
                alpha[at] = 0;
            }
        }
    if (!image.label.empty())
        DrawLabel(rgb, image, edge);

    std::vector<uint32_t> argb(count);
    for (size_t i = 0; i < count; ++i)
        argb[i] = static_cast<uint32_t>(alpha[i]) << 24 | (rgb[i] & 0x00FFFFFF);
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    return platform::SavePng(path.c_str(), image.width, image.height, argb.data(), image.width * 4);
}
