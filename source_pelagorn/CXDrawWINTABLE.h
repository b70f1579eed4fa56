#pragma once
// The pay tables: in the draw list one table at a time shows at one place, stays for an idle
// time, then rolls away downward while the next unrolls in its place. A second set can be drawn
// all at once, stacked and centred on the playfield. Read from
// "/image/interface/wintable/wintable.cfg".

#include <cstdint>

#include "CX2DAnimation.h"
#include "CXArrayTmpl.h"
#include "CXDrawObject.h"

class CXDrawWINTABLE : public CXDrawObject {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawWINTABLE)

    CXDrawWINTABLE() = default;
    ~CXDrawWINTABLE() override = default;

    void Init() override;
    void Update(float dt) override;
    void Draw() override;
    // Draws the whole stacked set, centred on the 768 x 1280 playfield.
    void ArrangeTables();

    float m_fX = 0.0f;
    float m_fY = 0.0f;
    uint32_t m_dwCurrent = 0;
    float m_fProgress = 0.0f;  // percent of the running change
    float m_fIdleTime = 3.0f;  // seconds
    float m_fIdleLeft = 0.0f;  // seconds
    CXArrayTmpl<CX2DAnimation> m_Tables;
    CXArrayTmpl<CX2DAnimation> m_StackedTables;
};
