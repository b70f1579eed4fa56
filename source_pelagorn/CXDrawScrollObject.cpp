#include "CXDrawScrollObject.h"

#include <cmath>
#include <numbers>

#include "CX2DEngine.h"
#include "CXDrawBGRandom.h"
#include "CXDrawScene.h"

namespace {

// A walk never draws more images than this, whatever the widths (tiny images, broken data).
constexpr int kMaxWalkSteps = 4096;
constexpr float kEpsilon = 1.1920929e-7f;  // 2^-23
constexpr float kTargetWidth = 768.0f;

}  // namespace

CXDrawScrollObject::CXDrawScrollObject()
{
    m_fSpeed = 0.0f;
}

void CXDrawScrollObject::Configure(int32_t mode, int32_t timeRate, int32_t amplitude,
                                   int32_t waveCount, int32_t timeRate0, int32_t amplitude0,
                                   int32_t waveCount0)
{
    m_nMode = mode;
    m_nTimeRate = timeRate;
    m_nAmplitude = amplitude;
    m_nWaveCount = waveCount;
    m_nTimeRate0 = timeRate0;
    m_nAmplitude0 = amplitude0;
    m_nWaveCount0 = waveCount0;
    if (mode != 1)
        return;
    m_Mesh.Create(kMeshSize, kMeshSize);
    for (int i = 0; i < kMeshSize; ++i)
        m_fPhases[i] = static_cast<float>(CXDrawBGRandomRange(0, 30000)) / 1000.0f - 15.0f +
                       static_cast<float>(i);
}

bool CXDrawScrollObject::AddImage(const char* path)
{
    auto* image = new CX2DAnimation;
    if (!image)
        return false;
    if (!image->Load(path)) {
        delete image;
        return false;
    }
    image->SetAlpha(0);
    for (uint32_t i = 0; i < image->GetChildCount(); ++i)
        if (CX2DAnimation* child = image->GetChild(i)->m_pAnimation)
            child->SetAlpha(0);
    if (!m_Images.AddTail(image)) {
        delete image;
        return false;
    }
    return true;
}

void CXDrawScrollObject::Init()
{
    m_fLength = 0.0f;
    for (auto* element = m_Images.m_pHead; element; element = element->m_pNext)
        m_fLength += element->m_pData->GetWidth();
}

void CXDrawScrollObject::Update(float dt)
{
    // The tint also follows the step that brings the level onto its target.
    const bool dimming = m_Dim.Step(m_fDimSpeed, dt);
    for (auto* element = m_Images.m_pHead; element; element = element->m_pNext) {
        element->m_pData->Update(dt);
        if (dimming)
            CXDrawBGTint(*element->m_pData, m_Dim.Grey());
    }

    const float factor = m_fSpeed;
    float d = factor * m_fTargetSpeed;
    const float change = m_fTargetSpeed - m_fPrevTargetSpeed;
    if (d > 0.0f) {
        if (change > 0.0f && d > m_fVelocity)
            m_fVelocity += d * dt;
        else if (change < 0.0f && d < m_fVelocity)
            m_fVelocity -= d * dt;
    } else if (d < 0.0f) {
        if (change > 0.0f && d > m_fVelocity)
            m_fVelocity -= d * dt;
        else if (change < 0.0f && d < m_fVelocity)
            m_fVelocity += d * dt;
    } else if (std::fabs(m_fVelocity) >= kEpsilon) {
        d = m_fPrevTargetSpeed >= 0.0f ? -10.0f * factor : 10.0f * factor;
        m_fVelocity += d * dt;
        if (m_fPrevTargetSpeed == 0.0f || (m_fPrevTargetSpeed > 0.0f && m_fVelocity < 0.0f) ||
            (m_fPrevTargetSpeed < 0.0f && m_fVelocity > 0.0f))
            m_fVelocity = 0.0f;
    }

    m_fPosition += d * dt * dt * 0.5f + m_fVelocity * dt;
    if (!(m_fPosition <= m_fLength && m_fPosition >= -m_fLength))
        m_fPosition = 0.0f;
}

template <class F>
void CXDrawScrollObject::Walk(F&& draw)
{
    if (!m_Images.m_pHead || !(m_fLength > 0.0f))
        return;
    const float end = m_fPosition + kWalkSpan;
    float b = -m_fLength;
    auto* element = m_Images.m_pHead;
    for (int step = 0; step < kMaxWalkSteps && b < end; ++step) {
        CX2DAnimation& image = *element->m_pData;
        const float width = image.GetWidth();
        if (m_fPosition < b + width)
            draw(image, b);
        b += width;
        element = element->m_pNext ? element->m_pNext : m_Images.m_pHead;
    }
}

void CXDrawScrollObject::Draw()
{
    Walk([this](CX2DAnimation& image, float b) {
        const float x = b - m_fPosition;
        if (m_nMode != 1 || !m_Mesh.GetGrid())
            image.Render(x, m_fY);
        else if (x < kTargetWidth)  // a mesh right of the target shows nothing and costs much
            DrawWave(image, x);
    });
}

void CXDrawScrollObject::DrawTiled()
{
    Walk([this](CX2DAnimation& image, float b) {
        const float x = std::trunc(b) - std::trunc(m_fPosition);
        image.Render(x, std::trunc(m_fY));
    });
}

void CXDrawScrollObject::DrawWave(CX2DAnimation& image, float x)
{
    const bool group0 = m_pScene && m_pScene->IsFirstGroupShown();
    const float rate = static_cast<float>(group0 ? m_nTimeRate0 : m_nTimeRate);
    const float amplitude = static_cast<float>(group0 ? m_nAmplitude0 : m_nAmplitude);
    const float count = static_cast<float>(group0 ? m_nWaveCount0 : m_nWaveCount);
    m_Mesh.SetTexture(image.GetTexture());
    m_Mesh.SetTextureRect(0.0f, 0.0f, image.GetWidth(), image.GetHeight());
    // The nodes carry the image's alpha (a layer cross-fade) under the group's tint.
    const uint32_t colour =
        static_cast<uint32_t>(image.GetAlpha(0)) << 24 | (m_Dim.Grey() & 0xFFFFFF);
    const float last = static_cast<float>(kMeshSize - 1);
    for (int i = 0; i < kMeshSize; ++i) {
        const float t = static_cast<float>(EngineGetTime());
        for (int j = 0; j < kMeshSize; ++j) {
            m_Mesh.SetColor(j, i, colour);
            const float wave =
                std::sin((static_cast<float>(j) / last - 0.5f) * std::numbers::pi_v<float> * count +
                         m_fPhases[i] - t * rate);
            m_Mesh.SetDisplacement(j, i, 0.0f,
                                   static_cast<float>(i) / last * amplitude * wave * 0.25f, 0);
        }
    }
    m_Mesh.Render(x, m_fY);
}
