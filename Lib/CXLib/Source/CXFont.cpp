#include "CXFont.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <iterator>
#include <vector>

#include "CXGfxDevice.h"
#include "CXSpriteBatch.h"

namespace {

GpuDevice* Gpu()
{
    return g_pGfxDevice ? g_pGfxDevice->GetGpu() : nullptr;
}

TextFontDesc ToLogFont(const CXFontDesc& d)
{
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

int32_t Scaled(int32_t value, float scale)
{
    return scale == 1.0f ? value : static_cast<int32_t>(std::lround(value * scale));
}

// Draws the text white on a cleared w x h bitmap through the font's context; false when nothing
// was drawn.
bool DrawWhiteText(TextDC dc, TextBitmap bitmap, uint32_t* pixels, const char* text, int length,
                   uint32_t format, int32_t w, int32_t h)
{
    std::memset(pixels, 0, static_cast<size_t>(w) * h * sizeof(uint32_t));
    platform::SelectBitmap(dc, bitmap);
    platform::SetBkMode(dc, TEXT_BK_TRANSPARENT);
    platform::SetTextColor(dc, 0xFFFFFF);
    TextRect rect{0, 0, w, h};
    const int32_t drawn = platform::DrawText(dc, text, length, &rect, format | TEXT_DT_ALIGN_BLOCK);
    platform::SelectBitmap(dc, nullptr);
    return drawn > 0;
}

// The box around the ink of a w x h drawing (right and bottom exclusive); left >= right when
// there is none. Only this box becomes a texture, however large the rectangle is.
struct InkBox {
    int32_t left, top, right, bottom;
};

InkBox FindInk(const uint32_t* pixels, int32_t w, int32_t h)
{
    InkBox box{w, h, 0, 0};
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            if (pixels[static_cast<size_t>(y) * w + x] & 0xFF) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x + 1);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y + 1);
            }
    return box;
}

// The box's pixels as white whose alpha is the coverage: white on black, any channel is it.
std::vector<uint32_t> InkAsAlpha(const uint32_t* pixels, int32_t w, const InkBox& box)
{
    const int32_t iw = box.right - box.left, ih = box.bottom - box.top;
    std::vector<uint32_t> ink(static_cast<size_t>(iw) * ih);
    for (int32_t y = 0; y < ih; ++y)
        for (int32_t x = 0; x < iw; ++x)
            ink[static_cast<size_t>(y) * iw + x] =
                (pixels[static_cast<size_t>(box.top + y) * w + box.left + x] & 0xFF) << 24 |
                0xFFFFFF;
    return ink;
}

}  // namespace

CXFont::~CXFont()
{
    ReleaseCache();
    ReleaseFonts();
}

void CXFont::ReleaseFonts()
{
    if (m_hDC)
        platform::DeleteDC(m_hDC);
    m_hDC = nullptr;
    platform::DeleteFont(m_hDeviceFont);
    m_hDeviceFont = nullptr;
    platform::DeleteFont(m_hGDIFont);
    m_hGDIFont = nullptr;
}

// Sprites still waiting with these textures are drawn by the device before each one goes.
void CXFont::ReleaseCache()
{
    if (GpuDevice* gpu = Gpu())
        for (Rendered& r : m_Cache)
            gpu->DestroyTexture(r.texture);
    m_Cache.clear();
    m_Index.clear();
}

size_t CXFont::Hash(std::string_view text, int32_t w, int32_t h, uint32_t format)
{
    size_t hash = std::hash<std::string_view>{}(text);
    for (uint64_t v : {uint64_t(uint32_t(w)), uint64_t(uint32_t(h)), uint64_t(format)})
        hash = (hash ^ v) * 0x100000001B3ull;
    return hash;
}

void CXFont::SetDesc(const CXFontDesc& desc)
{
    m_Desc = desc;
    m_Desc.FaceName[sizeof(m_Desc.FaceName) - 1] = 0;
    m_LogFont = ToLogFont(m_Desc);
}

bool CXFont::Create(float scaleX, float scaleY)
{
    ReleaseCache();
    ReleaseFonts();
    m_fScaleX = scaleX;
    m_fScaleY = scaleY;
    m_hDeviceFont = platform::CreateFont(ToLogFont(m_Desc));
    if (!m_hDeviceFont)
        return false;
    m_hDC = platform::CreateDC();
    platform::SelectFont(m_hDC, m_hDeviceFont);
    TextFontDesc scaled = m_LogFont;
    scaled.width = Scaled(m_LogFont.width, scaleX);
    scaled.height = Scaled(m_LogFont.height, scaleY);
    m_hGDIFont = platform::CreateFont(scaled);
    return m_hGDIFont != nullptr;
}

bool CXFont::GetTextExtent(const char* text, TextSize* size)
{
    if (!size)
        return false;
    if (!m_hDC || !text || !platform::GetTextExtent(m_hDC, text, -1, size)) {
        *size = {};
        return false;
    }
    return true;
}

// The cached rendering of the text in this rectangle, else a new one drawn, trimmed and cached.
const CXFont::Rendered* CXFont::Render(const char* text, int length, int32_t w, int32_t h,
                                       uint32_t format)
{
    const std::string_view view(text, static_cast<size_t>(length));
    const size_t hash = Hash(view, w, h, format);
    if (const Rendered* cached = FindCached(view, w, h, format, hash))
        return cached;
    GpuDevice* gpu = Gpu();
    if (!gpu)
        return nullptr;
    uint32_t* pixels = nullptr;
    TextBitmap bitmap = platform::CreateBitmap(w, h, &pixels);
    if (!bitmap)
        return nullptr;
    Rendered rendered{std::string(view), w, h, format, hash, nullptr, 0, 0};
    const bool made = DrawWhiteText(m_hDC, bitmap, pixels, text, length, format, w, h) &&
                      MakeInkTexture(*gpu, pixels, rendered);
    platform::DeleteBitmap(bitmap);
    if (!made)
        return nullptr;
    if (m_Cache.size() >= kCacheSize)
        EvictOldest(*gpu);
    m_Cache.push_front(std::move(rendered));
    m_Index.emplace(hash, m_Cache.begin());
    return &m_Cache.front();
}

const CXFont::Rendered* CXFont::FindCached(std::string_view text, int32_t w, int32_t h,
                                           uint32_t format, size_t hash)
{
    for (auto [at, end] = m_Index.equal_range(hash); at != end; ++at) {
        const auto it = at->second;
        if (it->w == w && it->h == h && it->format == format && it->text == text) {
            m_Cache.splice(m_Cache.begin(), m_Cache, it);
            return &m_Cache.front();
        }
    }
    return nullptr;
}

bool CXFont::MakeInkTexture(GpuDevice& gpu, const uint32_t* pixels, Rendered& rendered)
{
    const InkBox box = FindInk(pixels, rendered.w, rendered.h);
    rendered.x = box.left;
    rendered.y = box.top;
    if (box.left >= box.right)
        return true;
    const int32_t iw = box.right - box.left, ih = box.bottom - box.top;
    const std::vector<uint32_t> ink = InkAsAlpha(pixels, rendered.w, box);
    rendered.texture = gpu.CreateTexture(iw, ih, GPU_FORMAT_A8R8G8B8, ink.data(), iw * 4);
    return rendered.texture != nullptr;
}

void CXFont::EvictOldest(GpuDevice& gpu)
{
    const auto last = std::prev(m_Cache.end());
    for (auto [at, end] = m_Index.equal_range(last->hash); at != end; ++at)
        if (at->second == last) {
            m_Index.erase(at);
            break;
        }
    gpu.DestroyTexture(last->texture);
    m_Cache.pop_back();
}

bool CXFont::DrawRendered(const Rendered& rendered, float x, float y, uint32_t colour, bool begun)
{
    CXSpriteBatch* batch = EngineGetSpriteBatch();
    if (!batch)
        return false;
    if (!rendered.texture)
        return begun ? batch->IsBegun() : batch->CanBegin();  // blanks only
    x += static_cast<float>(rendered.x);
    y += static_cast<float>(rendered.y);
    return begun ? batch->DrawPlain(rendered.texture, x, y, nullptr, colour)
                 : batch->DrawPlainUnbegun(rendered.texture, x, y, colour);
}

bool CXFont::DrawTextN(const char* text, int n, float x, float y, float w, float h,
                       const uint32_t& colour, uint32_t format)
{
    CXSpriteBatch* batch = EngineGetSpriteBatch();
    if (!g_pGfxDevice || !g_pGfxDevice->IsReady() || !g_pGfxDevice->m_bLastPass || !batch ||
        !m_hDeviceFont || !text)
        return false;
    // Not begun: each quad goes to the quad batch at once, as a Begin and End around the call
    // would have drawn it.
    const bool begun = batch->IsBegun();
    if (!begun && !batch->CanBegin())
        return false;

    const int total = static_cast<int>(std::strlen(text));
    const int length = n > 0 && n < total ? n : total;
    if (w == 0.0f || h == 0.0f) {
        TextSize size;
        const bool measured = platform::GetTextExtent(m_hDC, text, length, &size);
        if (w == 0.0f)
            w = measured ? static_cast<float>(size.cx) : 65535.0f;
        if (h == 0.0f)
            h = measured ? static_cast<float>(size.cy) : 65535.0f;
    }
    const int32_t iw = static_cast<int32_t>(w), ih = static_cast<int32_t>(h);
    const Rendered* first = Render(text, length, iw, ih, format);
    bool ok = first && DrawRendered(*first, x, y, colour, begun);
    if (ok) {
        const Rendered* whole = length == total ? first : Render(text, total, iw, ih, format);
        ok = whole && DrawRendered(*whole, x, y, colour, begun);
    }
    return ok;
}

bool CXFont::DrawText(const char* text, float x, float y, float w, float h, const uint32_t& colour,
                      uint32_t format)
{
    return DrawTextN(text, -1, x, y, w, h, colour, format);
}

void CXFont::OnLostDevice() {}

bool CXFont::OnResetDevice()
{
    return true;
}
