#pragma once
// The engine object games keep for a distortion mesh: one grid, or none before Create.

#include <cstdint>

#include "CXDistortionGrid.h"
#include "CXMemoryPoolTmpl.h"

class CX2DDistortionMesh {
public:
    CX_DECLARE_MEMORY_POOL(CX2DDistortionMesh)

    CX2DDistortionMesh() = default;
    ~CX2DDistortionMesh();
    CX2DDistortionMesh(const CX2DDistortionMesh&) = delete;
    CX2DDistortionMesh& operator=(const CX2DDistortionMesh&) = delete;

    // Replaces the grid; null (and no grid) below 2 columns or rows or when it cannot be made.
    CXDistortionGrid* Create(int columns, int rows);

    // Every operation below does nothing without a grid. The texture is borrowed.
    void SetTexture(HTEXTURE texture);
    void SetTextureRect(float x, float y, float w, float h);
    void SetColor(int column, int row, uint32_t argb);
    void SetDisplacement(int column, int row, float dx, float dy, int reference);
    void Render(float x, float y);

    CXDistortionGrid* GetGrid() const { return m_pGrid; }

private:
    CXDistortionGrid* m_pGrid = nullptr;  // owned
};
