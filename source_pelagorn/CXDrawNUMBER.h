#pragma once
// A number drawn with digit images (frames 0..9 of one animation). In counting mode the shown
// value runs toward a newly set target instead of jumping to it; the size can pulse. It has no
// file of its own: its holder sets the fields and drives it through SetNumber, UpdateCount and
// Draw (the scene's generic list update does not move a number).

#include <cstdint>

#include "CX2DAnimation.h"
#include "CXDrawObject.h"
#include "CXString.h"

class CXDrawNUMBER : public CXDrawObject {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawNUMBER)

    CXDrawNUMBER() = default;
    ~CXDrawNUMBER() override = default;

    void Draw() override;
    // Advances the shown value and the pulse by dt seconds; the second argument is not used.
    virtual void UpdateCount(float dt, int32_t unused);

    // Sets a new target; with jump (or when the previous target had been reached) the count
    // starts from the previous target. A new target never slows a running count.
    void SetNumber(uint32_t value, bool jump);
    // A printf format with exactly one integer conversion; anything else keeps "%d". False then.
    bool SetFormat(const char* format);
    // True once the shown value has arrived at the target.
    bool Reached() const { return m_dShown == m_dwTarget; }

    int32_t m_nSavedMode = 0;  // the mode as configured; the holder's reset copies it back
    int32_t m_nMode = 0;       // 1: counting; otherwise the target shows at once
    float m_fX = 0.0f;
    float m_fY = 0.0f;
    float m_fCountSpeed = 0.0f;  // units per second
    float m_fScale = 1.0f;
    float m_fRotation = 0.0f;
    int32_t m_nAlignH = 0;  // 0 starts at x, 1 centred on x, 2 ends at x
    int32_t m_nAlignV = 0;  // 0 top at y, 1 centred on y, 2 bottom at y
    CXString m_strFormat{"%d"};
    uint32_t m_dwTarget = 0;
    double m_dShown = 0.0;
    float m_fDirection = 0.0f;
    int32_t m_bPulse = 0;
    float m_fPulseRate = 0.0f;       // degrees per second
    float m_fPulseAmplitude = 0.0f;  // percent of extra size at the peak
    float m_fPulsePhase = 0.0f;      // degrees
    CX2DAnimation m_Digits;
};
