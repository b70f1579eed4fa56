#pragma once
// The item belt: a row of cells sliding left at a steady speed, each showing one item (a picture
// of one of the item kinds). When the leading cell has slid out by one cell width it leaves and a
// cell of the next kind of a fixed 20-kind sequence is added at the far end. The game scene finds
// the cell a falling coin hits and sets its hit flag; the belt then plays that cell's hit
// animation once. Read from "/image/item/item.cfg" and the kind files it names.

#include <cstdint>
#include <vector>

#include "CX2DAnimation.h"
#include "CX2DParticle.h"
#include "CXArrayTmpl.h"
#include "CXDrawObject.h"
#include "CXListTmpl.h"

class CXDrawConfig;

// One picture of an item kind.
class CXDrawItemObjectInfo {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawItemObjectInfo)

    CXDrawItemObjectInfo() = default;
    virtual ~CXDrawItemObjectInfo() = default;
    CXDrawItemObjectInfo(const CXDrawItemObjectInfo&) = delete;
    CXDrawItemObjectInfo& operator=(const CXDrawItemObjectInfo&) = delete;

    int32_t m_bAlwaysAnimate = 0;
    CX2DAnimation m_Picture;  // plays from load
    CX2DAnimation m_Hit;
};

// One item kind.
class CXDrawItemInfo {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawItemInfo)

    CXDrawItemInfo() = default;
    virtual ~CXDrawItemInfo() = default;
    CXDrawItemInfo(const CXDrawItemInfo&) = delete;
    CXDrawItemInfo& operator=(const CXDrawItemInfo&) = delete;

    // Reads the kind's file; its files are named relative to the kind's folder.
    void Load(CXDrawConfig& config, const char* folder);
    void Update(float dt);

    CX2DAnimation m_Effect;
    CX2DAnimation m_Effect2;
    CX2DParticle m_Particle;
    CXArrayTmpl<CXDrawItemObjectInfo> m_Pictures;
};

// One cell of the belt.
class CXDrawItemBeltInfo {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawItemBeltInfo)

    CXDrawItemBeltInfo() = default;
    virtual ~CXDrawItemBeltInfo() = default;

    int32_t m_bAnimate = 0;
    int32_t m_bHit = 0;     // set by the game scene when a coin hits the cell
    int32_t m_nNumber = 0;  // shown on cells of kind 3
    int32_t m_nKind = 0;
    int32_t m_nPicture = 0;
    CXDrawItemInfo* m_pKind = nullptr;           // not owned
    CXDrawItemObjectInfo* m_pPicture = nullptr;  // not owned
};

class CXDrawITEM : public CXDrawObject {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawITEM)

    static constexpr uint32_t kKinds = 8;
    // The kind that shows a number, and the number it shows.
    static constexpr int32_t kNumberKind = 3;
    static constexpr int32_t kNumberValue = 100;
    static constexpr float kFieldWidth = 768.0f;

    // The owner is written before Init, as for every display object.
    CXDrawITEM() = default;
    ~CXDrawITEM() override = default;

    void Init() override;
    void Update(float dt) override;
    void Draw() override;

    // Appends a cell of the kind with one of its pictures; nothing for a kind without pictures.
    void AddCell(int32_t kind);
    // Gives the cell the kind and one of its pictures; false for a kind without pictures.
    bool FillCell(CXDrawItemBeltInfo& cell, int32_t kind);

    float m_fWidth = 0.0f;        // cell width
    float m_fHeight = 0.0f;       // cell height
    float m_fOffset = 0.0f;       // slid since the last cell left, pixels
    float m_fY = 0.0f;            // top of the cells
    int32_t m_nBeltPosition = 0;  // next kind of the sequence to add
    std::vector<int32_t> m_Sequence;
    CXArrayTmpl<CXDrawItemInfo> m_Kinds;
    CXListTmpl<CXDrawItemBeltInfo> m_Belt;  // first = leftmost
    CX2DAnimation m_NumberFont;             // frames 0..9 are the digits
    float m_fNumberScale = 0.0f;

private:
    void DrawNumber(int32_t number, float left, float top, float width, float height);
};
