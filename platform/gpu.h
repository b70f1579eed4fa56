// Graphics device over OpenGL 3.3 core (small shaders of one texture unit, and of two for quads of
// two textures taking turns).
// Stands in for: IDirect3DDevice9 (render states, texture stage 0, sampler 0, viewport, scissor,
//   transforms, DrawPrimitive/DrawIndexedPrimitive, Clear, Present, TestCooperativeLevel/Reset),
//   IDirect3DTexture9 (managed textures with lock/unlock, render-target textures), depth surfaces,
//   the dynamic vertex buffer and the static quad index buffer, GetRenderTargetData.
// Not here: image decoding (image.h), the sprite batch and text (text.h), the engine's batching.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/window.h"

// Pixel formats, numbered as the engine's format arguments are.
enum GpuFormat : uint32_t {
    GPU_FORMAT_UNKNOWN = 0,
    GPU_FORMAT_A8R8G8B8 = 21,
    GPU_FORMAT_X8R8G8B8 = 22,
    GPU_FORMAT_R5G6B5 = 23,
};

namespace platform {

// Bytes per pixel of a format (0 for an unknown one).
int BytesPerPixel(uint32_t format);

}  // namespace platform

// The engine's 24-byte vertex: position in pixels and depth, ARGB colour, texture coordinates.
struct GpuVertex {
    float x, y, z;
    uint32_t color;
    float u, v;
};
static_assert(sizeof(GpuVertex) == 24, "the vertex layout is 24 bytes");

enum class GpuPrimitive { Lines = 2, Triangles = 3, Quads = 4 };

// Destination blend factor; the source factor is always source alpha, the same for colour and
// alpha.
enum class GpuBlend { InvSrcAlpha, One };

// Texture stage 0 colour operation; alpha is always texture alpha x diffuse alpha.
enum class GpuColorOp { Modulate, Add };

enum class GpuAlphaTest {
    Off,
    Batch,   // discards a fragment whose alpha x 255 rounds below 1
    Sprite,  // discards a fragment whose alpha is exactly 0
};

enum class GpuStatus { Ok, Lost, NotReset };

// A texture: managed (lockable; its pixels survive a device loss) or a render target (read back
// through ReadPixels). Both live in GL only: a lock reads the pixels back for as long as it lasts.
// Rows are stored top row first.
struct GpuTexture;
// A 16-bit depth surface for a render target.
struct GpuDepth;

struct GpuRect {
    int x, y, w, h;
};

// A locked rectangle: first pixel and bytes per row.
struct GpuLocked {
    void* bits;
    int pitch;
};

class GpuDevice {
public:
    // Vertices of the dynamic vertex buffer and quads of the static index buffer.
    static constexpr int kMaxVertices = 4000;
    static constexpr int kMaxQuads = 1000;

    // A device drawing into a back buffer of backWidth x backHeight that Present stretches over the
    // window's client area. Null when no GL 3.3 context can be made; the reason is in LastError().
    static std::unique_ptr<GpuDevice> Create(HWND window, int backWidth, int backHeight);
    // The same on a hidden window of its own, for tests and tools.
    static std::unique_ptr<GpuDevice> CreateHeadless(int backWidth, int backHeight);
    static const char* LastError();
    // GL calls made by every device since the process started, apart from context set-up.
    static uint64_t GlCallCount();
    // Bytes of pixels in this device's live textures, render targets and back buffer (level 0 in
    // its format), as GL holds them.
    uint64_t TextureBytes() const;

    ~GpuDevice();
    GpuDevice(const GpuDevice&) = delete;
    GpuDevice& operator=(const GpuDevice&) = delete;

    int BackBufferWidth() const;
    int BackBufferHeight() const;
    // The back buffer as a texture (X8R8G8B8), usable with ReadPixels; owned by the device.
    GpuTexture* BackBuffer() const;
    const char* RendererName() const;

    // Textures. A new managed texture reads as zeros; the second form fills it from rows of its
    // own format (pitch bytes apart, top row first) without a zeroed pass first.
    GpuTexture* CreateTexture(int width, int height, uint32_t format);
    GpuTexture* CreateTexture(int width, int height, uint32_t format, const void* pixels,
                              int pitch);
    GpuTexture* CreateRenderTarget(int width, int height, uint32_t format);
    void DestroyTexture(GpuTexture* texture);
    // Called with released false before a managed texture's content changes (an unlock that
    // wrote, an upload), and with released true before a texture is destroyed, so that drawing
    // still waiting on the texture can go out first.
    using TextureHook = std::function<void(GpuTexture* texture, bool released)>;
    void SetTextureHook(TextureHook hook);
    GpuDepth* CreateDepth(int width, int height);
    void DestroyDepth(GpuDepth* depth);
    static int TextureWidth(const GpuTexture* texture);
    static int TextureHeight(const GpuTexture* texture);
    static uint32_t TextureFormat(const GpuTexture* texture);
    static bool IsRenderTarget(const GpuTexture* texture);

    // Locks a rectangle of a managed texture (the whole texture when rect is null): the pixels are
    // read back from GL into memory that lives until Unlock, which uploads what was written unless
    // the lock was read-only. Render targets and a second lock fail.
    bool Lock(GpuTexture* texture, const GpuRect* rect, bool readOnly, GpuLocked& out);
    void Unlock(GpuTexture* texture);
    // Replaces the whole content of a managed texture from rows of its own format, pitch bytes
    // apart (a whole number of pixels).
    bool Upload(GpuTexture* texture, const void* pixels, int pitch);
    // Reads a rectangle (whole texture when rect is null) as ARGB, top row first, into
    // rect.w x rect.h values. X8R8G8B8 and R5G6B5 read back opaque.
    bool ReadPixels(GpuTexture* texture, const GpuRect* rect, uint32_t* argb);

    // Drawing target: a render-target texture or null for the back buffer, with an optional depth
    // surface (null for none). Resets the viewport and the scissor rectangle to the whole target;
    // the scissor test keeps its state.
    bool SetRenderTarget(GpuTexture* colour, GpuDepth* depth);
    GpuTexture* RenderTarget() const;
    int TargetWidth() const;
    int TargetHeight() const;
    void SetViewport(const GpuRect& rect);
    // The scissor rectangle (pixels from the target's top left) and the scissor test, two render
    // states read back as they were set. Drawing and Clear stay inside the rectangle while the
    // test is on.
    void SetScissorRect(const GpuRect& rect);
    GpuRect ScissorRect() const;
    void SetScissorTest(bool enabled);
    bool ScissorTest() const;
    // Clears the viewport (within the scissor) to the colour and, when asked, depth to 1.
    void Clear(uint32_t argb, bool depth);

    // Row-vector matrices (position x view x projection), 16 floats, translation in 12..14.
    void SetView(const float matrix[16]);
    void SetProjection(const float matrix[16]);
    // Orthographic projection of the pixel rectangle (left, top, width, height) onto a target:
    // pixel (left, top) at the target's first row, z 0..1 to depth 0..1, no half-pixel shift.
    static void OrthoProjection(float left, float top, float width, float height, float out[16]);

    void SetTexture(GpuTexture* texture);
    void SetBlend(bool enabled, GpuBlend destination);
    void SetColorOp(GpuColorOp op);
    void SetAlphaTest(GpuAlphaTest mode);
    void SetSampler(bool linear, bool wrap);
    void SetDepthTest(bool enabled);
    void SetDepthWrite(bool enabled);

    // The dynamic vertex buffer: Lock gives kMaxVertices vertices to write, Unlock uploads them.
    GpuVertex* LockVertices();
    void UnlockVertices();
    // Draws count primitives from the start of the locked vertices (quads through the index
    // buffer). Small textured quads may be held back to go out with the next draw, in one call when
    // two textures take turns; a state change, a texture change or release, a clear, a read-back,
    // a new target and Present draw them first.
    void Draw(GpuPrimitive kind, int count);

    // Copies the back buffer, stretched and flipped, to the window's client area (the hidden
    // window of a headless device) and swaps. Lost after ForceDeviceLost until Reset.
    GpuStatus Present();
    // Test hook: while on, Present keeps a copy of what it hands to the window (the client area,
    // after the stretch and the flip); ReadPresented gives the last one as ARGB, top row first,
    // false when there is none.
    void CapturePresents(bool on);
    bool ReadPresented(std::vector<uint32_t>& argb, int& width, int& height) const;
    void SetVSync(bool on);
    GpuStatus TestCooperativeLevel() const;
    // Succeeds only while no render target or depth surface is alive, as the resources of the
    // default pool must be released before a reset. A reset turns the scissor test off.
    bool Reset();
    // A new back buffer of that size (the old content is gone, the new one undefined until drawn);
    // drawing to the back buffer goes to it from here on. False, keeping the old one, when it
    // cannot be made.
    bool ResizeBackBuffer(int width, int height);
    // Test hook: the device behaves as lost; TestCooperativeLevel reports Lost lostChecks times,
    // then NotReset until Reset.
    void ForceDeviceLost(int lostChecks = 0);

    struct Impl;

private:
    explicit GpuDevice(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> m_impl;
};
