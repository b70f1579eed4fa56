#include "CX2DGDI.h"

#include <algorithm>
#include <cstring>

#include "CX2DEngine.h"
#include "CXGfxDevice.h"

namespace {

// Locks the whole of a 32-bit texture for writing through the device, which reports a failure.
bool LockWhole(HTEXTURE texture, GpuLocked& locked)
{
    return g_pGfxDevice && texture &&
           platform::BytesPerPixel(GpuDevice::TextureFormat(texture)) == 4 &&
           g_pGfxDevice->Texture_LockRect(&locked, texture, false, 0, 0, 0, 0);
}

}  // namespace

CX2DGDI::CX2DGDI() : m_hDC(platform::CreateDC()), m_hFont(EngineGetFont())
{
    Resize(1, 1);
}

CX2DGDI::~CX2DGDI()
{
    if (m_hDC) {
        platform::SelectBitmap(m_hDC, nullptr);
        platform::SelectFont(m_hDC, nullptr);
    }
    platform::DeleteBitmap(m_hBitmap);
    platform::DeleteDC(m_hDC);
}

void CX2DGDI::SetFont(TextFont font)
{
    m_hFont = font ? font : EngineGetFont();
    if (m_hDC)
        platform::SelectFont(m_hDC, m_hFont);
}

bool CX2DGDI::Resize(int32_t width, int32_t height)
{
    if (!m_hDC)
        return false;
    const uint32_t textColor = platform::GetTextColor(m_hDC);
    const uint32_t bkColor = platform::GetBkColor(m_hDC);
    const int bkMode = platform::GetBkMode(m_hDC);

    platform::SelectBitmap(m_hDC, nullptr);
    platform::DeleteBitmap(m_hBitmap);
    m_hBitmap = nullptr;
    m_pPixels = nullptr;
    m_nWidth = 0;
    m_nHeight = 0;
    uint32_t* pixels = nullptr;
    TextBitmap bitmap = platform::CreateBitmap(width, height, &pixels);
    if (!bitmap)
        return false;
    std::memset(pixels, 0x01, static_cast<size_t>(width) * height * sizeof(uint32_t));
    m_hBitmap = bitmap;
    m_pPixels = pixels;
    m_nWidth = width;
    m_nHeight = height;

    platform::SelectBitmap(m_hDC, m_hBitmap);
    if (!m_hFont)
        m_hFont = EngineGetFont();
    platform::SelectFont(m_hDC, m_hFont);
    platform::SetCharacterExtra(m_hDC, 0);
    platform::SetTextColor(m_hDC, textColor);
    platform::SetBkColor(m_hDC, bkColor);
    platform::SetBkMode(m_hDC, bkMode);
    return true;
}

void CX2DGDI::Clear(uint32_t rgb)
{
    if (m_pPixels)
        std::fill(m_pPixels, m_pPixels + static_cast<size_t>(m_nWidth) * m_nHeight, rgb & 0xFFFFFF);
}

void CX2DGDI::FillTexture(HTEXTURE texture, uint8_t alpha, uint32_t rgb)
{
    GpuLocked locked{};
    if (!LockWhole(texture, locked))
        return;
    const uint32_t value = static_cast<uint32_t>(alpha) << 24 | (rgb & 0xFFFFFF);
    const int w = GpuDevice::TextureWidth(texture), h = GpuDevice::TextureHeight(texture);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.bits) +
                                                static_cast<ptrdiff_t>(y) * locked.pitch);
        std::fill(row, row + w, value);
    }
    g_pGfxDevice->Texture_Unlock(texture);
}

void CX2DGDI::CopyToTexture(HTEXTURE texture, int32_t dx, int32_t dy, int32_t sx, int32_t sy,
                            int32_t w, int32_t h)
{
    if (!m_pPixels || !texture)
        return;
    if (w <= 0 || w > m_nWidth)
        w = m_nWidth;
    if (h <= 0 || h > m_nHeight)
        h = m_nHeight;
    const int32_t texW = GpuDevice::TextureWidth(texture), texH = GpuDevice::TextureHeight(texture);
    dx = std::clamp(dx, 0, texW);
    dy = std::clamp(dy, 0, texH);
    sx = std::clamp(sx, 0, m_nWidth);
    sy = std::clamp(sy, 0, m_nHeight);
    const int32_t cw = std::min({w, m_nWidth - sx, texW - dx});
    const int32_t ch = std::min({h, m_nHeight - sy, texH - dy});
    if (cw <= 0 || ch <= 0)
        return;

    GpuLocked locked{};
    if (!LockWhole(texture, locked))
        return;
    for (int32_t y = 0; y < ch; ++y) {
        const uint32_t* src = m_pPixels + static_cast<size_t>(sy + y) * m_nWidth + sx;
        auto* dst = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.bits) +
                                                static_cast<ptrdiff_t>(dy + y) * locked.pitch) +
                    dx;
        for (int32_t x = 0; x < cw; ++x) {
            const uint32_t p = src[x] & 0xFFFFFF;
            if (p != CX2DGDI_KEY_COLOR)
                dst[x] = 0xFF000000 | p;
        }
    }
    g_pGfxDevice->Texture_Unlock(texture);
}
