#pragma once
// A texture rectangle drawn through a grid of columns x rows nodes whose positions and colours can
// be moved one by one, cell by cell through the device's quad batch.

#include <cstdint>
#include <vector>

#include "CXGfxTypes.h"

class CXDistortionGrid {
public:
    // Displacement references.
    enum { REF_NODE = 0, REF_TOPLEFT = 1, REF_CENTER = 2 };

    // Needs at least 2 columns and 2 rows (see IsValidSize).
    CXDistortionGrid(int columns, int rows);
    static bool IsValidSize(int columns, int rows)
    {
        return columns >= 2 && rows >= 2 && columns <= 1024 && rows <= 1024;
    }

    void SetTexture(HTEXTURE texture);
    // Lays the nodes out on the regular grid over the rectangle; earlier displacements are lost.
    void SetTextureRect(float x, float y, float w, float h);
    // Nodes outside the grid are ignored.
    void SetColor(int column, int row, uint32_t argb);
    void SetDisplacement(int column, int row, float dx, float dy, int reference);
    void Render(float x, float y);

    int GetColumns() const { return m_nColumns; }
    int GetRows() const { return m_nRows; }
    const CXVertex& GetNode(int column, int row) const { return m_Nodes[Index(column, row)]; }
    HTEXTURE GetTexture() const { return m_Quad.tex; }

    uint32_t m_dwBlend = BLEND_ALPHABLEND | BLEND_ZWRITE;

private:
    bool Contains(int column, int row) const
    {
        return column >= 0 && column < m_nColumns && row >= 0 && row < m_nRows;
    }
    size_t Index(int column, int row) const
    {
        return static_cast<size_t>(column + row * m_nColumns);
    }

    int m_nColumns;
    int m_nRows;
    float m_fCellW = 0.0f;
    float m_fCellH = 0.0f;
    float m_fTx = 0.0f, m_fTy = 0.0f, m_fWidth = 0.0f, m_fHeight = 0.0f;
    std::vector<CXVertex> m_Nodes;  // row-major
    CXQuad m_Quad{};                // reused for every cell; holds the texture
};
