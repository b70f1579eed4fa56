#include "CXDrawITEM.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "CX2DEngine.h"
#include "CXDrawConfig.h"

namespace {

constexpr const char* kFolder = "/image/item";
constexpr const char* kFile = "/image/item/item.cfg";
// The kinds the belt cycles through; only 1..7 make cells.
constexpr int32_t kBeltSequence[20] = {1, 2, 1, 4, 1, 3, 1, 5, 1, 2, 1, 4, 1, 2, 1, 6, 1, 2, 1, 4};

}  // namespace

void CXDrawItemInfo::Load(CXDrawConfig& config, const char* folder)
{
    auto load = [&](CX2DAnimation& animation, const std::string& name) {
        if (!name.empty())
            animation.Load(CXJoinPath(folder, name.c_str()).c_str());
    };
    load(m_Effect, config.Text("ITEM_EFFECT_ANF"));
    load(m_Effect2, config.Text("ITEM_EFFECT_ANF2"));
    const std::string particle = config.Text("ITEM_EFFECT_PTF");
    if (!particle.empty())
        m_Particle.Load(CXJoinPath(folder, particle.c_str()).c_str());
    const int32_t count = config.Count("ITEM_COUNT");
    char key[32];
    for (int32_t i = 0; i < count; ++i) {
        std::snprintf(key, sizeof key, "ITEM_%d", i);
        if (config.Fields(key) < 1)
            continue;
        auto* picture = new CXDrawItemObjectInfo;
        if (!picture)
            continue;
        picture->m_bAlwaysAnimate = CXToInt32(static_cast<double>(config.FieldInteger(1)));
        load(picture->m_Picture, config.FieldText(2));
        picture->m_Picture.Play(true);
        load(picture->m_Hit, config.FieldText(3));
        m_Pictures.SetAt(static_cast<uint32_t>(i), picture);
    }
}

void CXDrawItemInfo::Update(float dt)
{
    m_Effect.Update(dt);
    m_Effect2.Update(dt);
    m_Particle.Update(dt);
    for (uint32_t i = 0; i < m_Pictures.GetSize(); ++i)
        if (CXDrawItemObjectInfo* picture = m_Pictures.GetAt(i)) {
            picture->m_Picture.Update(dt);
            picture->m_Hit.Update(dt);
        }
}

void CXDrawITEM::Init()
{
    CXDrawConfig config;
    if (!config.Load(kFile))
        return;
    config.FloatIf("SPEED", m_fSpeed);
    m_fY = config.Float("Y_POS");
    m_fWidth = static_cast<float>(CXToInt32(static_cast<double>(config.Integer("W"))));
    m_fHeight = static_cast<float>(CXToInt32(static_cast<double>(config.Integer("H"))));
    char key[32];
    for (uint32_t i = 0; i < kKinds; ++i) {
        std::snprintf(key, sizeof key, "ITEM_%u", i);
        const std::string name = config.Text(key);
        if (name.empty())
            continue;
        const std::string path = CXJoinPath(kFolder, name.c_str());
        CXDrawConfig kindFile;
        if (!kindFile.Load(path.c_str()))
            continue;
        auto* kind = new CXDrawItemInfo;
        if (!kind)
            continue;
        kind->Load(kindFile, path.substr(0, path.rfind('/')).c_str());
        m_Kinds.SetAt(i, kind);
    }
    const std::string font = config.Text("SMALL_PRIZE_FONT");
    if (!font.empty())
        m_NumberFont.Load(font.c_str());
    m_fNumberScale = config.Float("SMALL_PRIZE_FONT_SIZE");

    m_nBeltPosition = 0;
    m_Belt.RemoveAll();
    m_Sequence.assign(std::begin(kBeltSequence), std::end(kBeltSequence));
    for (const int32_t kind : m_Sequence)
        if (kind >= 1 && kind <= 7)
            AddCell(kind);
    if (m_Belt.m_pHead && m_Belt.m_pHead->m_pData && m_Belt.m_pHead->m_pData->m_pPicture) {
        const CX2DAnimation& picture = m_Belt.m_pHead->m_pData->m_pPicture->m_Picture;
        if (!(m_fWidth > 0.0f))
            m_fWidth = picture.GetWidth();
        if (!(m_fHeight > 0.0f))
            m_fHeight = picture.GetHeight();
    }
    m_fOffset = 0.0f;
}

void CXDrawITEM::AddCell(int32_t kind)
{
    auto* cell = new CXDrawItemBeltInfo;
    if (!cell)
        return;
    if (!FillCell(*cell, kind)) {
        delete cell;
        return;
    }
    m_Belt.AddTail(cell);
}

bool CXDrawITEM::FillCell(CXDrawItemBeltInfo& cell, int32_t kind)
{
    CXDrawItemInfo* info = kind >= 0 ? m_Kinds.GetAt(static_cast<uint32_t>(kind)) : nullptr;
    if (!info)
        return false;
    const int32_t pictures = static_cast<int32_t>(info->m_Pictures.GetSize());
    if (pictures <= 0)
        return false;
    const int32_t index = RandomRange(int32_t{0}, pictures - 1);
    CXDrawItemObjectInfo* picture = info->m_Pictures.GetAt(static_cast<uint32_t>(index));
    if (!picture)
        return false;
    cell.m_bAnimate = picture->m_bAlwaysAnimate ? 1 : RandomRange(int32_t{1}, int32_t{100}) > 50;
    cell.m_bHit = 0;
    cell.m_nNumber = kind == kNumberKind ? kNumberValue : 0;
    cell.m_nKind = kind;
    cell.m_nPicture = index;
    cell.m_pKind = info;
    cell.m_pPicture = picture;
    return true;
}

void CXDrawITEM::Update(float dt)
{
    for (uint32_t i = 0; i < m_Kinds.GetSize(); ++i)
        if (CXDrawItemInfo* kind = m_Kinds.GetAt(i))
            kind->Update(dt);
    m_fOffset += CXAdvance(1.0f, m_fSpeed, dt);
    if (m_fOffset <= m_fWidth)
        return;
    m_fOffset = 0.0f;
    if (m_Sequence.empty()) {
        if (m_Belt.m_pHead)
            m_Belt.DelList(m_Belt.m_pHead);
        return;
    }
    if (m_nBeltPosition < 0 || static_cast<size_t>(m_nBeltPosition) >= m_Sequence.size())
        m_nBeltPosition = 0;
    const int32_t kind = m_Sequence[static_cast<size_t>(m_nBeltPosition)];
    if (static_cast<size_t>(++m_nBeltPosition) >= m_Sequence.size())
        m_nBeltPosition = 0;
    if (!m_Belt.m_pHead) {
        AddCell(kind);
        return;
    }
    // The cell that left on the left comes back on the right with the next kind: the cells move
    // one place along the list, so the belt turns without making or freeing anything.
    CXDrawItemBeltInfo* recycled = m_Belt.m_pHead->m_pData;
    for (auto* element = m_Belt.m_pHead; element->m_pNext; element = element->m_pNext)
        element->m_pData = element->m_pNext->m_pData;
    m_Belt.m_pTail->m_pData = recycled;
    if (!recycled || !FillCell(*recycled, kind))
        m_Belt.DelList(m_Belt.m_pTail);
}

void CXDrawITEM::Draw()
{
    float x = -m_fOffset;
    for (auto* element = m_Belt.m_pHead; element; element = element->m_pNext) {
        CXDrawItemBeltInfo* cell = element->m_pData;
        if (!cell || !cell->m_pPicture)
            continue;
        CX2DAnimation& picture = cell->m_pPicture->m_Picture;
        const float width = picture.GetWidth(), height = picture.GetHeight();
        const float left = std::trunc(x + (m_fWidth - width) / 2.0f);
        const float top = m_fY + m_fHeight - height;
        if (cell->m_bHit) {
            CX2DAnimation& hit = cell->m_pPicture->m_Hit;
            hit.Render(left, top);
            if (!hit.IsPlaying())
                cell->m_bHit = 0;
        } else if (cell->m_bAnimate) {
            if (!picture.IsPlaying())
                picture.Play(false);
            picture.Render(left, top);
        } else {
            const int shown = picture.GetFrame();
            picture.SetFrame(0);
            picture.Render(left, top);
            picture.SetFrame(shown);
        }
        if (cell->m_nKind == kNumberKind)
            DrawNumber(cell->m_nNumber, left, top - 50.0f, width, height);
        x += m_fWidth;
        if (x > kFieldWidth)
            break;
    }
}

void CXDrawITEM::DrawNumber(int32_t number, float left, float top, float width, float height)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", number);
    const int shown = m_NumberFont.GetFrame();
    float total = 0.0f;
    for (const char* p = text; *p; ++p)
        if (*p >= '0' && *p <= '9') {
            m_NumberFont.SetFrame(*p - '0');
            total += m_NumberFont.GetWidth() * m_fNumberScale;
        }
    float x = std::trunc(left + (width - total) / 2.0f - 12.0f);
    const float y = std::trunc(top + height - m_NumberFont.GetHeight() * m_fNumberScale - 20.0f);
    for (const char* p = text; *p; ++p) {
        if (*p < '0' || *p > '9')
            continue;
        m_NumberFont.SetFrame(*p - '0');
        m_NumberFont.RenderEx(std::trunc(x), y, 0.0f, m_fNumberScale, m_fNumberScale);
        x += m_NumberFont.GetWidth() * m_fNumberScale;
    }
    m_NumberFont.SetFrame(shown);
}
