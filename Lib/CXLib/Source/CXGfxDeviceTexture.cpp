// Texture operations of the graphics device: creation, image loading with the name cache, the
// PCX loader, locking and saving. The two caches are in CXTextureList.cpp.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "CX2DTexture.h"
#include "CXGfxDevice.h"
#include "CXString.h"
#include "CXTextureList.h"
#include "platform/files.h"
#include "platform/image.h"

// --- Device operations ------------------------------------------------------------------------

namespace {

constexpr uint32_t kFormatA8R8G8B8 = GPU_FORMAT_A8R8G8B8;
constexpr uint32_t kFormatR5G6B5 = GPU_FORMAT_R5G6B5;

uint16_t To565(uint32_t argb)
{
    const uint32_t r = (argb >> 16) & 255, g = (argb >> 8) & 255, b = argb & 255;
    return static_cast<uint16_t>((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
}

// Trimmed and upper-cased (double-byte characters untouched): the key of the name cache.
std::string CacheKey(const char* name)
{
    CXString key(name);
    key.Trim();
    key.MakeUpper();
    return key.GetString();
}

}  // namespace

CXTextureStore& CXGfxDevice::TextureStore()
{
    if (!m_pTextureStore)
        m_pTextureStore = std::make_shared<CXTextureStore>();
    return *m_pTextureStore;
}

void CXGfxDevice::Texture_StartUp()
{
    // Records left from an earlier GPU name textures that are gone with it.
    CXTextureStore& store = TextureStore();
    store.TextureList.Clear(nullptr);
    store.TexChain.Clear(nullptr);
    CX2DTexture::DeleteSharedIndex();
    CX2DTexture::CreateSharedIndex();
}

void CXGfxDevice::Texture_ShutDown()
{
    CX2DTexture::DeleteSharedIndex();
    if (!m_pTextureStore)
        return;
    m_pTextureStore->TextureList.Clear(m_pGpu.get());
    m_pTextureStore->TexChain.Clear(m_pGpu.get());
}

HTEXTURE CXGfxDevice::Texture_Create(int width, int height, uint32_t format)
{
    HTEXTURE texture = m_pGpu ? m_pGpu->CreateTexture(width, height, format) : nullptr;
    if (!texture)
        SetError("Can't create texture");
    return texture;
}

namespace {

// A texture of the format (0: A8R8G8B8) made from the decoded pixels in one upload.
HTEXTURE TextureFromImage(GpuDevice* gpu, const ImageData& image, uint32_t format)
{
    if (!gpu)
        return nullptr;
    if (format == 0)
        format = kFormatA8R8G8B8;
    if (format == kFormatR5G6B5) {
        std::vector<uint16_t> pixels(image.argb.size());
        std::transform(image.argb.begin(), image.argb.end(), pixels.begin(), To565);
        return gpu->CreateTexture(image.width, image.height, format, pixels.data(),
                                  image.width * 2);
    }
    return gpu->CreateTexture(image.width, image.height, format, image.argb.data(),
                              image.width * 4);
}

}  // namespace

HTEXTURE CXGfxDevice::Texture_LoadFromMemory(const void* data, uint32_t size, CXImageInfo* info,
                                             uint32_t formatA, uint32_t formatB)
{
    ImageData image;
    if (!platform::DecodeImage(data, size, 0, image))
        return nullptr;
    HTEXTURE texture = TextureFromImage(m_pGpu.get(), image, formatA);
    if (!texture)
        texture = TextureFromImage(m_pGpu.get(), image, formatB);
    if (texture && info) {
        info->Width = static_cast<uint32_t>(image.width);
        info->Height = static_cast<uint32_t>(image.height);
        info->Format = GpuDevice::TextureFormat(texture);
    }
    return texture;
}

HTEXTURE CXGfxDevice::Texture_Load(const void* nameOrData, uint32_t size, uint32_t format,
                                   uint32_t colourKey)
{
    if (!nameOrData) {
        SetError("Can't create texture");
        return nullptr;
    }
    CXTextureStore& store = TextureStore();
    if (size != 0) {
        // DDS files keep their own format first; every other image goes to A8R8G8B8 first.
        const bool dds = platform::IsDdsImage(nameOrData, size);
        HTEXTURE texture =
            dds ? Texture_LoadFromMemory(nameOrData, size, nullptr, 0, kFormatA8R8G8B8)
                : Texture_LoadFromMemory(nameOrData, size, nullptr, kFormatA8R8G8B8, 0);
        if (!texture) {
            SetError("Can't create texture");
            return nullptr;
        }
        store.TexChain.Add(texture, GpuDevice::TextureWidth(texture),
                           GpuDevice::TextureHeight(texture));
        return texture;
    }

    const std::string key = CacheKey(static_cast<const char*>(nameOrData));
    if (HTEXTURE cached = store.TextureList.Find(key))
        return cached;
    uint32_t bytes = 0;
    void* data = Resource_Load(key.c_str(), &bytes);
    if (!data)
        return nullptr;
    ImageData image;
    const bool decoded = platform::DecodeImage(data, bytes, colourKey, image);
    Resource_Free(data);
    return AddNamedTexture(key, decoded ? &image : nullptr, format);
}

HTEXTURE CXGfxDevice::AddNamedTexture(const std::string& key, const ImageData* image,
                                      uint32_t format)
{
    HTEXTURE texture = nullptr;
    if (image) {
        texture = TextureFromImage(m_pGpu.get(), *image, format);
        if (!texture)
            texture = TextureFromImage(m_pGpu.get(), *image, 0);
    }
    if (!texture) {
        SetError("Can't create texture");
        return nullptr;
    }
    CXTextureStore& store = TextureStore();
    const int width = GpuDevice::TextureWidth(texture), height = GpuDevice::TextureHeight(texture);
    store.TextureList.Add(key, texture, width, height, GpuDevice::TextureFormat(texture));
    store.TexChain.Add(texture, width, height);
    return texture;
}

bool CXGfxDevice::Texture_Decode(const char* name, ImageData& image)
{
    if (!name)
        return false;
    const std::string path = ResourceFilePath(CacheKey(name).c_str());
    if (path.empty())
        return false;
    const std::optional<std::vector<uint8_t>> file = platform::ReadWholeFile(path);
    return file && file->size() <= 0xFFFFFFFFu &&
           platform::DecodeImage(file->data(), file->size(), 0, image);
}

HTEXTURE CXGfxDevice::Texture_LoadDecoded(const char* name, const ImageData& image)
{
    if (!name || !TextureStore().Packs.empty())
        return Texture_Load(name);
    const std::string key = CacheKey(name);
    if (HTEXTURE cached = TextureStore().TextureList.Find(key))
        return cached;
    return AddNamedTexture(key, &image, 0);
}

bool CXGfxDevice::Texture_Free(HTEXTURE texture)
{
    if (!texture || !m_pTextureStore || !m_pTextureStore->TexChain.Remove(texture))
        return false;
    // The name cache must not hand out a released texture later.
    m_pTextureStore->TextureList.Forget(texture);
    if (m_pGpu)
        m_pGpu->DestroyTexture(texture);
    return true;
}

int CXGfxDevice::Texture_GetWidth(HTEXTURE texture, bool recorded)
{
    if (recorded && m_pTextureStore)
        if (const CTextureList* record = m_pTextureStore->TexChain.Find(texture))
            return record->nWidth;
    return GpuDevice::TextureWidth(texture);
}

int CXGfxDevice::Texture_GetHeight(HTEXTURE texture, bool recorded)
{
    if (recorded && m_pTextureStore)
        if (const CTextureList* record = m_pTextureStore->TexChain.Find(texture))
            return record->nHeight;
    return GpuDevice::TextureHeight(texture);
}

bool CXGfxDevice::Texture_LockRect(GpuLocked* locked, HTEXTURE texture, bool readOnly, int x, int y,
                                   int w, int h)
{
    const uint32_t format = GpuDevice::TextureFormat(texture);
    const bool lockable = format == GPU_FORMAT_A8R8G8B8 || format == GPU_FORMAT_X8R8G8B8 ||
                          format == GPU_FORMAT_R5G6B5;
    const GpuRect rect{x, y, w, h};
    GpuLocked out{};
    if (!locked || !lockable || !m_pGpu ||
        !m_pGpu->Lock(texture, (w && h) ? &rect : nullptr, readOnly, out)) {
        SetError("Can't lock texture");
        return false;
    }
    *locked = out;
    return true;
}

void* CXGfxDevice::Texture_Lock(HTEXTURE texture, bool readOnly, int x, int y, int w, int h)
{
    GpuLocked locked{};
    return Texture_LockRect(&locked, texture, readOnly, x, y, w, h) ? locked.bits : nullptr;
}

void CXGfxDevice::Texture_Unlock(HTEXTURE texture)
{
    if (m_pGpu)
        m_pGpu->Unlock(texture);
}

bool CXGfxDevice::Texture_Save(HTEXTURE texture, const char* file)
{
    if (!texture || !file || !m_pGpu)
        return false;
    const int width = GpuDevice::TextureWidth(texture), height = GpuDevice::TextureHeight(texture);
    std::vector<uint32_t> pixels(size_t(width) * height);
    if (!m_pGpu->ReadPixels(texture, nullptr, pixels.data()))
        return false;
    const std::string path = platform::ResolvePath(file);
    return platform::SaveDds(path.c_str(), width, height, pixels.data(), width * 4);
}

// --- PCX ----------------------------------------------------------------------------------------

namespace {

constexpr size_t kPcxHeader = 128;
constexpr size_t kPcxPalette = 768;
constexpr int kPcxMaxSide = 16384;
constexpr size_t kPcxMaxRun = 32;  // output bytes per input byte of run-length data, rounded up
constexpr size_t kPcxMaxPadded = 4096 * 4096;

uint16_t ReadLE16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

// Where the planes and the palette of a PCX file lie.
struct PcxLayout {
    bool encoded = false;  // run-length data
    int planes = 0;        // 1: palette indexes, 3: red, green and blue
    size_t bytesPerLine = 0;
    size_t planeBytes = 0;  // of all plane rows, decoded
    size_t dataEnd = 0;     // of the run-length data
    size_t paletteAt = 0;
};

// The sizes and layout of an 8-bit PCX file of one or three planes. The header's sizes are
// checked against the bytes that follow before anything is allocated: raw data holds the planes
// byte for byte; run-length data yields at most 63 bytes per two.
bool ReadPcxLayout(const std::vector<uint8_t>& file, int& width, int& height, int& evenWidth,
                   PcxLayout& layout)
{
    if (file.size() < kPcxHeader)
        return false;
    const uint8_t* h = file.data();
    layout.encoded = h[2] == 1;
    layout.planes = h[65];
    layout.bytesPerLine = ReadLE16(h + 66);
    if (h[1] <= 4 || h[3] != 8 || (layout.planes != 1 && layout.planes != 3) ||
        layout.bytesPerLine == 0)
        return false;
    width = ReadLE16(h + 8) + 1;
    height = ReadLE16(h + 10) + 1;
    if (width > kPcxMaxSide || height > kPcxMaxSide)
        return false;
    evenWidth = (width + 1) & ~1;

    layout.planeBytes = layout.bytesPerLine * size_t(height) * layout.planes;
    layout.dataEnd = file.size();
    if (!layout.encoded) {
        if (file.size() - kPcxHeader < layout.planeBytes)
            return false;
        layout.paletteAt = kPcxHeader + layout.planeBytes + 1;
    } else if (layout.planes == 1) {
        if (file.size() < kPcxHeader + kPcxPalette + 1)
            return false;
        layout.dataEnd = file.size() - kPcxPalette - 1;
        layout.paletteAt = file.size() - kPcxPalette;
    }
    if (layout.encoded && layout.planeBytes > (layout.dataEnd - kPcxHeader) * kPcxMaxRun)
        return false;
    // Rows wider than their lines are padded with index 0, but padding alone never makes a
    // texture larger than kPcxMaxPadded pixels.
    return size_t(evenWidth) * size_t(height) <= std::max(layout.planeBytes, kPcxMaxPadded);
}

// The plane rows' bytes, copied or expanded from the run-length data; short data leaves 0s.
std::vector<uint8_t> ReadPcxPlanes(const std::vector<uint8_t>& file, const PcxLayout& layout)
{
    std::vector<uint8_t> data(layout.planeBytes, 0);
    if (!layout.encoded) {
        std::memcpy(data.data(), file.data() + kPcxHeader, layout.planeBytes);
        return data;
    }
    size_t in = kPcxHeader, out = 0;
    while (in < layout.dataEnd && out < layout.planeBytes) {
        const uint8_t b = file[in++];
        if (b >= 192) {
            if (in >= layout.dataEnd)
                break;
            const uint8_t value = file[in++];
            for (int n = b - 192; n > 0 && out < layout.planeBytes; --n)
                data[out++] = value;
        } else {
            data[out++] = b;
        }
    }
    return data;
}

// R5G6B5 rows of evenWidth pixels: palette colours of one plane, or the three colour planes.
void PcxToPixels(const std::vector<uint8_t>& file, const PcxLayout& layout,
                 const std::vector<uint8_t>& data, int height, int evenWidth,
                 std::vector<uint16_t>& pixels)
{
    // Columns past a plane row (an odd width rounded up) read as 0.
    auto at = [&](int y, int plane, int x) -> uint8_t {
        if (size_t(x) >= layout.bytesPerLine)
            return 0;
        return data[(size_t(y) * layout.planes + plane) * layout.bytesPerLine + x];
    };
    pixels.assign(size_t(evenWidth) * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < evenWidth; ++x) {
            uint32_t r, g, b;
            if (layout.planes == 1) {
                const uint8_t* entry = file.data() + layout.paletteAt + size_t(at(y, 0, x)) * 3;
                r = entry[0];
                g = entry[1];
                b = entry[2];
            } else {
                r = at(y, 0, x);
                g = at(y, 1, x);
                b = at(y, 2, x);
            }
            pixels[size_t(y) * evenWidth + x] = To565(r << 16 | g << 8 | b);
        }
}

// Decodes the pixel planes and the palette of an 8-bit PCX file into R5G6B5 rows of width
// pixels. Every offset is checked against the file: a short or inconsistent file fails.
bool DecodePCX(const std::vector<uint8_t>& file, int& width, int& height, int& evenWidth,
               std::vector<uint16_t>& pixels)
{
    PcxLayout layout;
    if (!ReadPcxLayout(file, width, height, evenWidth, layout))
        return false;
    const std::vector<uint8_t> data = ReadPcxPlanes(file, layout);
    if (layout.planes == 1 && layout.paletteAt + kPcxPalette > file.size())
        return false;
    PcxToPixels(file, layout, data, height, evenWidth, pixels);
    return true;
}

}  // namespace

HTEXTURE CXGfxDevice::Texture_LoadPCX(const char* name)
{
    if (!name)
        return nullptr;
    CXTextureStore& store = TextureStore();
    if (HTEXTURE cached = store.TextureList.Find(name))
        return cached;
    const char* path = Resource_MakePath(name);
    std::optional<std::vector<uint8_t>> file;
    if (path)
        file = platform::ReadWholeFile(path);
    if (!file) {
        SetError("Can't load resource: %s", name);
        return nullptr;
    }
    int width = 0, height = 0, evenWidth = 0;
    std::vector<uint16_t> rows;
    if (!DecodePCX(*file, width, height, evenWidth, rows)) {
        SetError("Can't create texture");
        return nullptr;
    }
    HTEXTURE texture = Texture_Create(width, height, kFormatR5G6B5);
    if (!texture)
        return nullptr;
    GpuLocked locked{};
    if (!Texture_LockRect(&locked, texture, false, 0, 0, 0, 0)) {
        m_pGpu->DestroyTexture(texture);
        return nullptr;
    }
    // Each texture row takes the first width pixels of its converted row.
    for (int y = 0; y < height; ++y)
        std::memcpy(static_cast<uint8_t*>(locked.bits) + size_t(y) * locked.pitch,
                    rows.data() + size_t(y) * evenWidth, size_t(width) * 2);
    Texture_Unlock(texture);
    store.TextureList.Add(name, texture, evenWidth, height, kFormatR5G6B5);
    store.TexChain.Add(texture, width, height);
    return texture;
}
