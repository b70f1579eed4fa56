#include "CXFont.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "CXGfxDevice.h"
#include "CXSpriteBatch.h"

namespace {

GpuDevice* Gpu() { return g_pGfxDevice ? g_pGfxDevice->GetGpu() : nullptr; }

TextFontDesc ToLogFont(const CXFontDesc& d) {
    TextFontDesc l;
    l.height = d.Height;
    l.width = static_cast<int32_t>(d.Width);
    l.weight = static_cast<int32_t>(d.Weight);
    l.italic = d.Italic ? 1 : 0;
    l.charSet = d.CharSet;
    l.outPrecision = d.OutputPrecision;
    l.quality = d.Quality;
    l.pitchAndFamily = d.PitchAndFamily;
    std::memcpy(l.faceName, d.FaceName, sizeof(l.faceName));
    l.faceName[sizeof(l.faceName) - 1] = 0;
    return l;
}

int32_t Scaled(int32_t value, float scale) {
    return scale == 1.0f ? value : static_cast<int32_t>(std::lround(value * scale));
}

}  // namespace

CXFont::~CXFont() {
    ReleaseCache();
    ReleaseFonts();
}

void CXFont::ReleaseFonts() {
    if (m_hDC) Text_DeleteDC(m_hDC);
    m_hDC = nullptr;
    Text_DeleteFont(m_hDeviceFont);
    m_hDeviceFont = nullptr;
    Text_DeleteFont(m_hGDIFont);
    m_hGDIFont = nullptr;
}

void CXFont::ReleaseCache() {
    if (m_Cache.empty()) return;
    // Queued sprites may still refer to these textures.
    if (CXSpriteBatch* batch = EngineGetSpriteBatch()) batch->Flush();
    if (GpuDevice* gpu = Gpu())
        for (Rendered& r : m_Cache) gpu->DestroyTexture(r.texture);
    m_Cache.clear();
}

void CXFont::SetDesc(const CXFontDesc& desc) {
    m_Desc = desc;
    m_Desc.FaceName[sizeof(m_Desc.FaceName) - 1] = 0;
    m_LogFont = ToLogFont(m_Desc);
}

bool CXFont::Create(float scaleX, float scaleY) {
    ReleaseCache();
    ReleaseFonts();
    m_fScaleX = scaleX;
    m_fScaleY = scaleY;
    m_hDeviceFont = Text_CreateFont(ToLogFont(m_Desc));
    if (!m_hDeviceFont) return false;
    m_hDC = Text_CreateDC();
    Text_SelectFont(m_hDC, m_hDeviceFont);
    TextFontDesc scaled = m_LogFont;
    scaled.width = Scaled(m_LogFont.width, scaleX);
    scaled.height = Scaled(m_LogFont.height, scaleY);
    m_hGDIFont = Text_CreateFont(scaled);
    return m_hGDIFont != nullptr;
}

bool CXFont::GetTextExtent(const char* text, TextSize* size) {
    if (!size) return false;
    if (!m_hDC || !text || !Text_GetTextExtent(m_hDC, text, -1, size)) {
        *size = {};
        return false;
    }
    return true;
}

const CXFont::Rendered* CXFont::Render(const char* text, int length, int32_t w, int32_t h, uint32_t format) {
    std::string key(text, static_cast<size_t>(length));
    key.append(reinterpret_cast<const char*>(&w), sizeof(w));
    key.append(reinterpret_cast<const char*>(&h), sizeof(h));
    key.append(reinterpret_cast<const char*>(&format), sizeof(format));
    for (auto it = m_Cache.begin(); it != m_Cache.end(); ++it) {
        if (it->key == key) {
            m_Cache.splice(m_Cache.begin(), m_Cache, it);
            return &m_Cache.front();
        }
    }
    GpuDevice* gpu = Gpu();
    if (!gpu) return nullptr;
    uint32_t* pixels = nullptr;
    TextBitmap bitmap = Text_CreateBitmap(w, h, &pixels);
    if (!bitmap) return nullptr;
    std::memset(pixels, 0, static_cast<size_t>(w) * h * sizeof(uint32_t));
    Text_SelectBitmap(m_hDC, bitmap);
    Text_SetBkMode(m_hDC, TEXT_BK_TRANSPARENT);
    Text_SetTextColor(m_hDC, 0xFFFFFF);
    TextRect rect{0, 0, w, h};
    const int32_t drawn = Text_DrawText(m_hDC, text, length, &rect, format | TEXT_DT_ALIGN_BLOCK);
    Text_SelectBitmap(m_hDC, nullptr);
    if (drawn <= 0) {
        Text_DeleteBitmap(bitmap);
        return nullptr;
    }
    // Only the box around the ink becomes a texture, however large the rectangle is.
    int32_t left = w, top = h, right = 0, bottom = 0;
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            if (pixels[static_cast<size_t>(y) * w + x] & 0xFF) {
                left = std::min(left, x);
                right = std::max(right, x + 1);
                top = std::min(top, y);
                bottom = std::max(bottom, y + 1);
            }
    Rendered rendered{std::move(key), nullptr, left, top};
    if (left < right) {
        const int32_t iw = right - left, ih = bottom - top;
        // White on black: any channel is the coverage, which becomes the alpha.
        std::vector<uint32_t> ink(static_cast<size_t>(iw) * ih);
        for (int32_t y = 0; y < ih; ++y)
            for (int32_t x = 0; x < iw; ++x)
                ink[static_cast<size_t>(y) * iw + x] =
                    (pixels[static_cast<size_t>(top + y) * w + left + x] & 0xFF) << 24 | 0xFFFFFF;
        rendered.texture = gpu->CreateTexture(iw, ih, GPU_FORMAT_A8R8G8B8);
        if (rendered.texture && !gpu->Upload(rendered.texture, ink.data(), iw * 4)) {
            gpu->DestroyTexture(rendered.texture);
            rendered.texture = nullptr;
        }
        if (!rendered.texture) {
            Text_DeleteBitmap(bitmap);
            return nullptr;
        }
    }
    Text_DeleteBitmap(bitmap);
    if (m_Cache.size() >= kCacheSize) {
        if (CXSpriteBatch* batch = EngineGetSpriteBatch()) batch->Flush();
        gpu->DestroyTexture(m_Cache.back().texture);
        m_Cache.pop_back();
    }
    m_Cache.push_front(std::move(rendered));
    return &m_Cache.front();
}

bool CXFont::DrawRendered(const Rendered& rendered, float x, float y, uint32_t colour) {
    CXSpriteBatch* batch = EngineGetSpriteBatch();
    if (!rendered.texture) return batch && batch->IsBegun();  // nothing to draw: blanks only
    return batch && batch->DrawPlain(rendered.texture, x + static_cast<float>(rendered.x),
                                     y + static_cast<float>(rendered.y), nullptr, colour);
}

bool CXFont::DrawTextN(const char* text, int n, float x, float y, float w, float h, const uint32_t& colour,
                       uint32_t format) {
    CXSpriteBatch* batch = EngineGetSpriteBatch();
    if (!g_pGfxDevice || !g_pGfxDevice->IsReady() || !g_pGfxDevice->m_bLastPass || !batch || !m_hDeviceFont || !text)
        return false;
    const bool ownBegin = !batch->IsBegun();
    if (ownBegin && !batch->Begin(CXSPRITE_ALPHABLEND)) return false;

    const int total = static_cast<int>(std::strlen(text));
    const int length = n > 0 && n < total ? n : total;
    if (w == 0.0f || h == 0.0f) {
        TextSize size;
        const bool measured = Text_GetTextExtent(m_hDC, text, length, &size);
        if (w == 0.0f) w = measured ? static_cast<float>(size.cx) : 65535.0f;
        if (h == 0.0f) h = measured ? static_cast<float>(size.cy) : 65535.0f;
    }
    const int32_t iw = static_cast<int32_t>(w), ih = static_cast<int32_t>(h);
    const Rendered* first = Render(text, length, iw, ih, format);
    bool ok = first && DrawRendered(*first, x, y, colour);
    if (ok) {
        const Rendered* whole = Render(text, total, iw, ih, format);
        ok = whole && DrawRendered(*whole, x, y, colour);
    }
    if (ownBegin) batch->End();
    return ok;
}

bool CXFont::DrawText(const char* text, float x, float y, float w, float h, const uint32_t& colour, uint32_t format) {
    return DrawTextN(text, -1, x, y, w, h, colour, format);
}

void CXFont::OnLostDevice() {}

bool CXFont::OnResetDevice() { return true; }
