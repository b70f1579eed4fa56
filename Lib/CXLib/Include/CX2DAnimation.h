#pragma once
// The engine's key-frame animation: a sprite whose image steps through frames of one texture or of
// a list of textures, moved, scaled, rotated and faded by four key tracks, limited by a loop count
// or a play time, with one sound channel and child animations placed relative to it. Described by
// an ".anf" key=value file. UI thread only.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CX2DAnimationTrack.h"
#include "CX2DChannel.h"
#include "CX2DSprite.h"
#include "CX2DTexture.h"
#include "CXMemoryPoolTmpl.h"
#include "CXSpriteCore.h"

class CX2DAnimation;
class CXFileConfig;

// One child animation: drawn at (x, y) on its own when absolute, else relative to the parent.
class CX2DAnimationANFInfo {
public:
    CX_DECLARE_MEMORY_POOL(CX2DAnimationANFInfo)

    CX2DAnimationANFInfo() = default;
    ~CX2DAnimationANFInfo();
    CX2DAnimationANFInfo(const CX2DAnimationANFInfo&) = delete;
    CX2DAnimationANFInfo& operator=(const CX2DAnimationANFInfo&) = delete;

    int32_t m_bAbsolute = 0;
    int32_t m_nKey = 0;
    float m_fX = 0.0f;
    float m_fY = 0.0f;
    CX2DAnimation* m_pAnimation = nullptr;  // owned
};

class CX2DAnimation : public CX2DSprite {
public:
    CX_DECLARE_MEMORY_POOL(CX2DAnimation)

    // Track order.
    enum {
        TRACK_POSITION = 0,
        TRACK_SCALE = 1,
        TRACK_ROTATION = 2,
        TRACK_ALPHA = 3,
        TRACK_COUNT = 4
    };

    CX2DAnimation() = default;
    ~CX2DAnimation() override;

    // Reads an ".anf" file (textures and sound relative to its folder, children from the
    // resource root). False when the name is empty, the file cannot be read, the texture (the
    // first frame's with TEX_LIST) is missing or the TEX_LIST pattern is not exactly one integer
    // conversion, or names more than 1,024 frames; the animation then has no core and draws
    // nothing. A child already being loaded further up the chain (names compared with "." and
    // "folder/.." segments taken out) is skipped, and one load builds at most 1,024 animations.
    bool Load(const char* file) override;
    // Draws every child whose key matches: null draws all, otherwise the text is read as the
    // integer key.
    void RenderChildren(float x, float y, const char* key) override;
    void RenderChildren(float x, float y, int key);

    // Restarts frames, tracks, children and the play time; plays the sound when asked.
    void Play(bool withSound = true);
    void Stop();
    bool IsPlaying() const;
    void Update(float dt);

    int GetFrame() const;
    int GetFrameCount() const;
    void SetFrame(int frame);
    void SetMode(uint32_t bits);
    void SetFPS(float fps);

    // Fades the alpha toward fTarget at fSpeed levels per second: upward for a positive
    // direction, downward for a negative one, toward the target for 0. Children follow.
    void FadeStart(float fTarget, float fSpeed, int nDirection = 0);
    bool IsFading() const { return m_fFadeSpeed != 0.0f; }
    // While set (the default), an active alpha track sets the sprite's alpha on each update.
    void SetAlphaTrackEnabled(bool enabled) { m_bAlphaTrack = enabled; }
    bool IsAlphaTrackEnabled() const { return m_bAlphaTrack; }
    // A colour for the whole animation; its alpha becomes the animation's alpha, and its red,
    // green and blue stay under later alpha changes (tracks, fades).
    void SetAnimationColor(uint32_t argb);
    uint32_t GetAnimationColor() const
    {
        return static_cast<uint32_t>(m_nAnimAlpha) << 24 | m_dwRGB;
    }

    CX2DSound& GetSound() { return m_Sound; }
    // Null without a core, or when a plain sprite core was put in through the sprite's creators.
    CXAnimationCore* GetAnimationCore() const { return dynamic_cast<CXAnimationCore*>(m_pCore); }
    uint32_t GetChildCount() const { return static_cast<uint32_t>(m_Children.size()); }
    CX2DAnimationANFInfo* GetChild(uint32_t i) const
    {
        return i < m_Children.size() ? m_Children[i].get() : nullptr;
    }

    // Frame grid: the first frame's source rectangle.
    float m_fFrameX = 0.0f;
    float m_fFrameY = 0.0f;
    float m_fFrameW = 0.0f;
    float m_fFrameH = 0.0f;
    std::vector<std::unique_ptr<CX2DTexture>> m_TexList;  // one per frame with TEX_LIST
    int m_nAppliedFrame = -1;
    int m_nAnimAlpha = 255;
    int32_t m_nLoopCount = 0;  // 0: as the core's mode says
    int32_t m_nPlays = 1;      // plays done
    float m_fPlayTime = 0.0f;  // seconds, 0 = none
    float m_fPlayTimeLeft = 0.0f;
    CX2DSound m_Sound;
    CX2DAnimationTrack m_Tracks[TRACK_COUNT];
    std::vector<std::unique_ptr<CX2DAnimationANFInfo>> m_Children;
    float m_fAlphaValue = 255.0f;  // driven by the alpha track

private:
    void Reset();
    bool BuildFromConfig(CXFileConfig& config, const char* file);
    // One texture per frame from the TEX_LIST pattern (a frame that fails to load stays empty),
    // each keyed by the colour key; the first frame's texture, null when missing or the pattern
    // or count is refused.
    const CX2DTexture* LoadFrameList(CXFileConfig& config, const char* file,
                                     std::optional<uint32_t> colorKey);
    // The TEX texture, owned as the sprite's; null when it cannot be read.
    const CX2DTexture* LoadSingleTexture(CXFileConfig& config, const char* file);
    // The animation core over the first texture, its frame grid from X, Y, W, H (W and H default
    // to the texture's size), COUNT and FPS; null when it cannot be made.
    CXAnimationCore* CreateCore(CXFileConfig& config, const CX2DTexture& first);
    // Alpha, blend, hot spot (default the frame's middle), render position and play limits.
    void ApplyDisplaySettings(CXFileConfig& config, CXAnimationCore& core);
    // The four key tracks from their <prefix>_SPEED, _LOOP_MODE, _LOOP_COUNT and _POINT keys.
    void LoadTracks(CXFileConfig& config);
    // The ANF_<n> children in index order, up to the load's animation limit.
    void LoadChildren(CXFileConfig& config, const char* file);
    // One child from absolute,x,y,file[,key]; skipped without a file or when already loading.
    void LoadChild(const std::vector<std::string>& fields);
    void ApplyAlpha(int alpha);
    void ApplyTrackValues();
    void ApplyListFrame(int frame);

    bool m_bAlphaTrack = true;
    uint32_t m_dwRGB = 0xFFFFFF;
};
