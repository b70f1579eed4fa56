#pragma once
// Handles, vertices and primitives that the engine's drawing code passes to the device.

#include <cstdint>

#include "platform/gpu.h"

// A texture (loaded image or render-target colour buffer).
using HTEXTURE = GpuTexture*;

// 24 bytes: x, y, z in pixels and depth, ARGB colour, u, v.
using CXVertex = GpuVertex;

// Blend bits of sprites, animations, particles and meshes.
constexpr uint32_t BLEND_COLORADD = 1;  // else colour multiply
constexpr uint32_t BLEND_COLORMUL = 0;
constexpr uint32_t BLEND_ALPHABLEND = 2;  // else alpha add
constexpr uint32_t BLEND_ALPHAADD = 0;
constexpr uint32_t BLEND_ZWRITE = 4;
constexpr uint32_t BLEND_NOZWRITE = 0;
constexpr uint32_t BLEND_DEFAULT = BLEND_COLORMUL | BLEND_ALPHABLEND | BLEND_NOZWRITE;

// Primitive kinds of the batch (vertices per primitive).
constexpr int CXPRIM_LINES = 2;
constexpr int CXPRIM_TRIPLES = 3;
constexpr int CXPRIM_QUADS = 4;

struct CXTriangle {
    CXVertex v[3];
    HTEXTURE tex;
    uint32_t blend;
};

// Vertices: top left, top right, bottom right, bottom left.
struct CXQuad {
    CXVertex v[4];
    HTEXTURE tex;
    uint32_t blend;
};
