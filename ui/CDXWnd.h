#pragma once
// The base of every window, screen, dialog and control. Widgets form a tree drawn into the
// 1920x1080 virtual screen; the root receives the real window's messages and hands them down.
// Clicks, presses and radio selections come back up as private messages posted to the real
// window, carrying (parent id << 16) | (widget id & 0xFFFF).
// Children are kept ordered: controls, then windows, then dialogs, so dialogs draw last and are
// asked first for the mouse. Ids are unique in a tree.

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/window.h"

class CUIFrames;
class CXFont;
class CDXButton;
class CDXRadioButton;
class CDXLabel;
class CDXEdit;

// Private window messages (WM_USER + 901 .. 910).
constexpr UINT WM_DX_CLICK = WM_USER + 901;  // 1925
constexpr UINT WM_DX_PRESS = WM_USER + 902;  // 1926
constexpr UINT WM_DX_USER1927 = WM_USER + 903;
constexpr UINT WM_DX_RADIO_SELECT = WM_USER + 904;  // 1928
constexpr UINT WM_DX_USER1929 = WM_USER + 905;
constexpr UINT WM_DX_USER1930 = WM_USER + 906;
constexpr UINT WM_DX_USER1931 = WM_USER + 907;
constexpr UINT WM_DX_CHANGE_SCREEN = WM_USER + 908;  // 1932
constexpr UINT WM_DX_PREV_SCREEN = WM_USER + 909;    // 1933
constexpr UINT WM_DX_SCREEN_MSG = WM_USER + 910;     // 1934

// Widget types.
constexpr int32_t DXWND_WINDOW = 0;
constexpr int32_t DXWND_BUTTON = 1;
constexpr int32_t DXWND_RADIO = 3;
constexpr int32_t DXWND_EDIT = 4;
constexpr int32_t DXWND_LABEL = 6;
constexpr int32_t DXWND_DIALOG = 7;

// The real window the widgets belong to: private messages are posted to it and edit boxes are its
// hidden children. Set by the application once its window exists.
extern HWND g_hDXWnd;
// Client pixels -> 1920x1080 layout pixels (1920 / client width, 1080 / client height).
extern float g_fPointerScaleX;
extern float g_fPointerScaleY;
// Layout pixels -> drawn pixels (client width / 1920, client height / 1080).
extern float g_fUIScaleX;
extern float g_fUIScaleY;
// Whether the left button is held (set by the root on WM_LBUTTONDOWN, cleared on WM_LBUTTONUP).
extern bool g_bDXLButtonDown;
// The last mouse position in client pixels.
extern POINT g_ptDXLastMouse;

// wParam of a private message, computed unsigned: a parent id of -1 gives 0xFFFF in the high word.
constexpr WPARAM DXPackWidgetIds(int32_t parentId, int32_t id)
{
    return static_cast<WPARAM>((static_cast<uint32_t>(parentId) << 16) |
                               (static_cast<uint32_t>(id) & 0xFFFFu));
}

class CDXWnd {
public:
    CDXWnd();
    virtual ~CDXWnd();  // slot 0
    CDXWnd(const CDXWnd&) = delete;
    CDXWnd& operator=(const CDXWnd&) = delete;

    virtual bool CreateWidget(int x, int y, int width, int height, int id, CDXWnd* parent,
                              int drawMode,
                              int alpha);   // 1
    virtual bool Create(int id, int flag);  // 2
    virtual void DeleteChildren();          // 3
    virtual void Destroy();                 // 4
    virtual int ForwardToChild(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                               CDXWnd* edit);                                          // 5
    virtual int DispatchMessage(UINT msg, WPARAM wParam, LPARAM lParam);               // 6
    virtual void SetAlpha(float alpha);                                                // 7
    virtual void SetAlphaByte(uint8_t alpha);                                          // 8
    virtual void SetColour(uint32_t argb);                                             // 9
    virtual bool IsFocused();                                                          // 10
    virtual int UpdateChildren(float seconds);                                         // 11
    virtual int OnUpdate(float seconds);                                               // 12
    virtual int Update(float seconds);                                                 // 13
    virtual void DrawFrame();                                                          // 14
    virtual void DrawChildren();                                                       // 15
    virtual int OnDraw();                                                              // 16
    virtual void Draw();                                                               // 17
    virtual void SetState(int index);                                                  // 18
    virtual int OnChar(int code);                                                      // 19
    virtual int OnKeyDown(int key);                                                    // 20
    virtual int OnKeyUp(int key);                                                      // 21
    virtual void OnChildFocus(int id);                                                 // 22
    virtual CDXWnd* GetTopLevel();                                                     // 23
    virtual void SetX(int x);                                                          // 24
    virtual void SetY(int y);                                                          // 25
    virtual void SetPos(int x, int y);                                                 // 26
    virtual void Show(bool show);                                                      // 27
    virtual void Enable(bool enable);                                                  // 28
    virtual void SetUserValue(int value);                                              // 29
    virtual void FocusEdit(int id);                                                    // 30
    virtual void NotifyChildren31();                                                   // 31
    virtual void NotifyChildren32();                                                   // 32
    virtual void OnLayout();                                                           // 33
    virtual bool HitTest(int x, int y, float scaleX, float scaleY);                    // 34
    virtual void DispatchUserMessage(UINT msg, WPARAM wParam, int id, LPARAM lParam);  // 35
    virtual int DispatchMouse(int x, int y, UINT msg, WPARAM wParam);                  // 36
    virtual void OnMouseLeave();                                                       // 37
    virtual void OnShow(bool show);                                                    // 38
    virtual void OnEnable(bool enable);                                                // 39
    virtual int OnMouseMove(int x, int y);                                             // 40
    virtual int OnLButtonDown(int x, int y);                                           // 41
    virtual int OnLButtonUp(int x, int y);                                             // 42
    virtual int OnLButtonDblClk(int x, int y);                                         // 43
    virtual int OnRButtonDown(int x, int y);                                           // 44
    virtual int OnRButtonUp(int x, int y);                                             // 45
    virtual int OnRButtonDblClk(int x, int y);                                         // 46
    virtual int OnMouseWheel(int x, int y, int notches);                               // 47
    virtual void OnClick(int id);                                                      // 48
    virtual void OnPress(int id);                                                      // 49
    virtual void OnUserMessage50(int id, LPARAM lParam);                               // 50
    virtual void OnRadioSelect(int id);                                                // 51
    virtual void OnUserMessage52(int id, LPARAM lParam);                               // 52
    virtual void OnUserMessage53(int id, LPARAM lParam);                               // 53
    virtual void OnUserMessage54(int id, LPARAM lParam);                               // 54
    virtual void OnUserMessage55(int id, LPARAM lParam);                               // 55
    virtual void OnScreenMessage(int id, LPARAM lParam);                               // 56

    // Adds an owned child in type order. A child whose id is already in the tree is refused and
    // the program is told to quit (PostQuitMessage(0)); the caller still owns it then.
    bool AddChild(CDXWnd* child);
    // Depth-first, this widget first.
    CDXWnd* FindById(int id);
    // The topmost visible modal dialog below this widget (last child first, depth-first), or null.
    CDXWnd* FindTopModal();
    int AbsoluteX() const;
    int AbsoluteY() const;

    // Factories: the new widget is a child of this one, or null (nothing left behind) on failure.
    CDXButton* CreateButton(int id, int x, int y, CUIFrames* frames, CXFont* font);
    CDXRadioButton* CreateRadioButton(int id, int x, int y, CUIFrames* frames, bool toggle);
    CDXLabel* CreateLabel(int id, CXFont* font, int x, int y, int width, int height,
                          bool renderToTexture);
    CDXEdit* CreateEdit(int id, CXFont* font, int x, int y, int width, int height, int maxLength,
                        bool password);

    // Among consecutive radio-button children from the one with firstId up to lastId, checks
    // selectedId and unchecks the others (-1 unchecks all; an id outside the range does nothing).
    void SelectRadio(int firstId, int lastId, int selectedId);

    // Capture along the path from the root to this widget.
    void TakeCapture();
    void ReleaseCapture();
    // The captured widget at the end of the capture path from here, or null.
    CDXWnd* GetCaptured();

    CDXWnd* GetParent() const { return m_pParent; }
    int GetId() const { return m_nId; }
    int GetType() const { return m_nType; }
    int GetX() const { return m_nX; }
    int GetY() const { return m_nY; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    int GetState() const { return m_nState; }
    int GetUserValue() const { return m_nUserValue; }
    uint32_t GetColour() const { return m_dwColour; }
    bool IsVisible() const { return m_bVisible != 0; }
    bool IsEnabled() const { return m_bEnabled != 0; }
    bool IsModal() const { return m_bModal != 0; }
    void SetModal(bool modal) { m_bModal = modal ? 1 : 0; }
    void SetSize(int width, int height)
    {
        m_nWidth = width;
        m_nHeight = height;
    }
    void SetFrames(CUIFrames* frames) { m_pFrames = frames; }
    CUIFrames* GetFrames() const { return m_pFrames; }
    const std::vector<CDXWnd*>& GetChildren() const { return m_Children; }

protected:
    // Posts a private message to the real window with this widget's packed ids.
    bool PostToOwner(UINT msg, LPARAM lParam) const;
    // The direct child with that id, or null.
    CDXWnd* ChildById(int id) const;

    CDXWnd* m_pParent = nullptr;
    int32_t m_nId = -1;
    int32_t m_nType = DXWND_WINDOW;
    int32_t m_nDrawMode = 0;
    int32_t m_bModal = 0;
    int32_t m_bEnabled = 1;
    int32_t m_nUserValue = -1;
    int32_t m_nX = 0, m_nY = 0, m_nWidth = 0, m_nHeight = 0;
    uint32_t m_dwColour = 0xFFFFFFFF;
    int32_t m_bVisible = 1;
    CUIFrames* m_pFrames = nullptr;  // not owned
    int32_t m_nState = 0;
    int32_t m_nCapture = -1;
    std::vector<CDXWnd*> m_Children;  // owned

private:
    // The steps of DispatchMouse. A captured widget's id, or nothing when the message goes on
    // through the tree.
    std::optional<int> DispatchCaptured(CDXWnd& captured, int x, int y, UINT msg, WPARAM wParam);
    int DispatchWheel(int x, int y, WPARAM wParam, bool inside);
    // Children from the top down; the first to take the message gets it, the rest a mouse leave.
    int DispatchToChildren(int x, int y, UINT msg, WPARAM wParam);
    // This widget's own handler; true when it takes the message.
    bool TakeOwnMouse(int x, int y, UINT msg);
};
