#pragma once
// One horizontal strip of images that scrolls sideways without end: a row of a background layer.
// A strip draws its images flat or bends them through a 16 x 16 distortion mesh into a moving
// wave. Its velocity follows the target speed the layer gives it, smoothly, and it can be tinted
// darker with its group. The base speed holds the strip's speed factor.

#include <cstdint>

#include "CX2DAnimation.h"
#include "CX2DDistortionMesh.h"
#include "CXDrawBGDim.h"
#include "CXDrawObject.h"
#include "CXListTmpl.h"

class CXDrawScrollObject : public CXDrawObject {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawScrollObject)

    static constexpr int kMeshSize = 16;
    // Twice the width of the game's target: how far right of the position the walk draws.
    static constexpr float kWalkSpan = 1536.0f;

    CXDrawScrollObject();
    ~CXDrawScrollObject() override = default;

    // Stores the mode and the wave parameters (normal play, then while the scene's group-0 flag is
    // set); mode 1 creates the mesh and gives each mesh row a random phase.
    void Configure(int32_t mode, int32_t timeRate, int32_t amplitude, int32_t waveCount,
                   int32_t timeRate0, int32_t amplitude0, int32_t waveCount0);
    // Loads an animation from the path and appends it, transparent; a failed load changes nothing.
    bool AddImage(const char* path);

    // Length := the sum of the image widths.
    void Init() override;
    void Update(float dt) override;
    void Draw() override;
    // The same walk as Draw, each image drawn plainly at whole-pixel places.
    void DrawTiled();

    int32_t m_nGroup = 0;
    int32_t m_nMode = 0;  // 1: wave
    int32_t m_nTimeRate = 0;
    int32_t m_nAmplitude = 0;
    int32_t m_nWaveCount = 0;
    int32_t m_nTimeRate0 = 0;
    int32_t m_nAmplitude0 = 0;
    int32_t m_nWaveCount0 = 0;
    float m_fPosition = 0.0f;  // scroll offset, kept within +-length
    float m_fY = 0.0f;
    float m_fLength = 0.0f;
    float m_fVelocity = 0.0f;  // pixels per second
    float m_fTargetSpeed = 0.0f;
    float m_fPrevTargetSpeed = 0.0f;
    CXDrawBGDim m_Dim;
    float m_fDimSpeed = 0.0f;  // levels per second; the background writes its SIGN_SPEED here
    int32_t m_bFront = 0;
    CXListTmpl<CX2DAnimation> m_Images;
    CX2DDistortionMesh m_Mesh;
    float m_fPhases[kMeshSize] = {};

private:
    template <class F>
    void Walk(F&& draw);
    void DrawWave(CX2DAnimation& image, float x);
};
