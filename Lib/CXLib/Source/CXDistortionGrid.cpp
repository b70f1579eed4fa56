#include "CXDistortionGrid.h"

#include "CXGfxDevice.h"

CXDistortionGrid::CXDistortionGrid(int columns, int rows)
    : m_nColumns(columns), m_nRows(rows),
      m_Nodes(static_cast<size_t>(columns) * static_cast<size_t>(rows))
{
    for (CXVertex& node : m_Nodes) {
        node = CXVertex{};
        node.z = 0.5f;
        node.color = 0xFFFFFFFF;
    }
}

void CXDistortionGrid::SetTexture(HTEXTURE texture)
{
    m_Quad.tex = texture;
}

void CXDistortionGrid::SetTextureRect(float x, float y, float w, float h)
{
    m_fTx = x, m_fTy = y, m_fWidth = w, m_fHeight = h;
    float texW = w, texH = h;
    if (m_Quad.tex && g_pGfxDevice) {
        texW = static_cast<float>(g_pGfxDevice->Texture_GetWidth(m_Quad.tex, false));
        texH = static_cast<float>(g_pGfxDevice->Texture_GetHeight(m_Quad.tex, false));
    }
    // A zero-sized rectangle without a texture maps every node to the origin of the texture.
    if (texW == 0.0f)
        texW = 1.0f;
    if (texH == 0.0f)
        texH = 1.0f;
    m_fCellW = w / static_cast<float>(m_nColumns - 1);
    m_fCellH = h / static_cast<float>(m_nRows - 1);
    for (int r = 0; r < m_nRows; ++r)
        for (int c = 0; c < m_nColumns; ++c) {
            CXVertex& node = m_Nodes[Index(c, r)];
            node.x = static_cast<float>(c) * m_fCellW;
            node.y = static_cast<float>(r) * m_fCellH;
            node.u = (node.x + x) / texW;
            node.v = (node.y + y) / texH;
        }
}

void CXDistortionGrid::SetColor(int column, int row, uint32_t argb)
{
    if (Contains(column, row))
        m_Nodes[Index(column, row)].color = argb;
}

void CXDistortionGrid::SetDisplacement(int column, int row, float dx, float dy, int reference)
{
    if (!Contains(column, row))
        return;
    CXVertex& node = m_Nodes[Index(column, row)];
    switch (reference) {
    case REF_NODE:
        node.x = static_cast<float>(column) * m_fCellW + dx;
        node.y = static_cast<float>(row) * m_fCellH + dy;
        break;
    case REF_CENTER:
        node.x = static_cast<float>(m_nColumns - 1) * m_fCellW * 0.5f + dx;
        node.y = static_cast<float>(m_nRows - 1) * m_fCellH * 0.5f + dy;
        break;
    default:
        node.x = dx;
        node.y = dy;
        break;
    }
}

void CXDistortionGrid::Render(float x, float y)
{
    if (!g_pGfxDevice)
        return;
    m_Quad.blend = m_dwBlend;
    for (int r = 0; r < m_nRows - 1; ++r)
        for (int c = 0; c < m_nColumns - 1; ++c) {
            m_Quad.v[0] = m_Nodes[Index(c, r)];
            m_Quad.v[1] = m_Nodes[Index(c + 1, r)];
            m_Quad.v[2] = m_Nodes[Index(c + 1, r + 1)];
            m_Quad.v[3] = m_Nodes[Index(c, r + 1)];
            for (CXVertex& v : m_Quad.v) {
                v.x += x;
                v.y += y;
            }
            g_pGfxDevice->Gfx_RenderQuad(m_Quad);
        }
}
