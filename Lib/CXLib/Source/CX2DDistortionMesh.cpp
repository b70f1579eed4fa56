#include "CX2DDistortionMesh.h"

#include <new>

CX2DDistortionMesh::~CX2DDistortionMesh()
{
    delete m_pGrid;
}

CXDistortionGrid* CX2DDistortionMesh::Create(int columns, int rows)
{
    delete m_pGrid;
    m_pGrid = nullptr;
    // Fewer than 2 nodes a side would leave no cell and divide by zero when the rectangle is set.
    if (!CXDistortionGrid::IsValidSize(columns, rows))
        return nullptr;
    m_pGrid = new (std::nothrow) CXDistortionGrid(columns, rows);
    return m_pGrid;
}

void CX2DDistortionMesh::SetTexture(HTEXTURE texture)
{
    if (m_pGrid)
        m_pGrid->SetTexture(texture);
}

void CX2DDistortionMesh::SetTextureRect(float x, float y, float w, float h)
{
    if (m_pGrid)
        m_pGrid->SetTextureRect(x, y, w, h);
}

void CX2DDistortionMesh::SetColor(int column, int row, uint32_t argb)
{
    if (m_pGrid)
        m_pGrid->SetColor(column, row, argb);
}

void CX2DDistortionMesh::SetDisplacement(int column, int row, float dx, float dy, int reference)
{
    if (m_pGrid)
        m_pGrid->SetDisplacement(column, row, dx, dy, reference);
}

void CX2DDistortionMesh::Render(float x, float y)
{
    if (m_pGrid)
        m_pGrid->Render(x, y);
}
