#pragma once
// One background layer and its records: the scroll strips, the music entries, the moving-object
// definitions, the display slots (always refilled) and the move list (objects started on
// request). The background fades layers into one another, dims object groups in them and draws
// their moving objects in two passes.

#include <cstdint>
#include <vector>

#include "CX2DAnimation.h"
#include "CX2DChannel.h"
#include "CXArrayTmpl.h"
#include "CXDrawBGDim.h"
#include "CXDrawScrollObject.h"
#include "CXListTmpl.h"
#include "CXMemoryPoolTmpl.h"

class CPelagorn;
class CXDrawBG;
class CXDrawScene;

// One moving-object definition.
class CXDrawMOInfo {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawMOInfo)

    CXDrawMOInfo() = default;
    virtual ~CXDrawMOInfo() = default;
    CXDrawMOInfo(const CXDrawMOInfo&) = delete;
    CXDrawMOInfo& operator=(const CXDrawMOInfo&) = delete;

    bool HasImage() const { return m_Animation.GetCore() != nullptr; }

    CPelagorn* m_pOwner = nullptr;
    int32_t m_nGroup = 0;       // dimming group
    int32_t m_nDepth = 0;       // first draw-order key
    int32_t m_nStartGroup = 0;  // 0: fills display slots; otherwise started on request only
    int32_t m_bSingle = 0;      // one object that stays in place and replays its animation
    int32_t m_nPass = 0;        // draw pass 0 or 1
    int32_t m_nStartMin = 0;    // coordinate across the direction of travel
    int32_t m_nStartMax = 0;
    int32_t m_bVertical = 0;
    uint8_t m_bySideSign = 0;  // 1 '+', 2 '-', 0 none
    int32_t m_nAngleMin = 0;   // degrees
    int32_t m_nAngleMax = 0;
    uint8_t m_bySideMode = 0;  // 0 random side; 1 and 2 fixed sides
    int32_t m_nSpeedMin = 0;   // percent of 120 pixels per second
    int32_t m_nSpeedMax = 0;
    int32_t m_nScaleMin = 0;  // percent
    int32_t m_nScaleMax = 0;
    float m_fReservedTime = 0.0f;  // seconds; nothing depends on it
    CXDrawBGDim m_Dim;
    int32_t m_nReserved = 0;  // nothing depends on it
    CX2DAnimation m_Animation;
};

// One live moving object.
class CXDrawBGMoveObjectInfo {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawBGMoveObjectInfo)

    CXDrawBGMoveObjectInfo() = default;
    virtual ~CXDrawBGMoveObjectInfo() = default;
    CXDrawBGMoveObjectInfo(const CXDrawBGMoveObjectInfo&) = delete;
    CXDrawBGMoveObjectInfo& operator=(const CXDrawBGMoveObjectInfo&) = delete;

    bool IsLive() const { return m_pAnimation != nullptr; }

    int32_t m_nDefinition = 0;
    int32_t m_nDepth = 0;
    int64_t m_nStartTime = 0;  // game clock, ms
    int32_t m_bSingle = 0;
    int32_t m_nPass = 0;
    uint8_t m_bFlipH = 0;
    uint8_t m_bFlipV = 0;
    float m_fScale = 0.0f;
    float m_fAngle = 0.0f;  // radians
    float m_fSpeed = 0.0f;  // pixels per second
    float m_fX = 0.0f;
    float m_fY = 0.0f;
    float m_fVX = 0.0f;
    float m_fVY = 0.0f;
    int32_t m_nFrameOffset = 0;
    CX2DAnimation* m_pAnimation = nullptr;  // the definition's; null once finished
};

// One music entry of a layer.
class CXDrawBGMusicInfo {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawBGMusicInfo)

    CXDrawBGMusicInfo() = default;
    virtual ~CXDrawBGMusicInfo() = default;
    CXDrawBGMusicInfo(const CXDrawBGMusicInfo&) = delete;
    CXDrawBGMusicInfo& operator=(const CXDrawBGMusicInfo&) = delete;

    // The channel volume: percent x volume / 100, scaled by the fade steps left while fading.
    int32_t Volume() const;

    float m_fPlayLimit = 0.0f;  // seconds
    float m_fPlayed = 0.0f;     // seconds
    int32_t m_nMinCount = 0;
    int32_t m_nMaxCount = 0;
    int32_t m_nChosenCount = 0;  // 0: no limit
    int32_t m_nCounter = 0;
    CX2DMusic m_Music;
    uint32_t m_dwFadeStamp = 0;  // game clock, ms
    int32_t m_nVolume = 100;
    int32_t m_nVolumePercent = 0;
    int32_t m_nFadeSteps = 0;
    uint8_t m_bFading = 0;
    uint8_t m_bGroup0 = 0;  // chosen only while the scene's group-0 flag is set
};

class CXDrawBGInfo {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawBGInfo)

    // Fade modes.
    enum { kFadeIn = 0, kFadeOut = 1 };
    // Objects one request may start.
    static constexpr uint32_t kMaxStartCount = 256;

    CXDrawBGInfo() = default;
    virtual ~CXDrawBGInfo() = default;
    CXDrawBGInfo(const CXDrawBGInfo&) = delete;
    CXDrawBGInfo& operator=(const CXDrawBGInfo&) = delete;

    // Fades every strip image and every definition's animation in (from 0 to its base alpha) or
    // out (to 0) at speed levels per second.
    void Fade(float speed, int32_t mode);
    // Restarts every strip image.
    void RestartStrips();
    bool IsStripFading() const;
    // Dims the strips and the pass-0 definitions of the group from one level to another.
    void FadeObjectGroup(int32_t group, uint8_t from, uint8_t to);
    // Gives every strip a new target speed (never exactly 0: +-rate / 2 instead, keeping the
    // direction of the previous target).
    void SetScrollSpeed(float speed, float rate);
    // Starts count objects of the definition (a single one replays instead when it moves).
    void StartMoveObject(uint32_t index, uint32_t count);
    // Fills the object from a definition (a random one for a slot refill, index < 0).
    bool Spawn(CXDrawBGMoveObjectInfo& object, int32_t index, int32_t startGroup);

    // Strips, definitions' dimming, display slots and the move list.
    void Update(float dt);
    // The current music entry's fade, volume, count and the choice of the next one.
    void UpdateMusic(float dt);
    // Stops the current entry and starts another (group-0 entries while that flag is set).
    void ChooseMusic();
    void StopMusic();
    void SetMusicVolume(int32_t percent);

    // Strips of the back (front flag 0) or of the front pass.
    void DrawStrips(bool front);
    // The objects of a draw pass: display slots in slot order, then the move list sorted by depth,
    // scale and start time (stable).
    void DrawSorted(int32_t pass);

    CXDrawMOInfo* GetDefinition(uint32_t index) const { return m_Definitions.GetAt(index); }

    CPelagorn* m_pOwner = nullptr;
    CXDrawScene* m_pScene = nullptr;
    CXDrawBG* m_pBackground = nullptr;
    CXArrayTmpl<CXDrawScrollObject> m_Strips;
    int32_t m_nCurrentMusic = -1;  // none
    CXArrayTmpl<CXDrawBGMusicInfo> m_Music;
    CXArrayTmpl<CXDrawMOInfo> m_Definitions;
    CXArrayTmpl<CXDrawBGMoveObjectInfo> m_Slots;
    CXListTmpl<CXDrawBGMoveObjectInfo> m_Moving;
    std::vector<CXDrawBGMoveObjectInfo*> m_Sorted;  // reused every draw

private:
    bool IsUsedBySlot(const CX2DAnimation* animation, const CXDrawBGMoveObjectInfo* except) const;
    bool FirstGroupShown() const;
    uint32_t Now() const;
    float DimSpeed() const;
    void Move(CXDrawBGMoveObjectInfo& object, float dt) const;
    static void DrawObject(CXDrawBGMoveObjectInfo& object);
};
