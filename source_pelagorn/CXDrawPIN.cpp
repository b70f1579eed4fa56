#include "CXDrawPIN.h"

#include <cstdio>
#include <string>

#include "CXDrawConfig.h"
#include "CXLog.h"

namespace {

constexpr const char* kFolder = "/image/interface/pin";
constexpr const char* kFile = "/image/interface/pin/pin.cfg";

}  // namespace

void CXDrawPIN::Init()
{
    CXDrawConfig config;
    if (!config.Load(kFile))
        return;
    const std::string pattern = CXJoinPath(kFolder, config.Text("PIN_ANF").c_str());
    const int32_t count = config.Count("PIN_COUNT");
    m_nRadius = CXToInt32(static_cast<double>(config.Integer("PIN_RADIUS")));
    m_Pins.RemoveAll();
    if (!CXIsIntegerFormat(pattern.c_str())) {
        CX_LOG_ERROR("CXDrawPIN::Init", "PIN_ANF needs one integer conversion. [%s]",
                     pattern.c_str());
        return;
    }
    char key[32], name[1024];
    for (int32_t i = 0; i < count; ++i) {
        std::snprintf(key, sizeof key, "PIN_%d", i);
        CXString text(config.Text(key).c_str());
        CXStringParser fields;
        fields.SetSourceText(text.GetString());
        fields.Parse(',');
        auto* pin = new CXDrawPINObjectInfo;
        if (!pin)
            continue;
        pin->m_nX = CXToInt32(static_cast<double>(fields.GetValueByNumber(2).ToInteger()));
        pin->m_nY = CXToInt32(static_cast<double>(fields.GetValueByNumber(3).ToInteger()));
        std::snprintf(name, sizeof name, pattern.c_str(),
                      CXToInt32(static_cast<double>(fields.GetValueByNumber(1).ToInteger())));
        CX2DAnimation& animation = pin->m_Animation;
        if (!animation.Load(name) || !animation.GetCore() || !m_Pins.AddTail(pin)) {
            delete pin;
            continue;
        }
        animation.SetHotSpot(animation.GetWidth() / 2.0f, animation.GetHeight() / 2.0f);
        animation.SetMode(0);
        animation.SetFrame(0);
        animation.Stop();
    }
}

void CXDrawPIN::Update(float dt)
{
    for (auto* element = m_Pins.m_pHead; element; element = element->m_pNext)
        if (element->m_pData)
            element->m_pData->m_Animation.Update(dt);
}

void CXDrawPIN::Draw()
{
    for (auto* element = m_Pins.m_pHead; element; element = element->m_pNext)
        if (CXDrawPINObjectInfo* pin = element->m_pData)
            pin->m_Animation.Render(static_cast<float>(pin->m_nX), static_cast<float>(pin->m_nY));
}
