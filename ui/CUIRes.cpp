#include "CUIRes.h"

#include "CXGfxDevice.h"
#include "CXLog.h"
#include "platform/message_box.h"

CUIRes* g_pUIRes = nullptr;

namespace {

// What an empty slot reads as: no images.
CUIFrames g_EmptyFrames;

bool IsSlot(int slot)
{
    return slot >= 0 && slot < UIRES_SLOT_COUNT;
}

}  // namespace

CUIRes::CUIRes(const char* folder) : m_strFolder(folder ? folder : UIRES_FOLDER)
{
    g_pUIRes = this;
}

CUIRes::~CUIRes()
{
    for (CUIFrames*& frames : m_pSlots) {
        delete frames;
        frames = nullptr;
    }
    m_Failed.clear();
    if (g_pUIRes == this)
        g_pUIRes = nullptr;
}

CUITexture* CUIRes::LoadTexture(const char* file, const char* set)
{
    if (!file)
        return nullptr;
    const std::string path = UIResPath(m_strFolder.c_str(), set, file);
    HTEXTURE texture = g_pGfxDevice ? g_pGfxDevice->Texture_Load(path.c_str()) : nullptr;
    if (!texture) {
        m_Failed.push_back(path);
        return nullptr;
    }
    return new CUITexture(texture);
}

bool CUIRes::AddButton(int slot, const char* normal, const char* pressed, const char* highlighted,
                       const char* disabled, const char* set)
{
    auto* frames = new CUIFrames;
    for (const char* name : {normal, pressed, highlighted, disabled})
        frames->Add(LoadTexture(name, set));
    if (!frames->Get(0) || !IsSlot(slot)) {
        delete frames;
        return false;
    }
    if (m_pSlots[slot])
        delete frames;  // an occupied slot keeps its frames
    else
        m_pSlots[slot] = frames;
    return true;
}

int CUIRes::AddFrame(int slot, const char* file, const char* set)
{
    if (!IsSlot(slot))
        return -1;
    CUITexture* image = LoadTexture(file, set);
    if (!image)
        return -1;
    if (!m_pSlots[slot])
        m_pSlots[slot] = new CUIFrames;
    return m_pSlots[slot]->Add(image);
}

bool CUIRes::LoadAll()
{
    m_Failed.clear();
    std::vector<std::string> numbered;
    for (const UIResRow& row : g_UIResTable) {
        const std::vector<const char*> names = UIResRowNames(row, numbered);
        if (row.kind == UIResKind::Button)
            AddButton(row.slot, names[0], names[1], names[2], names[3], row.set);
        else
            for (const char* name : names)
                AddFrame(row.slot, name, row.set);
    }
    if (!m_Failed.empty()) {
        for (const std::string& path : m_Failed)
            CX_LOG_ERROR("CUIRes::LoadAll", "image load fail: %s", path.c_str());
        platform::MessageBox(g_pGfxDevice ? g_pGfxDevice->GetWindow() : nullptr,
                             "리소스 읽기에 실패하였습니다.\n프로그램을 종료합니다", "Error",
                             MB_OK);
        platform::PostQuitMessage(-1);
    }
    return true;
}

std::vector<std::string> CUIRes::ImagePaths() const
{
    std::vector<std::string> paths;
    std::vector<std::string> numbered;
    for (const UIResRow& row : g_UIResTable)
        for (const char* name : UIResRowNames(row, numbered))
            if (name)
                paths.push_back(UIResPath(m_strFolder.c_str(), row.set, name));
    return paths;
}

CUIFrames* CUIRes::GetFrames(int slot) const
{
    return IsSlot(slot) && m_pSlots[slot] ? m_pSlots[slot] : &g_EmptyFrames;
}

CUITexture* CUIRes::GetFrame(int slot, int index) const
{
    return GetFrames(slot)->Get(index);
}

bool CUIRes::IsEmpty(int slot) const
{
    return !IsSlot(slot) || !m_pSlots[slot];
}
