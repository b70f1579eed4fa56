#pragma once
// The cabinet frame drawn over the playfield: frame pieces (each an animation chosen by a state
// index), two oil gauges that fill from the bottom, a road indicator made of two pieces, the
// score numbers and a title animation that plays while the scene's second object group shows.
// Read from "/image/interface/frame/frame.cfg". Its update and draw also run the game scene's
// overlays, so the scene's message windows lie at the frame's place in the draw list.

#include <cstdint>

#include "CX2DAnimation.h"
#include "CXArrayTmpl.h"
#include "CXDrawNUMBER.h"
#include "CXDrawObject.h"

class CXDrawConfig;

// One frame piece: top-left corner, the state shown and one animation per state.
class CXDrawFrameInfo {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawFrameInfo)

    CXDrawFrameInfo() = default;
    virtual ~CXDrawFrameInfo() = default;
    CXDrawFrameInfo(const CXDrawFrameInfo&) = delete;
    CXDrawFrameInfo& operator=(const CXDrawFrameInfo&) = delete;

    // The animation of the current state, or null.
    CX2DAnimation* Current() const;

    float m_fX = 0.0f;
    float m_fY = 0.0f;
    int32_t m_nState = 0;
    CXArrayTmpl<CX2DAnimation> m_Animations;
};

class CXDrawFRAME : public CXDrawObject {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawFRAME)

    // Score indexes that also drive a gauge.
    static constexpr uint32_t kCreditScore = 2;
    static constexpr uint32_t kGiftScore = 3;

    CXDrawFRAME() = default;
    ~CXDrawFRAME() override = default;

    void Init() override;
    void Update(float dt) override;
    void Draw() override;

    // Sets the score number at the index (2: credit, which also drives the credit gauge; 3: gift
    // count, which drives the gift gauge). A falling, settled credit shows at once; otherwise the
    // number counts unless `immediate` is set. Nothing for an index without a number.
    void SetScore(uint32_t index, uint32_t value, bool jump, uint8_t immediate);
    // Follows the scene's second object group: the title plays while it shows.
    void SyncTitleAnimation();
    // The two sign pieces go back to their first state (the demo's start).
    void ClearSignPieces();

    double m_dLeftOilTarget = 0.0;
    double m_dLeftOilShown = 0.0;
    double m_dRightOilTarget = 0.0;
    double m_dRightOilShown = 0.0;
    int32_t m_nLeftOilPiece = 0;
    int32_t m_nRightOilPiece = 0;
    float m_fCreditGaugeMax = 1.0f;
    float m_fCreditGaugeTarget = 0.0f;
    float m_fCreditGaugeShown = 0.0f;
    float m_fGiftGaugeTarget = 0.0f;
    float m_fGiftGaugeShown = 0.0f;
    int32_t m_nCreditPiece = 0;  // read and kept; the frame draws nothing with it
    int32_t m_nGiftPiece = 0;    // read and kept; the frame draws nothing with it
    int32_t m_nRoadPieceBelow = 0;
    int32_t m_nRoadPieceAbove = 0;
    int32_t m_nSignPieces[2] = {0, 0};  // read and kept; the frame draws nothing with them
    CXArrayTmpl<CXDrawFrameInfo> m_Pieces;
    CXArrayTmpl<CXDrawNUMBER> m_Scores;
    int32_t m_bTitlePlaying = 0;
    CX2DAnimation m_Title;

private:
    void ReadPiece(CXDrawConfig& config, int index);
    void ReadScore(CXDrawConfig& config, int index);
    void SetPieceState(int32_t piece, int64_t state);
    void DrawGauge(double percent, int32_t piece);
};
