#pragma once
// One key track of an animation (position, scale, rotation or alpha): a list of 2D keys, each with
// a delay before the move that follows and a speed, walked from key to key at that speed.

#include <cstdint>
#include <vector>

struct CX2D_POINT_tag {
    float x = 0.0f;
    float y = 0.0f;
};

class CX2DAnimationTrack {
public:
    // Reads "a:b:delay:speed,..." (nValues 2) or "a:delay:speed,..." (nValues 1; y stays 0).
    // Delays are milliseconds; the values and key speeds are multiplied by fScale (0.01 for the
    // percent values of the scale track). A key speed of 0 means the default speed. Missing fields
    // read as 0; an empty text gives no keys.
    void ParseKeys(const char* pszKeys, int nValues, float fScale);
    void Clear();

    bool HasKeys() const { return !m_Keys.empty(); }
    // Starts at key 0, heading for key 1 after key 0's delay. Nothing without keys.
    void Start();
    void Stop();
    // Moves toward the target key once the delay has run out; on reaching it, the next key's
    // delay and speed apply. Nothing while inactive.
    void Update(float dt);

    uint32_t m_dwLoopMode = 0;       // nonzero: repeat for ever
    float m_fDefaultSpeed = 100.0f;  // units per second
    int32_t m_nLoopCount = 0;        // passes to run while the loop mode is 0
    std::vector<CX2D_POINT_tag> m_Keys;
    std::vector<float> m_Delays;  // seconds
    std::vector<float> m_Speeds;  // units per second, 0 = default

    bool m_bActive = false;
    int m_nKey = 0;  // index of the key being headed for
    int m_nPasses = 0;
    float m_fDelayLeft = 0.0f;
    float m_fSpeed = 0.0f;
    CX2D_POINT_tag m_Velocity;
    CX2D_POINT_tag m_Value;  // the transform value the track drives

private:
    float SpeedOf(int key) const;
    void AimAt(int from, int to);
};
