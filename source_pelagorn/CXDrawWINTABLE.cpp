#include "CXDrawWINTABLE.h"

#include <cstdio>
#include <string>

#include "CXDrawConfig.h"
#include "CXDrawScene.h"
#include "CXLog.h"

namespace {

constexpr const char* kFolder = "/image/interface/wintable";
constexpr const char* kFile = "/image/interface/wintable/wintable.cfg";
constexpr const char* kStackedPattern = "/image/interface/table/wintable_%d.anf";
constexpr float kDefaultSpeed = 200.0f;  // percent per second
constexpr float kStartProgress = 99.99999f;
constexpr float kChangeDone = 99.9999f;
constexpr float kStackGap = 20.0f;

}  // namespace

void CXDrawWINTABLE::Init()
{
    CXDrawConfig config;
    if (!config.Load(kFile))
        return;
    m_fSpeed = kDefaultSpeed;
    if (config.FloatIf("SPEED", m_fSpeed))
        m_fSpeed *= 2.0f;
    m_fX = config.Float("X_POS");
    m_fY = config.Float("Y_POS");
    float idleMs = 0.0f;
    if (config.FloatIf("IDLE_TICK", idleMs))
        m_fIdleTime = idleMs / 1000.0f;
    const int32_t count = config.Count("COUNT");
    const std::string pattern = config.Text("WIN_TABLE");
    const bool patternOk = CXIsIntegerFormat(pattern.c_str());
    if (!patternOk && count > 0)
        CX_LOG_ERROR("CXDrawWINTABLE::Init", "WIN_TABLE needs one integer conversion. [%s]",
                     pattern.c_str());
    char name[512];
    for (int i = 0; i < count; ++i) {
        if (patternOk) {
            if (auto* table = new CX2DAnimation) {
                std::snprintf(name, sizeof name, pattern.c_str(), i);
                table->Load(CXJoinPath(kFolder, name).c_str());
                m_Tables.SetAt(static_cast<uint32_t>(i), table);
            }
        }
        if (auto* table = new CX2DAnimation) {
            std::snprintf(name, sizeof name, kStackedPattern, i);
            table->Load(name);
            m_StackedTables.SetAt(static_cast<uint32_t>(i), table);
        }
    }
    m_dwCurrent = 0;
    m_fProgress = kStartProgress;
    m_fIdleLeft = m_fIdleTime;
}

void CXDrawWINTABLE::Update(float dt)
{
    for (uint32_t i = 0; i < m_Tables.GetSize(); ++i)
        if (CX2DAnimation* table = m_Tables.GetAt(i))
            table->Update(dt);
    if (m_fIdleLeft > 0.0f) {
        m_fIdleLeft -= dt;
        return;
    }
    m_fProgress += CXAdvance(1.0f, m_fSpeed, dt);
    if (m_fProgress >= kChangeDone) {
        ++m_dwCurrent;
        m_fProgress = 0.0f;
        m_fIdleLeft = m_fIdleTime;
    }
}

void CXDrawWINTABLE::Draw()
{
    const uint32_t count = m_Tables.GetSize();
    if (count == 0)
        return;
    CX2DAnimation* current = m_Tables.GetAt(m_dwCurrent % count);
    CX2DAnimation* next = m_Tables.GetAt((m_dwCurrent + 1) % count);
    if (!current || !next)
        return;
    const float p = m_fProgress;
    if (CXToInt32(p) != 0)
        next->RenderEx(m_fX, m_fY, 0.0f, 1.0f, p / 100.0f);
    current->RenderEx(m_fX, m_fY + current->GetHeight() * p / 100.0f, 0.0f, 1.0f,
                      (100.0f - p) / 100.0f);
}

void CXDrawWINTABLE::ArrangeTables()
{
    const uint32_t count = m_StackedTables.GetSize();
    if (count == 0)
        return;
    float total = 0.0f;
    for (uint32_t i = 0; i < count; ++i)
        if (CX2DAnimation* table = m_StackedTables.GetAt(i))
            total += table->GetHeight() + kStackGap;
    float y = (1280.0f - (total - kStackGap)) * 0.5f;
    if (m_pScene && m_pScene->IsLoweredTableLayout())
        y += 10.0f;
    for (uint32_t i = 0; i < count; ++i) {
        CX2DAnimation* table = m_StackedTables.GetAt(i);
        if (!table)
            continue;
        table->Render((768.0f - table->GetWidth()) * 0.5f, y);
        y += table->GetHeight() + kStackGap;
    }
}
