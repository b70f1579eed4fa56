// Graphics device over OpenGL 3.3 core (small shaders of one texture unit, and of two for quads of
// two textures taking turns).
// Stands in for: IDirect3DDevice9 (render states, texture stage 0, sampler 0, viewport, scissor,
//   transforms, DrawPrimitive/DrawIndexedPrimitive, Clear, Present, TestCooperativeLevel/Reset),
//   IDirect3DTexture9 (managed textures with lock/unlock, render-target textures), depth surfaces,
//   the dynamic vertex buffer and the static quad index buffer, GetRenderTargetData.
// Not here: image decoding (image.cpp), the sprite batch and text, the engine's batching.
//
// Everything is drawn into framebuffer objects whose rows are stored top row first: pixel row y of
// a target is GL row y, so viewports, scissors and read-backs need no flipping. Only Present flips,
// when it stretches the back buffer over the window.
#include "platform/gpu.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/glcorearb.h>
#include <SDL2/SDL.h>
#include <malloc.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/window_sdl.h"

struct GpuTexture {
    int width = 0;
    int height = 0;
    uint32_t format = GPU_FORMAT_UNKNOWN;
    bool target = false;
    GLuint name = 0;
    // While locked: the locked rectangle's pixels, read back from GL (rows of lockRect.w pixels,
    // top first). Managed textures keep no other CPU copy: GL keeps their pixels, and a device
    // loss never takes them.
    std::vector<uint8_t> lockBits;
    bool locked = false;
    bool lockReadOnly = false;
    GpuRect lockRect{};
};

struct GpuDepth {
    int width = 0;
    int height = 0;
    GLuint name = 0;
};

namespace {
// GL calls made after set-up, counted for the benchmarks: GL(glFoo)(arguments).
uint64_t g_glCalls = 0;
}  // namespace
#define GL(function) (++g_glCalls, function)

namespace {

std::string g_lastError;

// The one-unit program samples texture unit 0 and takes the colour op, the alpha test and
// whether there is a texture from uniforms. A two-unit program (UNITS 2) draws quads of two
// textures in one call: bit q of uSlots says whether quad q samples unit 1 instead of unit 0, so
// the vertex keeps its 24 bytes. A software rasteriser computes both sides of every branch, so a
// two-unit program is made for one colour op and alpha test (COLOR_OP, ALPHA_TEST) and has no
// branch but the choice of the sample.
const char* kVertexShader = R"(
layout(location = 0) in vec3 aPos;
layout(location = 1) in vec4 aColor;
layout(location = 2) in vec2 aUV;
uniform mat4 uView;
uniform mat4 uProj;
out vec4 vColor;
out vec2 vUV;
#if UNITS == 2
uniform uint uSlots[32];
uniform int uBase;  // the draw's base vertex, which gl_VertexID includes
flat out uint vSlot;
#endif
void main() {
    gl_Position = uProj * (uView * vec4(aPos, 1.0));
    vColor = aColor;
    vUV = aUV;
#if UNITS == 2
    uint quad = uint(gl_VertexID - uBase) >> 2;
    vSlot = (uSlots[quad >> 5] >> (quad & 31u)) & 1u;
#endif
}
)";

// Colour op: 0 modulate, 1 add. Alpha test: 0 off, 1 batch rule, 2 sprite rule.
const char* kFragmentShader = R"(
in vec4 vColor;
in vec2 vUV;
uniform sampler2D uTex;
#if UNITS == 2
uniform sampler2D uTex1;
flat in uint vSlot;
const int uHasTex = 1;
const int uColorOp = COLOR_OP;
const int uAlphaTest = ALPHA_TEST;
#else
uniform int uHasTex;
uniform int uColorOp;
uniform int uAlphaTest;
#endif
out vec4 oColor;
void main() {
    vec4 c = vColor;
    if (uHasTex != 0) {
#if UNITS == 2
        vec4 t0 = texture(uTex, vUV);
        vec4 t1 = texture(uTex1, vUV);
        vec4 t = vSlot == 0u ? t0 : t1;
#else
        vec4 t = texture(uTex, vUV);
#endif
        if (uColorOp == 1)
            c = vec4(clamp(t.rgb + c.rgb, 0.0, 1.0), t.a * c.a);
        else
            c = t * c;
    }
    if (uAlphaTest == 1 && floor(c.a * 255.0 + 0.5) < 1.0)
        discard;
    if (uAlphaTest == 2 && c.a <= 0.0)
        discard;
    oColor = c;
}
)";

struct GlFormat {
    GLint internal;
    GLenum format;
    GLenum type;
};

bool FormatOf(uint32_t format, GlFormat& out)
{
    switch (format) {
    case GPU_FORMAT_A8R8G8B8:
    case GPU_FORMAT_X8R8G8B8:
        out = {GL_RGBA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV};
        return true;
    case GPU_FORMAT_R5G6B5:
        out = {GL_RGB565, GL_RGB, GL_UNSIGNED_SHORT_5_6_5};
        return true;
    default:
        return false;
    }
}

uint32_t Expand565(uint16_t p)
{
    uint32_t r = (p >> 11) & 31, g = (p >> 5) & 63, b = p & 31;
    r = (r << 3) | (r >> 2);
    g = (g << 2) | (g >> 4);
    b = (b << 3) | (b >> 2);
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

GLuint CompileShader(GLenum kind, const char* source)
{
    GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[512] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        g_lastError = std::string("shader: ") + log;
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

// Drops errors left by earlier calls, so that the next check sees only its own.
void ClearGlErrors()
{
    for (int i = 0; i < 16 && GL(glGetError)() != GL_NO_ERROR; ++i) {
    }
}

// The rectangle (the whole texture when null) when it lies inside the texture and is not empty.
bool RectInside(const GpuTexture& texture, const GpuRect* rect, GpuRect& out)
{
    if (!rect) {
        out = {0, 0, texture.width, texture.height};
        return true;
    }
    if (rect->x < 0 || rect->y < 0 || rect->w <= 0 || rect->h <= 0 ||
        rect->x > texture.width - rect->w || rect->y > texture.height - rect->h)
        return false;
    out = *rect;
    return true;
}

bool ClipRect(const GpuRect& in, int width, int height, GpuRect& out)
{
    int x0 = std::max(in.x, 0), y0 = std::max(in.y, 0);
    int x1 = std::min(in.x + std::max(in.w, 0), width),
        y1 = std::min(in.y + std::max(in.h, 0), height);
    out = {x0, y0, std::max(x1 - x0, 0), std::max(y1 - y0, 0)};
    return out.w > 0 && out.h > 0;
}

}  // namespace

struct GpuDevice::Impl {
    SDL_Window* window = nullptr;
    bool headless = false;  // a hidden window of its own
    SDL_GLContext context = nullptr;
    std::string renderer;

    // A program keeps the uniform values it was last given; a draw sends only those that differ
    // from the wanted ones (-1: not a uniform of that program).
    struct Program {
        GLuint name = 0;
        GLint locView = -1, locProj = -1, locHasTex = -1, locColorOp = -1, locAlphaTest = -1,
              locSlots = -1, locBase = -1;
        float view[16] = {}, proj[16] = {};
        int hasTexture = 0, colorOp = 0, alphaTest = 0;
    };
    Program oneUnit;
    // Two-unit programs by [colour op][alpha test], linked when first wanted; one that does not
    // link is not tried again and its quads go out as one-unit draws.
    Program twoUnits[2][3];
    bool twoUnitsFailed[2][3] = {};
    GLuint activeProgram = 0;
    GLuint vao = 0, vbo = 0, ibo = 0;
    // The GL vertex buffer is a ring of kRingVertices: each draw's vertices go behind the last
    // ones without waiting for draws in flight, and only a wrap gives the buffer a new store.
    static constexpr int kRingVertices = 64 * 1024;
    int ringUsed = 0;
    int baseVertex = 0;          // where the last Upload put its first vertex
    GLuint fbo = 0;              // the current target
    GLuint presentFbo = 0;       // the back buffer, read by Present
    GLuint readFbo = 0;          // a render target being read back
    GLuint samplers[2][2] = {};  // [linear][wrap]

    GpuTexture* backBuffer = nullptr;
    std::unordered_set<GpuTexture*> textures;
    std::unordered_set<GpuDepth*> depths;

    // The engine writes into staging, at lockOffset. A draw of small textured quads is held back
    // (pendingStart, pendingVertices) so that the next one, written right behind it, can join it:
    // with the same texture, or with a second one that goes to unit 1 of the two-unit program. The
    // staging holds twice the engine's buffer so that a lock behind held quads still has a whole
    // buffer of room. Everything else draws at once; any state change draws what is held first.
    std::vector<GpuVertex> staging = std::vector<GpuVertex>(2 * kMaxVertices);
    int lockOffset = 0;
    int pendingStart = 0, pendingVertices = 0;
    GpuTexture* pendingUnits[2] = {};
    uint32_t pendingSlots[32] = {};  // bit q: held quad q samples unit 1
    bool pendingAlternates = false;  // unit 0 came back after unit 1

    GpuTexture* colour = nullptr;  // null: the back buffer
    GpuDepth* depth = nullptr;
    GpuRect viewport{};
    bool scissorTest = false;
    GpuRect scissor{};  // as set; GL gets it with the width and height clamped to >= 0
    // Wanted by the next draw: the texture, sampler, colour op, alpha test and matrices. They reach
    // GL when a draw needs them.
    GpuTexture* texture = nullptr;
    GLuint sampler = 0;
    int colorOp = 0, alphaTest = 0;
    float view[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    float proj[16] = {};
    // What GL has bound to texture units 0 and 1 (unit 0 stays the active one).
    GpuTexture* unitTexture[2] = {};
    GLuint unitSampler[2] = {};
    // Render states as last set, so that setting an unchanged one makes no GL call (-1: not set
    // yet).
    int blend = -1, depthTest = -1, depthWrite = -1;
    TextureHook textureHook;
    // Present's copy of what it handed to the window, while capture is on.
    bool capture = false;
    std::vector<uint32_t> presented;
    int presentedWidth = 0, presentedHeight = 0;

    bool lost = false;
    int lostChecks = 0;

    void MakeCurrent() const
    {
        if (SDL_GL_GetCurrentContext() != context)
            SDL_GL_MakeCurrent(window, context);
    }
    GpuTexture* Colour() const { return colour ? colour : backBuffer; }

    bool Init(int backWidth, int backHeight);
    void Release();
    // A texture whose level 0 takes the pixels (rows of its own format, top first, `pitch` bytes
    // apart); null pixels: a render target's content is undefined, a managed texture's is zero.
    GpuTexture* NewTexture(int width, int height, uint32_t format, bool target,
                           const void* pixels = nullptr, int pitch = 0);
    // Reads level 0 of a managed texture in its own format, rows top first, tightly packed.
    bool ReadLevel(const GpuTexture& texture, std::vector<uint8_t>& out);
    // Links the one-unit program (units 1) or the two-unit one of that colour op and alpha test.
    bool LinkProgram(int units, int colorOpValue, int alphaTestValue, Program& out);
    // The two-unit program of the current colour op and alpha test, null when it does not link.
    Program* TwoUnitProgram();
    // Draws the held quads.
    void FlushPending();
    // Gives the GL buffer `vertices` vertices from `first` on.
    void Upload(const GpuVertex* first, int vertices);
    // Draws uploaded vertices with the program, bringing its uniforms and the units' textures
    // and samplers up to date first (unit1 only for a two-unit program).
    void DrawRange(GpuPrimitive kind, int firstVertex, int vertices, Program& program,
                   GpuTexture* unit0, GpuTexture* unit1);
    bool PendingUses(const GpuTexture* t) const
    {
        return pendingVertices > 0 && t && (pendingUnits[0] == t || pendingUnits[1] == t);
    }
    // The unit 0 binding that a temporary bind puts back.
    GLuint Unit0Name() const { return unitTexture[0] ? unitTexture[0]->name : 0; }
    // The vertex array, the streamed vertex ring and the fixed index buffer of kMaxQuads quads.
    void CreateQuadBuffers();
    // The four samplers (nearest or linear, clamped or repeating); unit 0 starts linear, repeating.
    void CreateSamplers();
    void BindTarget();
    void ApplyScissor() const;
    // Replaces the rectangle of a managed texture with pixels in rows of rowPixels pixels,
    // drawing first what is held back and samples the texture.
    void SendPixels(GpuTexture* texture, const GpuRect& r, const void* pixels, int rowPixels);
};

bool GpuDevice::Impl::Init(int backWidth, int backHeight)
{
    context = SDL_GL_CreateContext(window);
    if (!context) {
        // The usual cause is a driver without OpenGL 3.3 core: say so, with SDL's own words.
        g_lastError =
            std::string("no OpenGL 3.3 core context (OpenGL 3.3 is required): ") + SDL_GetError();
        return false;
    }
    SDL_GL_MakeCurrent(window, context);
    if (const GLubyte* name = glGetString(GL_RENDERER))
        renderer = reinterpret_cast<const char*>(name);

    OrthoProjection(0, 0, float(backWidth), float(backHeight), proj);
    if (!LinkProgram(1, 0, 0, oneUnit))
        return false;
    activeProgram = oneUnit.name;

    CreateQuadBuffers();
    CreateSamplers();

    glGenFramebuffers(1, &fbo);
    glGenFramebuffers(1, &presentFbo);
    glGenFramebuffers(1, &readFbo);
    backBuffer = NewTexture(backWidth, backHeight, GPU_FORMAT_X8R8G8B8, true);
    if (!backBuffer) {
        g_lastError = "cannot create the back buffer";
        return false;
    }
    textures.erase(backBuffer);  // owned by the device, never counted as a resource to release
    glBindFramebuffer(GL_FRAMEBUFFER, presentFbo);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, backBuffer->name,
                           0);

    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    BindTarget();
    if (glGetError() != GL_NO_ERROR) {
        g_lastError = "GL error during set-up";
        return false;
    }
    return true;
}

void GpuDevice::Impl::CreateQuadBuffers()
{
    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    glGenBuffers(1, &vbo);
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    glBufferData(GL_ARRAY_BUFFER, kRingVertices * sizeof(GpuVertex), nullptr, GL_STREAM_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(GpuVertex), reinterpret_cast<void*>(0));
    // The colour is a little-endian ARGB word: bytes B, G, R, A.
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(GpuVertex),
                          reinterpret_cast<void*>(offsetof(GpuVertex, color)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, sizeof(GpuVertex),
                          reinterpret_cast<void*>(offsetof(GpuVertex, u)));

    std::vector<uint16_t> indices(kMaxQuads * 6);
    for (int q = 0; q < kMaxQuads; ++q) {
        const uint16_t base = static_cast<uint16_t>(q * 4);
        const uint16_t quad[6] = {
            base, uint16_t(base + 1), uint16_t(base + 2), uint16_t(base + 2), uint16_t(base + 3),
            base};
        std::copy(quad, quad + 6, indices.begin() + q * 6);
    }
    glGenBuffers(1, &ibo);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, ibo);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, indices.size() * sizeof(uint16_t), indices.data(),
                 GL_STATIC_DRAW);
}

void GpuDevice::Impl::CreateSamplers()
{
    glGenSamplers(4, &samplers[0][0]);
    for (int linear = 0; linear < 2; ++linear)
        for (int wrap = 0; wrap < 2; ++wrap) {
            GLuint s = samplers[linear][wrap];
            GLint filter = linear ? GL_LINEAR : GL_NEAREST;
            GLint address = wrap ? GL_REPEAT : GL_CLAMP_TO_EDGE;
            glSamplerParameteri(s, GL_TEXTURE_MIN_FILTER, filter);
            glSamplerParameteri(s, GL_TEXTURE_MAG_FILTER, filter);
            glSamplerParameteri(s, GL_TEXTURE_WRAP_S, address);
            glSamplerParameteri(s, GL_TEXTURE_WRAP_T, address);
        }
    glBindSampler(0, samplers[1][1]);
    sampler = unitSampler[0] = samplers[1][1];
}

bool GpuDevice::Impl::LinkProgram(int units, int colorOpValue, int alphaTestValue, Program& out)
{
    const std::string prefix = "#version 330 core\n#define UNITS " + std::to_string(units) +
                               "\n#define COLOR_OP " + std::to_string(colorOpValue) +
                               "\n#define ALPHA_TEST " + std::to_string(alphaTestValue) + "\n";
    const std::string vsSource = prefix + kVertexShader, fsSource = prefix + kFragmentShader;
    GLuint vs = CompileShader(GL_VERTEX_SHADER, vsSource.c_str());
    GLuint fs = CompileShader(GL_FRAGMENT_SHADER, fsSource.c_str());
    if (!vs || !fs) {
        glDeleteShader(vs);
        glDeleteShader(fs);
        return false;
    }
    const GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (!linked) {
        char log[512] = {};
        glGetProgramInfoLog(program, sizeof log, nullptr, log);
        g_lastError = std::string("shader program does not link: ") + log;
        glDeleteProgram(program);
        return false;
    }
    out.name = program;
    glUseProgram(program);
    out.locView = glGetUniformLocation(program, "uView");
    out.locProj = glGetUniformLocation(program, "uProj");
    out.locHasTex = glGetUniformLocation(program, "uHasTex");
    out.locColorOp = glGetUniformLocation(program, "uColorOp");
    out.locAlphaTest = glGetUniformLocation(program, "uAlphaTest");
    out.locSlots = glGetUniformLocation(program, "uSlots");
    out.locBase = glGetUniformLocation(program, "uBase");
    glUniform1i(glGetUniformLocation(program, "uTex"), 0);
    glUniform1i(glGetUniformLocation(program, "uTex1"), 1);
    glUniform1i(out.locHasTex, 0);
    glUniform1i(out.locColorOp, 0);
    glUniform1i(out.locAlphaTest, 0);
    glUniformMatrix4fv(out.locView, 1, GL_FALSE, view);
    glUniformMatrix4fv(out.locProj, 1, GL_FALSE, proj);
    std::copy(view, view + 16, out.view);
    std::copy(proj, proj + 16, out.proj);
    return true;
}

GpuDevice::Impl::Program* GpuDevice::Impl::TwoUnitProgram()
{
    Program& p = twoUnits[colorOp][alphaTest];
    if (!p.name && !twoUnitsFailed[colorOp][alphaTest]) {
        // Linking makes its program current.
        twoUnitsFailed[colorOp][alphaTest] = !LinkProgram(2, colorOp, alphaTest, p);
        GL(glUseProgram)(activeProgram);
    }
    return p.name ? &p : nullptr;
}

void GpuDevice::Impl::FlushPending()
{
    if (pendingVertices == 0)
        return;
    const int vertices = pendingVertices;
    pendingVertices = 0;
    Upload(staging.data() + pendingStart, vertices);
    Program* two = pendingUnits[1] && pendingAlternates ? TwoUnitProgram() : nullptr;
    if (two) {
        if (activeProgram != two->name) {
            GL(glUseProgram)(two->name);
            activeProgram = two->name;
        }
        GL(glUniform1uiv)(two->locSlots, (vertices / 4 + 31) / 32, pendingSlots);
        GL(glUniform1i)(two->locBase, baseVertex);
        DrawRange(GpuPrimitive::Quads, 0, vertices, *two, pendingUnits[0], pendingUnits[1]);
    } else {
        // Each run of quads of one texture is a one-unit draw: with one texture, with one run of
        // each (sampling two units for every fragment would cost more than the second draw), or
        // when no two-unit program could be made.
        const int quads = vertices / 4;
        for (int q = 0; q < quads;) {
            const uint32_t slot = (pendingSlots[q >> 5] >> (q & 31)) & 1u;
            int end = q + 1;
            while (end < quads && ((pendingSlots[end >> 5] >> (end & 31)) & 1u) == slot)
                ++end;
            DrawRange(GpuPrimitive::Quads, q * 4, (end - q) * 4, oneUnit, pendingUnits[slot],
                      nullptr);
            q = end;
        }
    }
    pendingUnits[0] = pendingUnits[1] = nullptr;
}

void GpuDevice::Impl::Upload(const GpuVertex* first, int vertices)
{
    // Only set-up binds GL_ARRAY_BUFFER: the vertex buffer stays bound. The range written is one
    // no draw in flight reads (the ring moved past it, or the store is new), so the mapping need
    // not wait; it is invalidated, so nothing is copied back first.
    const GLsizeiptr bytes = vertices * GLsizeiptr(sizeof(GpuVertex));
    if (ringUsed + vertices > kRingVertices) {
        GL(glBufferData)
        (GL_ARRAY_BUFFER, kRingVertices * GLsizeiptr(sizeof(GpuVertex)), nullptr, GL_STREAM_DRAW);
        ringUsed = 0;
    }
    const GLintptr offset = ringUsed * GLintptr(sizeof(GpuVertex));
    void* target = GL(glMapBufferRange)(GL_ARRAY_BUFFER, offset, bytes,
                                        GL_MAP_WRITE_BIT | GL_MAP_UNSYNCHRONIZED_BIT |
                                            GL_MAP_INVALIDATE_RANGE_BIT);
    if (target) {
        std::memcpy(target, first, size_t(bytes));
        GL(glUnmapBuffer)(GL_ARRAY_BUFFER);
    } else {
        GL(glBufferSubData)(GL_ARRAY_BUFFER, offset, bytes, first);
    }
    baseVertex = ringUsed;
    ringUsed += vertices;
}

void GpuDevice::Impl::DrawRange(GpuPrimitive kind, int firstVertex, int vertices, Program& p,
                                GpuTexture* unit0, GpuTexture* unit1)
{
    if (activeProgram != p.name) {
        GL(glUseProgram)(p.name);
        activeProgram = p.name;
    }
    // A row-vector matrix read column-major is its transpose, which GLSL applies as M * v.
    if (!std::equal(view, view + 16, p.view)) {
        GL(glUniformMatrix4fv)(p.locView, 1, GL_FALSE, view);
        std::copy(view, view + 16, p.view);
    }
    if (!std::equal(proj, proj + 16, p.proj)) {
        GL(glUniformMatrix4fv)(p.locProj, 1, GL_FALSE, proj);
        std::copy(proj, proj + 16, p.proj);
    }
    const int has = unit0 ? 1 : 0;
    if (p.locHasTex >= 0 && p.hasTexture != has) {
        GL(glUniform1i)(p.locHasTex, has);
        p.hasTexture = has;
    }
    if (p.locColorOp >= 0 && p.colorOp != colorOp) {
        GL(glUniform1i)(p.locColorOp, colorOp);
        p.colorOp = colorOp;
    }
    if (p.locAlphaTest >= 0 && p.alphaTest != alphaTest) {
        GL(glUniform1i)(p.locAlphaTest, alphaTest);
        p.alphaTest = alphaTest;
    }
    // An untextured draw samples nothing: the units keep what they have.
    GpuTexture* const wanted[2] = {unit0, unit1};
    for (int u = 0; u < 2; ++u) {
        if (!wanted[u])
            continue;
        if (unitTexture[u] != wanted[u]) {
            if (u > 0)
                GL(glActiveTexture)(GL_TEXTURE0 + u);
            GL(glBindTexture)(GL_TEXTURE_2D, wanted[u]->name);
            if (u > 0)
                GL(glActiveTexture)(GL_TEXTURE0);
            unitTexture[u] = wanted[u];
        }
        if (unitSampler[u] != sampler) {
            GL(glBindSampler)(GLuint(u), sampler);
            unitSampler[u] = sampler;
        }
    }
    switch (kind) {
    case GpuPrimitive::Lines:
        GL(glDrawArrays)(GL_LINES, baseVertex + firstVertex, vertices);
        break;
    case GpuPrimitive::Triangles:
        GL(glDrawArrays)(GL_TRIANGLES, baseVertex + firstVertex, vertices);
        break;
    case GpuPrimitive::Quads:
        // Quad q's six indices start at 6 q and name vertices 4 q to 4 q + 3 of the uploaded ones.
        GL(glDrawElementsBaseVertex)
        (GL_TRIANGLES, vertices / 4 * 6, GL_UNSIGNED_SHORT,
         reinterpret_cast<void*>(size_t(firstVertex) / 4 * 6 * sizeof(uint16_t)), baseVertex);
        break;
    }
}

GpuTexture* GpuDevice::Impl::NewTexture(int width, int height, uint32_t format, bool target,
                                        const void* pixels, int pitch)
{
    GlFormat gl{};
    if (width <= 0 || height <= 0 || !FormatOf(format, gl))
        return nullptr;
    GLint maxSize = 0;
    GL(glGetIntegerv)(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (width > maxSize || height > maxSize)
        return nullptr;
    const int bpp = platform::BytesPerPixel(format);
    if (pixels && (pitch < width * bpp || pitch % bpp != 0))
        return nullptr;
    // A managed texture starts zeroed, as a locked new texture reads.
    std::vector<uint8_t> zeros;
    if (!target && !pixels) {
        zeros.assign(size_t(width) * height * bpp, 0);
        pixels = zeros.data();
        pitch = width * bpp;
    }
    ClearGlErrors();
    auto* t = new GpuTexture;
    t->width = width;
    t->height = height;
    t->format = format;
    t->target = target;
    GL(glGenTextures)(1, &t->name);
    GL(glBindTexture)(GL_TEXTURE_2D, t->name);
    GL(glTexParameteri)(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    GL(glTexParameteri)(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    if (format == GPU_FORMAT_X8R8G8B8)
        GL(glTexParameteri)(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_A, GL_ONE);
    GL(glPixelStorei)(GL_UNPACK_ALIGNMENT, 1);
    GL(glPixelStorei)(GL_UNPACK_ROW_LENGTH, pixels ? pitch / bpp : 0);
    GL(glTexImage2D)
    (GL_TEXTURE_2D, 0, gl.internal, width, height, 0, gl.format, gl.type, pixels);
    GL(glPixelStorei)(GL_UNPACK_ROW_LENGTH, 0);
    GL(glBindTexture)(GL_TEXTURE_2D, Unit0Name());
    if (GL(glGetError)() != GL_NO_ERROR) {
        GL(glDeleteTextures)(1, &t->name);
        delete t;
        return nullptr;
    }
    textures.insert(t);
    return t;
}

bool GpuDevice::Impl::ReadLevel(const GpuTexture& texture, std::vector<uint8_t>& out)
{
    GlFormat gl{};
    if (texture.target || !FormatOf(texture.format, gl))
        return false;
    MakeCurrent();
    ClearGlErrors();
    out.resize(size_t(texture.width) * texture.height * platform::BytesPerPixel(texture.format));
    GL(glBindTexture)(GL_TEXTURE_2D, texture.name);
    GL(glPixelStorei)(GL_PACK_ALIGNMENT, 1);
    GL(glPixelStorei)(GL_PACK_ROW_LENGTH, 0);
    GL(glGetTexImage)(GL_TEXTURE_2D, 0, gl.format, gl.type, out.data());
    GL(glBindTexture)(GL_TEXTURE_2D, Unit0Name());
    return GL(glGetError)() == GL_NO_ERROR;
}

void GpuDevice::Impl::BindTarget()
{
    GpuTexture* c = Colour();
    GL(glBindFramebuffer)(GL_FRAMEBUFFER, fbo);
    GL(glFramebufferTexture2D)(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, c->name, 0);
    GL(glFramebufferRenderbuffer)
    (GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth ? depth->name : 0);
    viewport = {0, 0, c->width, c->height};
    GL(glViewport)(0, 0, c->width, c->height);
    scissor = {0, 0, c->width, c->height};
    ApplyScissor();
}

void GpuDevice::Impl::ApplyScissor() const
{
    if (!scissorTest) {
        GL(glDisable)(GL_SCISSOR_TEST);
        return;
    }
    GL(glEnable)(GL_SCISSOR_TEST);
    GL(glScissor)(scissor.x, scissor.y, std::max(scissor.w, 0), std::max(scissor.h, 0));
}

void GpuDevice::Impl::Release()
{
    if (!context)
        return;
    MakeCurrent();
    for (GpuTexture* t : textures) {
        GL(glDeleteTextures)(1, &t->name);
        delete t;
    }
    textures.clear();
    for (GpuDepth* d : depths) {
        GL(glDeleteRenderbuffers)(1, &d->name);
        delete d;
    }
    depths.clear();
    if (backBuffer) {
        GL(glDeleteTextures)(1, &backBuffer->name);
        delete backBuffer;
        backBuffer = nullptr;
    }
    GL(glDeleteFramebuffers)(1, &fbo);
    GL(glDeleteFramebuffers)(1, &presentFbo);
    GL(glDeleteFramebuffers)(1, &readFbo);
    GL(glDeleteSamplers)(4, &samplers[0][0]);
    GL(glDeleteBuffers)(1, &ibo);
    GL(glDeleteBuffers)(1, &vbo);
    GL(glDeleteVertexArrays)(1, &vao);
    GL(glDeleteProgram)(oneUnit.name);
    for (auto& byColorOp : twoUnits)
        for (Program& p : byColorOp)
            if (p.name)
                GL(glDeleteProgram)(p.name);
    SDL_GL_MakeCurrent(window, nullptr);
    SDL_GL_DeleteContext(context);
    context = nullptr;
}

int platform::BytesPerPixel(uint32_t format)
{
    switch (format) {
    case GPU_FORMAT_A8R8G8B8:
    case GPU_FORMAT_X8R8G8B8:
        return 4;
    case GPU_FORMAT_R5G6B5:
        return 2;
    default:
        return 0;
    }
}

GpuDevice::GpuDevice(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}

GpuDevice::~GpuDevice()
{
    m_impl->Release();
    if (m_impl->headless && m_impl->window)
        SDL_DestroyWindow(m_impl->window);
}

const char* GpuDevice::LastError()
{
    return g_lastError.c_str();
}
uint64_t GpuDevice::GlCallCount()
{
    return g_glCalls;
}

namespace {

// A software GL driver allocates the frame's command and state storage as it draws and frees it
// when the frame is done: tens of megabytes a frame when the texture changes often. Freed memory at
// the top of the heap is kept rather than handed back to the system, so that each frame does not
// fault the same pages in again (most of a text-heavy frame's CPU time on such a driver).
void KeepFreedHeapMemory()
{
    static const bool kept = mallopt(M_TRIM_THRESHOLD, 64 << 20) != 0;
    (void)kept;
}

void RequestCoreContext()
{
    KeepFreedHeapMemory();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
}

}  // namespace

std::unique_ptr<GpuDevice> GpuDevice::Create(HWND window, int backWidth, int backHeight)
{
    // A hosted (child) window draws into the window that holds it.
    SDL_Window* sdl = platform::GetHostSdlWindow(window);
    if (!sdl) {
        g_lastError = "no window";
        return nullptr;
    }
    RequestCoreContext();
    auto impl = std::make_unique<Impl>();
    impl->window = sdl;
    if (!impl->Init(backWidth, backHeight)) {
        impl->Release();
        return nullptr;
    }
    return std::unique_ptr<GpuDevice>(new GpuDevice(std::move(impl)));
}

std::unique_ptr<GpuDevice> GpuDevice::CreateHeadless(int backWidth, int backHeight)
{
    // Video is brought up once and stays up: shutting it down unloads the GL driver, and drivers
    // do not come back cleanly from that within one process.
    if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        g_lastError = std::string("SDL_InitSubSystem: ") + SDL_GetError();
        return nullptr;
    }
    auto impl = std::make_unique<Impl>();
    RequestCoreContext();
    impl->window = SDL_CreateWindow("gpu", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 64, 64,
                                    SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    impl->headless = impl->window != nullptr;
    if (!impl->window) {
        g_lastError = std::string("SDL_CreateWindow: ") + SDL_GetError();
        return nullptr;
    }
    if (!impl->Init(backWidth, backHeight)) {
        impl->Release();
        SDL_DestroyWindow(impl->window);
        return nullptr;
    }
    return std::unique_ptr<GpuDevice>(new GpuDevice(std::move(impl)));
}

uint64_t GpuDevice::TextureBytes() const
{
    auto bytes = [](const GpuTexture* t) {
        return uint64_t(t->width) * uint64_t(t->height) *
               uint64_t(platform::BytesPerPixel(t->format));
    };
    uint64_t total = m_impl->backBuffer ? bytes(m_impl->backBuffer) : 0;
    for (const GpuTexture* t : m_impl->textures)
        total += bytes(t);
    return total;
}

int GpuDevice::BackBufferWidth() const
{
    return m_impl->backBuffer->width;
}
int GpuDevice::BackBufferHeight() const
{
    return m_impl->backBuffer->height;
}
GpuTexture* GpuDevice::BackBuffer() const
{
    return m_impl->backBuffer;
}
const char* GpuDevice::RendererName() const
{
    return m_impl->renderer.c_str();
}

GpuTexture* GpuDevice::CreateTexture(int width, int height, uint32_t format)
{
    m_impl->MakeCurrent();
    return m_impl->NewTexture(width, height, format, false);
}

GpuTexture* GpuDevice::CreateTexture(int width, int height, uint32_t format, const void* pixels,
                                     int pitch)
{
    if (!pixels)
        return nullptr;
    m_impl->MakeCurrent();
    return m_impl->NewTexture(width, height, format, false, pixels, pitch);
}

GpuTexture* GpuDevice::CreateRenderTarget(int width, int height, uint32_t format)
{
    m_impl->MakeCurrent();
    return m_impl->NewTexture(width, height, format, true);
}

void GpuDevice::SetTextureHook(TextureHook hook)
{
    m_impl->textureHook = std::move(hook);
}

void GpuDevice::DestroyTexture(GpuTexture* texture)
{
    if (!texture || !m_impl->textures.count(texture))
        return;
    if (m_impl->textureHook)
        m_impl->textureHook(texture, true);
    Impl& d = *m_impl;
    d.MakeCurrent();
    if (d.PendingUses(texture) || d.colour == texture)
        d.FlushPending();
    d.textures.erase(texture);
    if (d.colour == texture) {
        d.colour = nullptr;
        d.BindTarget();
    }
    if (d.texture == texture)
        d.texture = nullptr;
    // GL unbinds a deleted texture from the units.
    for (GpuTexture*& unit : d.unitTexture)
        if (unit == texture)
            unit = nullptr;
    GL(glDeleteTextures)(1, &texture->name);
    delete texture;
}

GpuDepth* GpuDevice::CreateDepth(int width, int height)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    m_impl->MakeCurrent();
    ClearGlErrors();
    auto* d = new GpuDepth{width, height, 0};
    GL(glGenRenderbuffers)(1, &d->name);
    GL(glBindRenderbuffer)(GL_RENDERBUFFER, d->name);
    GL(glRenderbufferStorage)(GL_RENDERBUFFER, GL_DEPTH_COMPONENT16, width, height);
    if (GL(glGetError)() != GL_NO_ERROR) {
        GL(glDeleteRenderbuffers)(1, &d->name);
        delete d;
        return nullptr;
    }
    m_impl->depths.insert(d);
    return d;
}

void GpuDevice::DestroyDepth(GpuDepth* depth)
{
    if (!depth || !m_impl->depths.erase(depth))
        return;
    m_impl->MakeCurrent();
    if (m_impl->depth == depth) {
        m_impl->FlushPending();
        m_impl->depth = nullptr;
        m_impl->BindTarget();
    }
    GL(glDeleteRenderbuffers)(1, &depth->name);
    delete depth;
}

int GpuDevice::TextureWidth(const GpuTexture* texture)
{
    return texture ? texture->width : 0;
}
int GpuDevice::TextureHeight(const GpuTexture* texture)
{
    return texture ? texture->height : 0;
}
uint32_t GpuDevice::TextureFormat(const GpuTexture* texture)
{
    return texture ? texture->format : uint32_t(GPU_FORMAT_UNKNOWN);
}
bool GpuDevice::IsRenderTarget(const GpuTexture* texture)
{
    return texture && texture->target;
}

bool GpuDevice::Lock(GpuTexture* texture, const GpuRect* rect, bool readOnly, GpuLocked& out)
{
    if (!texture || texture->target || texture->locked)
        return false;
    GpuRect r{};
    if (!RectInside(*texture, rect, r))
        return false;
    // The lock shows the texture's current pixels: drawing still held back that samples it does
    // not change them, so only GL is asked.
    if (!m_impl->ReadLevel(*texture, texture->lockBits)) {
        texture->lockBits = {};
        return false;
    }
    const int bpp = platform::BytesPerPixel(texture->format);
    out.pitch = texture->width * bpp;
    out.bits = texture->lockBits.data() + size_t(r.y) * out.pitch + size_t(r.x) * bpp;
    texture->locked = true;
    texture->lockReadOnly = readOnly;
    texture->lockRect = r;
    return true;
}

void GpuDevice::Impl::SendPixels(GpuTexture* texture, const GpuRect& r, const void* pixels,
                                 int rowPixels)
{
    if (textureHook)
        textureHook(texture, false);
    MakeCurrent();
    if (PendingUses(texture))
        FlushPending();
    GlFormat gl{};
    FormatOf(texture->format, gl);
    GL(glBindTexture)(GL_TEXTURE_2D, texture->name);
    GL(glPixelStorei)(GL_UNPACK_ALIGNMENT, 1);
    GL(glPixelStorei)(GL_UNPACK_ROW_LENGTH, rowPixels);
    GL(glTexSubImage2D)(GL_TEXTURE_2D, 0, r.x, r.y, r.w, r.h, gl.format, gl.type, pixels);
    GL(glPixelStorei)(GL_UNPACK_ROW_LENGTH, 0);
    GL(glBindTexture)(GL_TEXTURE_2D, Unit0Name());
}

void GpuDevice::Unlock(GpuTexture* texture)
{
    if (!texture || !texture->locked)
        return;
    texture->locked = false;
    std::vector<uint8_t> bits = std::move(texture->lockBits);
    texture->lockBits = {};
    if (texture->lockReadOnly)
        return;
    const GpuRect& r = texture->lockRect;
    const int bpp = platform::BytesPerPixel(texture->format);
    m_impl->SendPixels(texture, r, bits.data() + (size_t(r.y) * texture->width + r.x) * bpp,
                       texture->width);
}

bool GpuDevice::Upload(GpuTexture* texture, const void* pixels, int pitch)
{
    if (!texture || texture->target || texture->locked || !pixels)
        return false;
    const int bpp = platform::BytesPerPixel(texture->format);
    if (pitch < 0 || pitch < texture->width * bpp || pitch % bpp != 0)
        return false;
    m_impl->SendPixels(texture, GpuRect{0, 0, texture->width, texture->height}, pixels,
                       pitch / bpp);
    return true;
}

bool GpuDevice::ReadPixels(GpuTexture* texture, const GpuRect* rect, uint32_t* argb)
{
    if (!texture || !argb)
        return false;
    GpuRect r{};
    if (!RectInside(*texture, rect, r))
        return false;
    const bool opaque = texture->format != GPU_FORMAT_A8R8G8B8;
    if (!texture->target) {
        std::vector<uint8_t> level;
        if (!m_impl->ReadLevel(*texture, level))
            return false;
        for (int y = 0; y < r.h; ++y)
            for (int x = 0; x < r.w; ++x) {
                const size_t index = size_t(r.y + y) * texture->width + (r.x + x);
                uint32_t p;
                if (texture->format == GPU_FORMAT_R5G6B5) {
                    uint16_t v;
                    std::memcpy(&v, level.data() + index * 2, 2);
                    p = Expand565(v);
                } else {
                    std::memcpy(&p, level.data() + index * 4, 4);
                }
                argb[size_t(y) * r.w + x] = opaque ? (p | 0xFF000000u) : p;
            }
        return true;
    }
    m_impl->MakeCurrent();
    m_impl->FlushPending();
    ClearGlErrors();
    GL(glBindFramebuffer)(GL_READ_FRAMEBUFFER, m_impl->readFbo);
    GL(glFramebufferTexture2D)
    (GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture->name, 0);
    GL(glPixelStorei)(GL_PACK_ALIGNMENT, 4);
    GL(glPixelStorei)(GL_PACK_ROW_LENGTH, 0);
    GL(glReadPixels)(r.x, r.y, r.w, r.h, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, argb);
    GL(glFramebufferTexture2D)(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, 0, 0);
    GL(glBindFramebuffer)(GL_READ_FRAMEBUFFER, m_impl->fbo);
    if (opaque)
        for (size_t i = 0; i < size_t(r.w) * r.h; ++i)
            argb[i] |= 0xFF000000u;
    return GL(glGetError)() == GL_NO_ERROR;
}

bool GpuDevice::SetRenderTarget(GpuTexture* colour, GpuDepth* depth)
{
    if (colour && (!colour->target || !m_impl->textures.count(colour)))
        return false;
    if (depth && !m_impl->depths.count(depth))
        return false;
    Impl& d = *m_impl;
    d.MakeCurrent();
    d.FlushPending();
    // A texture bound to a unit while it is drawn into would be read and written by the same
    // draw: units holding the new target let it go.
    for (int u = 0; u < 2; ++u)
        if (colour && d.unitTexture[u] == colour) {
            GL(glActiveTexture)(GL_TEXTURE0 + u);
            GL(glBindTexture)(GL_TEXTURE_2D, 0);
            GL(glActiveTexture)(GL_TEXTURE0);
            d.unitTexture[u] = nullptr;
        }
    d.colour = colour;
    d.depth = depth;
    d.BindTarget();
    return GL(glCheckFramebufferStatus)(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

GpuTexture* GpuDevice::RenderTarget() const
{
    return m_impl->colour;
}
int GpuDevice::TargetWidth() const
{
    return m_impl->Colour()->width;
}
int GpuDevice::TargetHeight() const
{
    return m_impl->Colour()->height;
}

void GpuDevice::SetViewport(const GpuRect& rect)
{
    m_impl->MakeCurrent();
    m_impl->FlushPending();
    m_impl->viewport = {rect.x, rect.y, std::max(rect.w, 0), std::max(rect.h, 0)};
    GL(glViewport)(rect.x, rect.y, m_impl->viewport.w, m_impl->viewport.h);
}

void GpuDevice::SetScissorRect(const GpuRect& rect)
{
    m_impl->MakeCurrent();
    m_impl->FlushPending();
    m_impl->scissor = rect;
    m_impl->ApplyScissor();
}

GpuRect GpuDevice::ScissorRect() const
{
    return m_impl->scissor;
}

void GpuDevice::SetScissorTest(bool enabled)
{
    m_impl->MakeCurrent();
    m_impl->FlushPending();
    m_impl->scissorTest = enabled;
    m_impl->ApplyScissor();
}

bool GpuDevice::ScissorTest() const
{
    return m_impl->scissorTest;
}

void GpuDevice::Clear(uint32_t argb, bool depth)
{
    Impl& d = *m_impl;
    d.MakeCurrent();
    d.FlushPending();
    GpuRect area = d.viewport;
    if (d.scissorTest) {
        GpuRect s = d.scissor;
        s.w = std::max(s.w, 0);
        s.h = std::max(s.h, 0);
        int x0 = std::max(area.x, s.x), y0 = std::max(area.y, s.y);
        int x1 = std::min(area.x + area.w, s.x + s.w), y1 = std::min(area.y + area.h, s.y + s.h);
        area = {x0, y0, std::max(x1 - x0, 0), std::max(y1 - y0, 0)};
    }
    GpuRect clipped;
    if (!ClipRect(area, TargetWidth(), TargetHeight(), clipped))
        return;
    GL(glEnable)(GL_SCISSOR_TEST);
    GL(glScissor)(clipped.x, clipped.y, clipped.w, clipped.h);
    GL(glClearColor)
    (((argb >> 16) & 255) / 255.0f, ((argb >> 8) & 255) / 255.0f, (argb & 255) / 255.0f,
     (argb >> 24) / 255.0f);
    GLbitfield mask = GL_COLOR_BUFFER_BIT;
    if (depth && d.depth) {
        GL(glDepthMask)(GL_TRUE);
        GL(glClearDepth)(1.0);
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    GL(glClear)(mask);
    if (mask & GL_DEPTH_BUFFER_BIT) {
        // Set-up leaves depth writing off.
        GL(glDepthMask)(d.depthWrite == 1 ? GL_TRUE : GL_FALSE);
        d.depthWrite = d.depthWrite == 1 ? 1 : 0;
    }
    d.ApplyScissor();
}

// Matrices reach the program with the next draw.
void GpuDevice::SetView(const float matrix[16])
{
    Impl& d = *m_impl;
    if (std::equal(matrix, matrix + 16, d.view))
        return;
    d.MakeCurrent();
    d.FlushPending();
    std::copy(matrix, matrix + 16, d.view);
}

void GpuDevice::SetProjection(const float matrix[16])
{
    Impl& d = *m_impl;
    if (std::equal(matrix, matrix + 16, d.proj))
        return;
    d.MakeCurrent();
    d.FlushPending();
    std::copy(matrix, matrix + 16, d.proj);
}

void GpuDevice::OrthoProjection(float left, float top, float width, float height, float out[16])
{
    std::fill(out, out + 16, 0.0f);
    const float w = width != 0 ? width : 1.0f, h = height != 0 ? height : 1.0f;
    out[0] = 2.0f / w;
    out[5] = 2.0f / h;
    out[10] = 2.0f;
    out[12] = -2.0f * left / w - 1.0f;
    out[13] = -2.0f * top / h - 1.0f;
    out[14] = -1.0f;
    out[15] = 1.0f;
}

// The texture of the next draws; it is bound when they go out.
void GpuDevice::SetTexture(GpuTexture* texture)
{
    m_impl->texture = texture;
}

void GpuDevice::SetBlend(bool enabled, GpuBlend destination)
{
    Impl& d = *m_impl;
    const int blend = !enabled ? 0 : destination == GpuBlend::One ? 2 : 1;
    if (blend == d.blend)
        return;
    d.MakeCurrent();
    d.FlushPending();
    if (blend == 0) {
        GL(glDisable)(GL_BLEND);
    } else {
        if (d.blend <= 0)
            GL(glEnable)(GL_BLEND);
        GL(glBlendFunc)(GL_SRC_ALPHA, blend == 2 ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA);
    }
    d.blend = blend;
}

void GpuDevice::SetColorOp(GpuColorOp op)
{
    Impl& d = *m_impl;
    const int value = op == GpuColorOp::Add ? 1 : 0;
    if (value == d.colorOp)
        return;
    d.MakeCurrent();
    d.FlushPending();
    d.colorOp = value;
}

void GpuDevice::SetAlphaTest(GpuAlphaTest mode)
{
    Impl& d = *m_impl;
    const int value = mode == GpuAlphaTest::Batch ? 1 : mode == GpuAlphaTest::Sprite ? 2 : 0;
    if (value == d.alphaTest)
        return;
    d.MakeCurrent();
    d.FlushPending();
    d.alphaTest = value;
}

void GpuDevice::SetSampler(bool linear, bool wrap)
{
    Impl& d = *m_impl;
    const GLuint sampler = d.samplers[linear ? 1 : 0][wrap ? 1 : 0];
    if (sampler == d.sampler)
        return;
    d.MakeCurrent();
    d.FlushPending();
    d.sampler = sampler;
}

void GpuDevice::SetDepthTest(bool enabled)
{
    Impl& d = *m_impl;
    if (int(enabled) == d.depthTest)
        return;
    d.MakeCurrent();
    d.FlushPending();
    if (enabled)
        GL(glEnable)(GL_DEPTH_TEST);
    else
        GL(glDisable)(GL_DEPTH_TEST);
    d.depthTest = enabled;
}

void GpuDevice::SetDepthWrite(bool enabled)
{
    Impl& d = *m_impl;
    if (int(enabled) == d.depthWrite)
        return;
    d.MakeCurrent();
    d.FlushPending();
    GL(glDepthMask)(enabled ? GL_TRUE : GL_FALSE);
    d.depthWrite = enabled;
}

// Behind the held quads, so that the next draw can join them; at the start when they would leave
// less than a whole buffer of room.
GpuVertex* GpuDevice::LockVertices()
{
    Impl& d = *m_impl;
    d.lockOffset = d.pendingVertices > 0 ? d.pendingStart + d.pendingVertices : 0;
    if (d.lockOffset > kMaxVertices) {
        d.MakeCurrent();
        d.FlushPending();
        d.lockOffset = 0;
    }
    return d.staging.data() + d.lockOffset;
}

// What was written reaches the GL buffer with the draw that uses it.
void GpuDevice::UnlockVertices() {}

namespace {

// Quads whose boxes cover at most this many pixels in all may join a two-texture draw: each of
// that draw's fragments samples both textures, so large quads go out on their own.
constexpr float kJoinPixels = 64 * 64 * 4;

bool SmallQuads(const GpuVertex* v, int vertices)
{
    float area = 0;
    for (int i = 0; i < vertices; i += 4) {
        const float x0 = std::min(std::min(v[i].x, v[i + 1].x), std::min(v[i + 2].x, v[i + 3].x));
        const float x1 = std::max(std::max(v[i].x, v[i + 1].x), std::max(v[i + 2].x, v[i + 3].x));
        const float y0 = std::min(std::min(v[i].y, v[i + 1].y), std::min(v[i + 2].y, v[i + 3].y));
        const float y1 = std::max(std::max(v[i].y, v[i + 1].y), std::max(v[i + 2].y, v[i + 3].y));
        area += (x1 - x0) * (y1 - y0);
    }
    return area <= kJoinPixels;
}

}  // namespace

void GpuDevice::Draw(GpuPrimitive kind, int count)
{
    Impl& d = *m_impl;
    const int perPrimitive = static_cast<int>(kind);
    const int maxCount = kind == GpuPrimitive::Quads ? kMaxQuads : kMaxVertices / perPrimitive;
    count = std::min(count, maxCount);
    if (count <= 0)
        return;
    d.MakeCurrent();
    const int vertices = count * perPrimitive;
    GpuVertex* const first = d.staging.data() + d.lockOffset;
    GpuTexture* const texture = d.texture;
    if (kind == GpuPrimitive::Quads && texture && SmallQuads(first, vertices)) {
        const bool joins =
            d.pendingVertices > 0 && d.lockOffset == d.pendingStart + d.pendingVertices &&
            d.pendingVertices + vertices <= kMaxVertices &&
            (texture == d.pendingUnits[0] || texture == d.pendingUnits[1] || !d.pendingUnits[1]);
        if (!joins) {
            d.FlushPending();
            d.pendingStart = d.lockOffset;
            d.pendingUnits[0] = texture;
            std::fill(std::begin(d.pendingSlots), std::end(d.pendingSlots), 0u);
            d.pendingAlternates = false;
        } else if (texture == d.pendingUnits[0]) {
            d.pendingAlternates = d.pendingAlternates || d.pendingUnits[1];
        } else {
            d.pendingUnits[1] = texture;
            const int q0 = d.pendingVertices / 4;
            for (int q = q0; q < q0 + count; ++q)
                d.pendingSlots[q >> 5] |= 1u << (q & 31);
        }
        d.pendingVertices += vertices;
        return;
    }
    d.FlushPending();
    d.Upload(first, vertices);
    d.DrawRange(kind, 0, vertices, d.oneUnit, texture, nullptr);
}

GpuStatus GpuDevice::Present()
{
    Impl& d = *m_impl;
    d.MakeCurrent();
    d.FlushPending();
    if (d.lost)
        return GpuStatus::Lost;
    int w = 0, h = 0;
    SDL_GL_GetDrawableSize(d.window, &w, &h);
    GL(glBindFramebuffer)(GL_READ_FRAMEBUFFER, d.presentFbo);
    GL(glBindFramebuffer)(GL_DRAW_FRAMEBUFFER, 0);
    GL(glDisable)(GL_SCISSOR_TEST);
    // Stored top row first, shown top row at the top: the destination rows run downwards. At the
    // back buffer's own size each pixel lands on one pixel, and the plain copy is the cheaper one.
    const bool sameSize = w == d.backBuffer->width && h == d.backBuffer->height;
    GL(glBlitFramebuffer)
    (0, 0, d.backBuffer->width, d.backBuffer->height, 0, h, w, 0, GL_COLOR_BUFFER_BIT,
     sameSize ? GL_NEAREST : GL_LINEAR);
    if (d.capture && w > 0 && h > 0) {
        // The window's rows run bottom up.
        d.presented.assign(size_t(w) * h, 0);
        GL(glBindFramebuffer)(GL_READ_FRAMEBUFFER, 0);
        GL(glPixelStorei)(GL_PACK_ALIGNMENT, 4);
        GL(glPixelStorei)(GL_PACK_ROW_LENGTH, 0);
        GL(glReadPixels)(0, 0, w, h, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, d.presented.data());
        for (int y = 0; y < h / 2; ++y)
            std::swap_ranges(d.presented.begin() + ptrdiff_t(y) * w,
                             d.presented.begin() + ptrdiff_t(y + 1) * w,
                             d.presented.begin() + ptrdiff_t(h - 1 - y) * w);
        for (uint32_t& p : d.presented)
            p |= 0xFF000000u;
        d.presentedWidth = w;
        d.presentedHeight = h;
    }
    SDL_GL_SwapWindow(d.window);
    GL(glBindFramebuffer)(GL_FRAMEBUFFER, d.fbo);
    d.ApplyScissor();
    return GpuStatus::Ok;
}

void GpuDevice::CapturePresents(bool on)
{
    m_impl->capture = on;
    if (!on)
        m_impl->presented.clear();
}

bool GpuDevice::ReadPresented(std::vector<uint32_t>& argb, int& width, int& height) const
{
    const Impl& d = *m_impl;
    if (d.presented.empty())
        return false;
    argb = d.presented;
    width = d.presentedWidth;
    height = d.presentedHeight;
    return true;
}

void GpuDevice::SetVSync(bool on)
{
    m_impl->MakeCurrent();
    SDL_GL_SetSwapInterval(on ? 1 : 0);
}

GpuStatus GpuDevice::TestCooperativeLevel() const
{
    Impl& d = *m_impl;
    if (!d.lost)
        return GpuStatus::Ok;
    if (d.lostChecks > 0) {
        --d.lostChecks;
        return GpuStatus::Lost;
    }
    return GpuStatus::NotReset;
}

bool GpuDevice::ResizeBackBuffer(int width, int height)
{
    Impl& d = *m_impl;
    d.MakeCurrent();
    d.FlushPending();
    GpuTexture* fresh = d.NewTexture(width, height, GPU_FORMAT_X8R8G8B8, true);
    if (!fresh)
        return false;
    d.textures.erase(fresh);
    glDeleteTextures(1, &d.backBuffer->name);
    delete d.backBuffer;
    d.backBuffer = fresh;
    glBindFramebuffer(GL_FRAMEBUFFER, d.presentFbo);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, fresh->name, 0);
    d.BindTarget();
    return true;
}

bool GpuDevice::Reset()
{
    for (GpuTexture* t : m_impl->textures)
        if (t->target)
            return false;
    if (!m_impl->depths.empty())
        return false;
    m_impl->lost = false;
    m_impl->lostChecks = 0;
    SetScissorTest(false);
    return true;
}

void GpuDevice::ForceDeviceLost(int lostChecks)
{
    m_impl->lost = true;
    m_impl->lostChecks = std::max(lostChecks, 0);
}
