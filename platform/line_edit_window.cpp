// Edit windows: a hidden child window whose procedure drives a LineEditor.
// Stands in for: CreateWindow("edit") with ES_AUTOHSCROLL / ES_PASSWORD, WM_SETTEXT, WM_GETTEXT,
//   WM_GETTEXTLENGTH, EM_GETSEL, EM_SETSEL, EM_LIMITTEXT, EM_GETPASSWORDCHAR, WM_SETFONT (no
//   effect), and the IME composition messages as an IME-aware edit control handles them.
// Not here: painting (never shown), clipboard, undo.

#include <algorithm>
#include <map>
#include <memory>

#include "platform/line_editor.h"

namespace {

std::map<HWND, std::unique_ptr<platform::LineEditor>>& Editors()
{
    static std::map<HWND, std::unique_ptr<platform::LineEditor>> editors;
    return editors;
}

platform::LineEditor* Find(HWND hwnd)
{
    auto it = Editors().find(hwnd);
    return it == Editors().end() ? nullptr : it->second.get();
}

LRESULT EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    platform::LineEditor* ed = Find(hwnd);
    if (!ed)
        return platform::DefWindowProc(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_DESTROY:
        Editors().erase(hwnd);
        return 0;
    case WM_KEYDOWN:
        ed->KeyDown(static_cast<int>(wParam), (platform::GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0);
        return 0;
    case WM_CHAR:
        ed->Char(static_cast<uint8_t>(wParam));
        return 0;
    case WM_IME_STARTCOMPOSITION:
        ed->CompositionStart();
        return 0;
    case WM_IME_COMPOSITION:
        if (lParam & GCS_RESULTSTR)
            ed->CompositionEnd();
        else
            ed->CompositionUpdate(static_cast<uint32_t>(wParam));
        return 0;
    case WM_IME_ENDCOMPOSITION:
        ed->CompositionEnd();
        return 0;
    case WM_SETTEXT:
        ed->SetText(lParam ? reinterpret_cast<const char*>(lParam) : "");
        return 1;
    case WM_GETTEXT: {
        // Copies at most wParam - 1 bytes, never half a character, and terminates.
        char* out = reinterpret_cast<char*>(lParam);
        if (!out || wParam == 0)
            return 0;
        const size_t n = ed->WholePrefix(wParam - 1);
        std::copy_n(ed->Text().data(), n, out);
        out[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(ed->Text().size());
    case EM_GETSEL:
        if (wParam)
            *reinterpret_cast<int*>(wParam) = static_cast<int>(ed->SelStart());
        if (lParam)
            *reinterpret_cast<int*>(lParam) = static_cast<int>(ed->SelEnd());
        return static_cast<LRESULT>((ed->SelStart() & 0xFFFF) | ((ed->SelEnd() & 0xFFFF) << 16));
    case EM_SETSEL:
        ed->SetSel(static_cast<long>(static_cast<intptr_t>(wParam)), static_cast<long>(lParam));
        return 0;
    case EM_LIMITTEXT:
        ed->SetLimit(wParam);
        return 0;
    case EM_GETPASSWORDCHAR:
        return static_cast<uint8_t>(ed->PasswordChar());
    case WM_SETFONT:
        return 0;
    default:
        return platform::DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

HWND platform::CreateLineEdit(HWND parent, uint32_t style)
{
    if (!parent)
        return nullptr;
    WindowCreateInfo info;
    info.style = (style | WS_CHILD) & ~WS_VISIBLE;
    info.parent = parent;
    info.proc = &EditProc;
    HWND hwnd = platform::CreateWindow(info);
    if (hwnd)
        Editors()[hwnd] = std::make_unique<platform::LineEditor>((style & ES_PASSWORD) != 0);
    return hwnd;
}

const platform::LineEditor* platform::GetLineEditor(HWND hwnd)
{
    return Find(hwnd);
}
