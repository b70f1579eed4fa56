#pragma once
// A dialog: drawn after (above) every other child of its parent and, when modal and shown, the
// only receiver of keyboard input in its tree. Hiding a shown dialog calls OnOpen, which asks the
// parent to put the keyboard focus back (FocusEdit with the dialog's id).

#include "CDXWnd.h"

class CDXDialog : public CDXWnd {
public:
    CDXDialog();
    ~CDXDialog() override = default;

    void Show(bool show) override;
    void DrawFrame() override;

    virtual void OnOpen();  // 57

    void SetDisabledColour(uint32_t argb) { m_dwDisabledColour = argb; }
    uint32_t GetDisabledColour() const { return m_dwDisabledColour; }

    // The size of the background's first image, centred in the parent (or in the layout screen
    // without one), modal; draws that image as its frame. False when the id is refused.
    bool CreateCentred(int id, CDXWnd* parent, CUIFrames* background);

protected:
    uint32_t m_dwDisabledColour = 0xFF808080;
};
