#pragma once
// A line of notices that scrolls from right to left. New notices wait as pending until the line
// has finished its current text (or is hidden); then they replace the current ones. The line hides
// itself after a set number of passes or a set showing time, and shows again for new notices.

#include <string>
#include <vector>

#include "CDXWnd.h"
#include "CTextTexture.h"

class CWndGameNotice : public CDXWnd {
public:
    static constexpr float kDefaultSpeed = 50.0f;

    CWndGameNotice() = default;
    ~CWndGameNotice() override = default;

    // Left-aligned, vertically centred text in the font and the widget colour; then
    // ShowNext(false).
    bool Create(int id, CDXWnd* parent, CXFont* font, int x, int y, int width, int height);

    void AddNotice(const char* text);
    void ClearPending() { m_Pending.clear(); }
    // Takes the pending notices when there are any, else (advance) moves to the next current
    // notice and counts the pass; restarts the text beyond the right edge while the line shows.
    void ShowNext(bool advance);

    // The colour of the text rendered from now on (the current text is rendered again).
    void SetColour(uint32_t argb) override;
    int OnUpdate(float seconds) override;
    int OnDraw() override;

    void SetSpeed(float pixelsPerSecond) { m_fSpeed = pixelsPerSecond; }
    void SetShowLimit(float seconds) { m_fShowLimit = seconds; }
    void SetMaxPasses(int passes) { m_nMaxPasses = passes; }
    float GetSpeed() const { return m_fSpeed; }
    int GetMaxPasses() const { return m_nMaxPasses; }
    int GetPasses() const { return m_nPasses; }
    float GetTextX() const { return m_fTextX; }
    // The text on the line now ("" before the first notice).
    const std::string& GetShownText() const { return m_Text.GetText(); }
    const std::vector<std::string>& GetCurrent() const { return m_Current; }
    const std::vector<std::string>& GetPending() const { return m_Pending; }

private:
    void RestartText();

    float m_fTextX = 0.0f;
    float m_fTextY = 0.0f;
    CTextTexture m_Text;
    CXFont* m_pFont = nullptr;  // not owned
    std::vector<std::string> m_Current;
    size_t m_nIndex = 0;
    std::vector<std::string> m_Pending;
    float m_fSpeed = kDefaultSpeed;
    float m_fShowLimit = 0.0f;  // seconds; 0: no limit
    float m_fElapsed = 0.0f;
    int m_nMaxPasses = 0;  // 0: no limit
    int m_nPasses = 0;
};
