#pragma once
// The animated background, first in the game scene's draw list: layers of scroll strips, moving
// objects and music that cross-fade when the background changes, signs shown at random places,
// rain and thunder animations, and two turn gauges. Read from "/image/bg/bg.cfg". The game scene
// changes the layer, sign, thunder, scroll speed, object groups and music volume through it.

#include <cstdint>

#include "CX2DAnimation.h"
#include "CXArrayTmpl.h"
#include "CXDrawBGInfo.h"
#include "CXDrawObject.h"

class CXDrawConfig;

struct CXDrawBGTurnGaugeInfo {
    float m_fX = 0.0f;
    float m_fY = 0.0f;
    CX2DAnimation m_Animation;
};

// One sign: shown at a random place within its ranges.
class CXDrawSignInfo {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawSignInfo)

    CXDrawSignInfo() = default;
    virtual ~CXDrawSignInfo() = default;
    CXDrawSignInfo(const CXDrawSignInfo&) = delete;
    CXDrawSignInfo& operator=(const CXDrawSignInfo&) = delete;

    float m_fX = 0.0f;
    float m_fY = 0.0f;
    int32_t m_bFront = 0;  // drawn after the first object pass
    int32_t m_nXMin = 0;
    int32_t m_nXMax = 0;
    int32_t m_nYMin = 0;
    int32_t m_nYMax = 0;
    CX2DAnimation m_Animation;
};

class CXDrawBG : public CXDrawObject {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawBG)

    static constexpr uint32_t kNone = 0xFFFF;

    explicit CXDrawBG(CPelagorn* owner);
    ~CXDrawBG() override = default;

    void Init() override;
    void Update(float dt) override;
    void Draw() override;

    // Fades the shown layer out and the given one in.
    void ChangeBG(uint32_t index);
    // Fades the shown sign out and shows the given one at a random place.
    void ChangeSign(uint32_t index);
    // Switches the thunder animation (with three lamp commands when it exists) and starts the
    // thunder's reel-wait preset. Indices past the preset table are ignored.
    void ChangeThunder(uint32_t index);
    void SetScrollSpeed(float speed);
    // Switches an object group on (tinted darker) or off in every layer and in the scene.
    void SetObjectGroupVisible(int32_t group, bool on);
    void SetMusicVolume(int32_t percent);
    // Stops every sign; the incoming sign becomes current. Returns the current sign.
    uint32_t StopAllSigns();

    CXDrawBGInfo* GetLayer(uint32_t index) const { return m_Layers.GetAt(index); }
    CXDrawSignInfo* GetSign(uint32_t index) const { return m_Signs.GetAt(index); }

    int64_t m_nSpeedChangeMinTime = 5000;  // ms
    int64_t m_nSpeedChangeMaxTime = 10000;
    int64_t m_nTurnMinTime = 30000;
    int64_t m_nTurnMaxTime = 30000;
    uint8_t m_byDimLevel = 128;
    float m_fDimSpeed = 100.0f;
    float m_fLayerChangeSpeed = 100.0f;
    CXDrawBGTurnGaugeInfo m_TurnGauges[2];
    int32_t m_nRainIndex = 0;
    int32_t m_nThunderIndex = 0;
    CXArrayTmpl<CX2DAnimation> m_Rain;
    CXArrayTmpl<CX2DAnimation> m_Thunder;
    float m_fScrollSpeed = 0.0f;
    uint32_t m_dwCurrentLayer = kNone;
    uint32_t m_dwIncomingLayer = kNone;
    CXArrayTmpl<CXDrawBGInfo> m_Layers;
    float m_fSignFadeSpeed = 100.0f;
    uint32_t m_dwCurrentSign = kNone;
    uint32_t m_dwIncomingSign = kNone;
    CXArrayTmpl<CXDrawSignInfo> m_Signs;
    // The scroll factors: the rate scales a scroll speed into strip targets, the divisor turns a
    // strip's configured factor into its speed factor.
    float m_fScrollFactorRate = 10.0f;
    float m_fScrollFactorDiv = 30.0f;

private:
    void ReadLayer(CXDrawConfig& config, uint32_t index);
    void ReadStrip(CXDrawConfig& config, CXDrawBGInfo& layer, int layerIndex, int index);
    void ReadMusic(CXDrawConfig& config, CXDrawBGInfo& layer, int layerIndex);
    void ReadMovingObjects(CXDrawConfig& config, CXDrawBGInfo& layer, int layerIndex);
    void ReadSigns(CXDrawConfig& config);
    void ReadWeather(CXDrawConfig& config);
    void ReadScrollKeys(CXDrawConfig& config);
    void UpdateSigns(float dt);
    void DrawSigns(bool front);
};
