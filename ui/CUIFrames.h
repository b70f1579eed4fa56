#pragma once
// An ordered set of UI images: the four states of a button (normal, pressed, highlighted,
// disabled; a missing one is null) or the frames of an animation. It owns its images. Readers
// ask by index; an index outside the set, or a null entry, is no image: it sizes to 0 and draws
// nothing.

#include <cstdint>
#include <vector>

#include "CUITexture.h"

class CUIFrames {
public:
    CUIFrames() = default;
    virtual ~CUIFrames();
    CUIFrames(const CUIFrames&) = delete;
    CUIFrames& operator=(const CUIFrames&) = delete;

    // Takes ownership of the image (null keeps an empty place); returns the new entry's index.
    int Add(CUITexture* image);

    int GetCount() const { return static_cast<int>(m_Frames.size()); }
    // Null outside the set or for an empty place.
    CUITexture* Get(int index) const;
    int32_t GetWidth(int index) const;
    int32_t GetHeight(int index) const;
    void Draw(int index, float x, float y, float scale = 1.0f, uint32_t colour = 0xFFFFFFFF) const;

private:
    std::vector<CUITexture*> m_Frames;  // owned
};
