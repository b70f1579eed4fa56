// The factories on CDXWnd: each makes a child widget of this one, or nothing.

#include "CDXButton.h"
#include "CDXEdit.h"
#include "CDXLabel.h"
#include "CDXRadioButton.h"
#include "CDXWnd.h"

CDXButton* CDXWnd::CreateButton(int id, int x, int y, CUIFrames* frames, CXFont* font)
{
    auto* w = new CDXButton();
    if (!w->CreateButton(id, x, y, frames, font, this)) {
        delete w;
        return nullptr;
    }
    return w;
}

CDXRadioButton* CDXWnd::CreateRadioButton(int id, int x, int y, CUIFrames* frames, bool toggle)
{
    auto* w = new CDXRadioButton();
    if (!w->CreateRadioButton(id, x, y, frames, toggle, this)) {
        delete w;
        return nullptr;
    }
    return w;
}

CDXLabel* CDXWnd::CreateLabel(int id, CXFont* font, int x, int y, int width, int height,
                              bool renderToTexture)
{
    auto* w = new CDXLabel();
    if (!w->CreateLabel(id, font, x, y, width, height, renderToTexture, this)) {
        delete w;
        return nullptr;
    }
    return w;
}

CDXEdit* CDXWnd::CreateEdit(int id, CXFont* font, int x, int y, int width, int height,
                            int maxLength, bool password)
{
    auto* w = new CDXEdit();
    if (!w->CreateEdit(id, font, x, y, width, height, maxLength, password, this)) {
        delete w;
        return nullptr;
    }
    return w;
}
