#include "CDXWnd.h"

#include <algorithm>
#include <optional>

#include "CDXEdit.h"
#include "CDXRadioButton.h"
#include "CUIFrames.h"

HWND g_hDXWnd = nullptr;
float g_fPointerScaleX = 1.0f;
float g_fPointerScaleY = 1.0f;
float g_fUIScaleX = 1.0f;
float g_fUIScaleY = 1.0f;
bool g_bDXLButtonDown = false;
POINT g_ptDXLastMouse;

CDXWnd::CDXWnd() = default;

CDXWnd::~CDXWnd()
{
    // A widget deleted on its own leaves its parent's list (a parent deleting its children has
    // already emptied it).
    if (m_pParent) {
        auto& siblings = m_pParent->m_Children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
        if (m_pParent->m_nCapture == m_nId)
            m_pParent->m_nCapture = -1;
    }
    DeleteChildren();
    m_pFrames = nullptr;
    m_pParent = nullptr;
}

bool CDXWnd::CreateWidget(int x, int y, int width, int height, int id, CDXWnd* parent, int drawMode,
                          int)
{
    if (id < 0)
        return false;
    m_nId = id;
    m_pParent = parent;
    if (parent && !parent->AddChild(this)) {
        m_pParent = nullptr;
        m_nId = -1;
        return false;
    }
    m_nDrawMode = drawMode;
    m_nX = x;
    m_nY = y;
    m_nWidth = width;
    m_nHeight = height;
    return true;
}

bool CDXWnd::Create(int id, int)
{
    RECT rc;
    if (!g_hDXWnd || !platform::GetClientRect(g_hDXWnd, &rc))
        rc = RECT{0, 0, 1920, 1080};
    return CreateWidget(0, 0, rc.right - rc.left, rc.bottom - rc.top, id, nullptr, 0, 255);
}

void CDXWnd::DeleteChildren()
{
    // Detached first, so a child's destructor never sees a half-emptied list.
    std::vector<CDXWnd*> children;
    children.swap(m_Children);
    m_nCapture = -1;
    for (CDXWnd* child : children)
        delete child;
}

void CDXWnd::Destroy()
{
    DeleteChildren();
    m_pFrames = nullptr;
    m_pParent = nullptr;
    m_nId = -1;
    m_nX = 0;
    m_nY = 0;
}

int CDXWnd::ForwardToChild(HWND, UINT msg, WPARAM wParam, LPARAM lParam, CDXWnd* edit)
{
    if (!edit || edit->m_nType != DXWND_EDIT)
        return -1;
    return static_cast<int>(static_cast<CDXEdit*>(edit)->OnEditMessage(msg, wParam, lParam));
}

int CDXWnd::DispatchMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!m_bVisible)
        return -1;
    switch (msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR: {
        CDXWnd* target = FindTopModal();
        if (!target)
            target = this;
        const int code = static_cast<int>(wParam);
        if (msg == WM_KEYDOWN)
            target->OnKeyDown(code);
        else if (msg == WM_KEYUP)
            target->OnKeyUp(code);
        else
            target->OnChar(code);
        return target->m_nId;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK: {
        g_ptDXLastMouse = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (msg == WM_LBUTTONDOWN)
            g_bDXLButtonDown = true;
        else if (msg == WM_LBUTTONUP)
            g_bDXLButtonDown = false;
        const int x = static_cast<int>(static_cast<float>(g_ptDXLastMouse.x) * g_fPointerScaleX);
        const int y = static_cast<int>(static_cast<float>(g_ptDXLastMouse.y) * g_fPointerScaleY);
        return DispatchMouse(x, y, msg, wParam);
    }
    case WM_MOUSEWHEEL: {
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (g_hDXWnd)
            platform::ScreenToClient(g_hDXWnd, &p);
        const int x = static_cast<int>(static_cast<float>(p.x) * g_fPointerScaleX);
        const int y = static_cast<int>(static_cast<float>(p.y) * g_fPointerScaleY);
        return DispatchMouse(x, y, msg, wParam);
    }
    default:
        break;
    }
    if (msg >= WM_DX_CLICK && msg <= WM_DX_SCREEN_MSG) {
        CDXWnd* target = FindById(HIWORD(wParam));
        if (!target)
            return -1;
        target->DispatchUserMessage(msg, wParam, LOWORD(wParam), lParam);
        return target->m_nId;
    }
    if (m_nType == DXWND_WINDOW) {
        for (size_t i = 0; i < m_Children.size(); ++i) {
            CDXWnd* child = m_Children[i];
            if (child->m_nType != DXWND_WINDOW)
                continue;
            const int r = child->DispatchMessage(msg, wParam, lParam);
            if (r >= 0)
                return r;
        }
    }
    return -1;
}

void CDXWnd::SetAlpha(float alpha)
{
    const float a = std::clamp(alpha, 0.0f, 1.0f);
    SetAlphaByte(static_cast<uint8_t>(a * 255.0f));
}

void CDXWnd::SetAlphaByte(uint8_t alpha)
{
    m_dwColour = (m_dwColour & 0x00FFFFFFu) | (uint32_t{alpha} << 24);
}

void CDXWnd::SetColour(uint32_t argb)
{
    m_dwColour = argb;
}

bool CDXWnd::IsFocused()
{
    if (!m_pParent)
        return false;
    CDXWnd* modal = GetTopLevel()->FindTopModal();
    return !modal || modal == m_pParent;
}

int CDXWnd::UpdateChildren(float seconds)
{
    for (size_t i = m_Children.size(); i-- > 0;)
        if (i < m_Children.size())
            m_Children[i]->Update(seconds);
    return 1;
}

int CDXWnd::OnUpdate(float)
{
    return 1;
}

int CDXWnd::Update(float seconds)
{
    if (m_bVisible)
        UpdateChildren(seconds);
    return OnUpdate(seconds);
}

void CDXWnd::DrawFrame()
{
    if (m_nDrawMode == 1 && m_pFrames)
        m_pFrames->Draw(m_nState, static_cast<float>(AbsoluteX()), static_cast<float>(AbsoluteY()),
                        1.0f, m_dwColour);
}

void CDXWnd::DrawChildren()
{
    for (CDXWnd* child : m_Children)
        child->Draw();
}

int CDXWnd::OnDraw()
{
    return 1;
}

void CDXWnd::Draw()
{
    if (!m_bVisible)
        return;
    DrawFrame();
    DrawChildren();
    OnDraw();
}

void CDXWnd::SetState(int index)
{
    m_nState = index;
}
int CDXWnd::OnChar(int)
{
    return 1;
}
int CDXWnd::OnKeyDown(int)
{
    return 1;
}
int CDXWnd::OnKeyUp(int)
{
    return 1;
}
void CDXWnd::OnChildFocus(int) {}

CDXWnd* CDXWnd::GetTopLevel()
{
    CDXWnd* w = this;
    while (w->m_pParent)
        w = w->m_pParent;
    return w;
}

void CDXWnd::SetX(int x)
{
    m_nX = x;
}
void CDXWnd::SetY(int y)
{
    m_nY = y;
}
void CDXWnd::SetPos(int x, int y)
{
    m_nX = x;
    m_nY = y;
}

void CDXWnd::Show(bool show)
{
    if ((m_bVisible != 0) == show)
        return;
    m_bVisible = show ? 1 : 0;
    if (!show)
        ReleaseCapture();
    OnShow(show);
}

void CDXWnd::Enable(bool enable)
{
    if ((m_bEnabled != 0) == enable)
        return;
    m_bEnabled = enable ? 1 : 0;
    if (!enable)
        ReleaseCapture();
    OnEnable(enable);
}

void CDXWnd::SetUserValue(int value)
{
    m_nUserValue = value;
}

void CDXWnd::FocusEdit(int id)
{
    CDXWnd* w = FindById(id);
    if (w && w->m_nType == DXWND_EDIT)
        static_cast<CDXEdit*>(w)->TakeFocus();
}

void CDXWnd::NotifyChildren31()
{
    for (CDXWnd* child : m_Children)
        child->NotifyChildren31();
}

void CDXWnd::NotifyChildren32()
{
    for (CDXWnd* child : m_Children)
        child->NotifyChildren32();
}

void CDXWnd::OnLayout()
{
    for (CDXWnd* child : m_Children)
        child->OnLayout();
}

bool CDXWnd::HitTest(int x, int y, float scaleX, float scaleY)
{
    const float ax = static_cast<float>(AbsoluteX());
    const float ay = static_cast<float>(AbsoluteY());
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    return fx >= ax && fy >= ay && fx < ax + static_cast<float>(m_nWidth) * scaleX &&
           fy < ay + static_cast<float>(m_nHeight) * scaleY;
}

void CDXWnd::DispatchUserMessage(UINT msg, WPARAM, int id, LPARAM lParam)
{
    switch (msg) {
    case WM_DX_CLICK:
        OnClick(id);
        break;
    case WM_DX_PRESS:
        OnPress(id);
        break;
    case WM_DX_USER1927:
        OnUserMessage50(id, lParam);
        break;
    case WM_DX_RADIO_SELECT:
        OnRadioSelect(id);
        break;
    case WM_DX_USER1929:
        OnUserMessage52(id, lParam);
        break;
    case WM_DX_USER1930:
        OnUserMessage53(id, lParam);
        break;
    case WM_DX_USER1931:
        OnUserMessage54(id, lParam);
        OnScreenMessage(id, lParam);
        break;
    case WM_DX_SCREEN_MSG:
        OnScreenMessage(id, lParam);
        break;
    default:
        break;  // screen changes are the main window's
    }
}

int CDXWnd::DispatchMouse(int x, int y, UINT msg, WPARAM wParam)
{
    if (!m_bEnabled)
        return m_bModal ? m_nId : -1;

    if (CDXWnd* captured = GetCaptured()) {
        if (const std::optional<int> taken = DispatchCaptured(*captured, x, y, msg, wParam))
            return *taken;
    }

    const bool inside = HitTest(x, y, 1.0f, 1.0f);
    if (msg == WM_MOUSEWHEEL)
        return DispatchWheel(x, y, wParam, inside);

    if (inside) {
        const int taken = DispatchToChildren(x, y, msg, wParam);
        if (taken != -1)
            return taken;
        if (TakeOwnMouse(x, y, msg))
            return m_nId;
    } else {
        OnMouseLeave();
        if (m_bModal && msg == WM_LBUTTONUP)
            OnLButtonUp(x, y);
    }
    return m_bModal ? m_nId : -1;
}

std::optional<int> CDXWnd::DispatchCaptured(CDXWnd& captured, int x, int y, UINT msg, WPARAM wParam)
{
    switch (msg) {
    case WM_MOUSEMOVE:
        captured.OnMouseMove(x, y);
        return captured.m_nId;
    case WM_LBUTTONDOWN:
        captured.OnLButtonDown(x, y);
        return captured.m_nId;
    case WM_RBUTTONDOWN:
        captured.OnRButtonDown(x, y);
        return captured.m_nId;
    case WM_LBUTTONUP:
        captured.OnLButtonUp(x, y);
        return DispatchMouse(x, y, WM_MOUSEMOVE, wParam);
    case WM_RBUTTONUP:
        captured.OnRButtonUp(x, y);
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

int CDXWnd::DispatchWheel(int x, int y, WPARAM wParam, bool inside)
{
    if (inside) {
        const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
        for (size_t i = m_Children.size(); i-- > 0;) {
            CDXWnd* child = m_Children[i];
            if (!child->m_bVisible)
                continue;
            const int r = child->DispatchMouse(x, y, WM_MOUSEWHEEL, wParam);
            if (r != -1)
                return r;
        }
        if (OnMouseWheel(x, y, notches))
            return m_nId;
    }
    return m_bModal ? m_nId : -1;
}

int CDXWnd::DispatchToChildren(int x, int y, UINT msg, WPARAM wParam)
{
    int taken = -1;
    for (size_t i = m_Children.size(); i-- > 0;) {
        if (i >= m_Children.size())
            continue;
        CDXWnd* child = m_Children[i];
        if (!child->m_bVisible || taken != -1) {
            child->OnMouseLeave();
            continue;
        }
        taken = child->DispatchMouse(x, y, msg, wParam);
    }
    return taken;
}

bool CDXWnd::TakeOwnMouse(int x, int y, UINT msg)
{
    switch (msg) {
    case WM_MOUSEMOVE:
        return OnMouseMove(x, y) != 0;
    case WM_LBUTTONDOWN:
        return OnLButtonDown(x, y) != 0;
    case WM_LBUTTONUP:
        return OnLButtonUp(x, y) != 0;
    case WM_LBUTTONDBLCLK:
        return OnLButtonDblClk(x, y) != 0;
    case WM_RBUTTONDOWN:
        OnRButtonDown(x, y);
        return true;
    case WM_RBUTTONUP:
        OnRButtonUp(x, y);
        return true;
    case WM_RBUTTONDBLCLK:
        OnRButtonDblClk(x, y);
        return true;
    default:
        return false;
    }
}

void CDXWnd::OnMouseLeave()
{
    for (CDXWnd* child : m_Children)
        child->OnMouseLeave();
}

void CDXWnd::OnShow(bool) {}
void CDXWnd::OnEnable(bool) {}
int CDXWnd::OnMouseMove(int, int)
{
    return 1;
}
int CDXWnd::OnLButtonDown(int, int)
{
    return 1;
}
int CDXWnd::OnLButtonUp(int, int)
{
    return 1;
}
int CDXWnd::OnLButtonDblClk(int, int)
{
    return 1;
}
int CDXWnd::OnRButtonDown(int, int)
{
    return 1;
}
int CDXWnd::OnRButtonUp(int, int)
{
    return 1;
}
int CDXWnd::OnRButtonDblClk(int, int)
{
    return 1;
}
int CDXWnd::OnMouseWheel(int, int, int)
{
    return 1;
}
void CDXWnd::OnClick(int) {}
void CDXWnd::OnPress(int) {}
void CDXWnd::OnUserMessage50(int, LPARAM) {}
void CDXWnd::OnRadioSelect(int) {}
void CDXWnd::OnUserMessage52(int, LPARAM) {}
void CDXWnd::OnUserMessage53(int, LPARAM) {}
void CDXWnd::OnUserMessage54(int, LPARAM) {}
void CDXWnd::OnUserMessage55(int, LPARAM) {}
void CDXWnd::OnScreenMessage(int, LPARAM) {}

bool CDXWnd::AddChild(CDXWnd* child)
{
    if (!child)
        return false;
    if (GetTopLevel()->FindById(child->m_nId)) {
        platform::PostQuitMessage(0);
        return false;
    }
    auto pos = m_Children.end();
    if (child->m_nType == DXWND_WINDOW)
        pos = std::find_if(m_Children.begin(), m_Children.end(),
                           [](CDXWnd* c) { return c->m_nType == DXWND_DIALOG; });
    else if (child->m_nType != DXWND_DIALOG)
        pos = std::find_if(m_Children.begin(), m_Children.end(), [](CDXWnd* c) {
            return c->m_nType == DXWND_WINDOW || c->m_nType == DXWND_DIALOG;
        });
    m_Children.insert(pos, child);
    return true;
}

CDXWnd* CDXWnd::FindById(int id)
{
    if (m_nId == id)
        return this;
    for (CDXWnd* child : m_Children)
        if (CDXWnd* found = child->FindById(id))
            return found;
    return nullptr;
}

CDXWnd* CDXWnd::FindTopModal()
{
    for (size_t i = m_Children.size(); i-- > 0;) {
        CDXWnd* child = m_Children[i];
        if (!child->m_bVisible)
            continue;
        if (CDXWnd* inner = child->FindTopModal())
            return inner;
        if (child->m_nType == DXWND_DIALOG && child->m_bModal)
            return child;
    }
    return nullptr;
}

int CDXWnd::AbsoluteX() const
{
    int x = 0;
    for (const CDXWnd* w = this; w; w = w->m_pParent)
        x += w->m_nX;
    return x;
}

int CDXWnd::AbsoluteY() const
{
    int y = 0;
    for (const CDXWnd* w = this; w; w = w->m_pParent)
        y += w->m_nY;
    return y;
}

void CDXWnd::SelectRadio(int firstId, int lastId, int selectedId)
{
    auto first = std::find_if(m_Children.begin(), m_Children.end(),
                              [firstId](CDXWnd* c) { return c->m_nId == firstId; });
    std::vector<CDXWnd*> range;
    for (auto it = first; it != m_Children.end() && (*it)->m_nType == DXWND_RADIO; ++it) {
        range.push_back(*it);
        if ((*it)->m_nId == lastId)
            break;
    }
    if (selectedId != -1 && std::none_of(range.begin(), range.end(), [selectedId](CDXWnd* c) {
            return c->m_nId == selectedId;
        }))
        return;
    for (CDXWnd* c : range)
        if (auto* radio = dynamic_cast<CDXRadioButton*>(c))
            radio->SetChecked(c->m_nId == selectedId);
}

void CDXWnd::TakeCapture()
{
    m_nCapture = m_nId;
    for (CDXWnd* w = this; w->m_pParent; w = w->m_pParent)
        w->m_pParent->m_nCapture = w->m_nId;
}

void CDXWnd::ReleaseCapture()
{
    if (m_nCapture != m_nId)
        return;
    m_nCapture = -1;
    for (CDXWnd* w = this; w->m_pParent && w->m_pParent->m_nCapture == w->m_nId; w = w->m_pParent)
        w->m_pParent->m_nCapture = -1;
}

CDXWnd* CDXWnd::GetCaptured()
{
    CDXWnd* w = this;
    while (w && w->m_nCapture != -1) {
        if (w->m_nCapture == w->m_nId)
            return w;
        w = w->ChildById(w->m_nCapture);
    }
    return nullptr;
}

CDXWnd* CDXWnd::ChildById(int id) const
{
    for (CDXWnd* child : m_Children)
        if (child->m_nId == id)
            return child;
    return nullptr;
}

bool CDXWnd::PostToOwner(UINT msg, LPARAM lParam) const
{
    const int32_t parentId = m_pParent ? m_pParent->m_nId : -1;
    return platform::PostMessage(g_hDXWnd, msg, DXPackWidgetIds(parentId, m_nId), lParam);
}
