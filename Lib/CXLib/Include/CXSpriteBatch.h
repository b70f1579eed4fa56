#pragma once
// The sprite batch: textured rectangles queued between Begin and End (or Flush) and then handed, in
// the order they were queued, to the device's quad batch as sprite-path runs (clamp, linear, the
// sprite alpha test); the quad batch draws them with its next flush. Text (CXFont) draws through it
// too. One belongs to the device; it is begun at most once per scene and ended before the scene
// ends.

#include <cstdint>
#include <vector>

#include "CXGfxTypes.h"

class CXGfxDevice;

// Begin flag: alpha blending (the only mode the system uses; without it sprites still blend).
constexpr uint32_t CXSPRITE_ALPHABLEND = 16;

// Source rectangle of DrawPlain: left, top, right, bottom in texture pixels.
struct CXSpriteRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

class CXSpriteBatch {
public:
    CXSpriteBatch() = default;
    virtual ~CXSpriteBatch() { Release(); }
    CXSpriteBatch(const CXSpriteBatch&) = delete;
    CXSpriteBatch& operator=(const CXSpriteBatch&) = delete;

    bool Create(CXGfxDevice* device);
    void Release();

    // False when the device is not ready or drawing is disabled; true at once when already begun
    // with the same flags (begun with other flags, what is queued is drawn first).
    bool Begin(uint32_t flags);
    // Draws what is queued and restores the unscaled transform. True when not begun.
    bool End();
    // Draws what is queued and stays begun.
    void Flush();

    // Queues the source rectangle, moved so that (centreX, centreY) is its origin, transformed by
    // the batch transform x scaling x rotation (radians) x translation to (x, y) times the batch
    // scale. False when the device is not ready, drawing is disabled or the batch is not begun.
    bool Draw(HTEXTURE texture, float x, float y, float srcX, float srcY, float srcW, float srcH,
              float hscale, float vscale, float rotation, float centreX, float centreY,
              uint32_t colour);
    // The source rectangle (null: the whole texture) at (x, y) under the batch transform.
    bool DrawPlain(HTEXTURE texture, float x, float y, const CXSpriteRect* sourceRect,
                   uint32_t colour);
    // What Begin(CXSPRITE_ALPHABLEND), DrawPlain of the whole texture and End would draw, for a
    // batch that is not begun, without opening it: the quad goes to the quad batch at once.
    bool DrawPlainUnbegun(HTEXTURE texture, float x, float y, uint32_t colour);
    // Whether Begin would succeed: the device is ready, drawing is enabled, a scene is open.
    bool CanBegin() const;

    // Scale applied to everything the next Begin draws.
    void SetScale(float x, float y);
    // Queued sprites of a lost device are dropped and the batch ends.
    void OnLostDevice();
    bool OnResetDevice();
    // A texture is about to go: queued sprites that use it are drawn now (in a scene, with
    // everything queued before them) or dropped.
    void OnTextureReleased(HTEXTURE texture);

    bool IsBegun() const { return m_bBegun; }
    uint32_t GetFlags() const { return m_dwFlags; }
    size_t GetQueuedCount() const { return m_Queue.size(); }

private:
    // 2D affine transform in row-vector form: (x, y) -> (x*a + y*c + tx, x*b + y*d + ty).
    struct Affine {
        float a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
        Affine Then(const Affine& next) const;
        void Apply(float x, float y, float* ox, float* oy) const;
    };
    struct Queued {
        HTEXTURE texture;
        CXVertex v[4];
    };

    bool CanDraw() const;
    // The rectangle (left, top)-(right, bottom) with the texture from (srcX, srcY), transformed.
    static Queued MakeQuad(HTEXTURE texture, float left, float top, float right, float bottom,
                           float srcX, float srcY, const Affine& transform, uint32_t colour);
    // The transform of a Begin: the current one times the batch scale.
    Affine BegunTransform() const;
    void DrawQueue();

    CXGfxDevice* m_pDevice = nullptr;
    bool m_bBegun = false;
    uint32_t m_dwFlags = 0;
    Affine m_Transform;       // the sprite transform while begun
    Affine m_SavedTransform;  // the unscaled transform, put back by End
    float m_fScaleX = 1.0f;
    float m_fScaleY = 1.0f;
    std::vector<Queued> m_Queue;
};

// The device's sprite batch, null while there is none. The device registers the batch it creates
// at start-up and clears it at shutdown.
CXSpriteBatch* EngineGetSpriteBatch();
void EngineSetSpriteBatch(CXSpriteBatch* batch);
