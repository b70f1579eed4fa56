#include "CUIFrames.h"

CUIFrames::~CUIFrames()
{
    for (CUITexture* image : m_Frames)
        delete image;
}

int CUIFrames::Add(CUITexture* image)
{
    m_Frames.push_back(image);
    return GetCount() - 1;
}

CUITexture* CUIFrames::Get(int index) const
{
    return index >= 0 && index < GetCount() ? m_Frames[static_cast<size_t>(index)] : nullptr;
}

int32_t CUIFrames::GetWidth(int index) const
{
    const CUITexture* image = Get(index);
    return image ? image->GetWidth() : 0;
}

int32_t CUIFrames::GetHeight(int index) const
{
    const CUITexture* image = Get(index);
    return image ? image->GetHeight() : 0;
}

void CUIFrames::Draw(int index, float x, float y, float scale, uint32_t colour) const
{
    if (const CUITexture* image = Get(index))
        image->Draw(x, y, scale, colour);
}
