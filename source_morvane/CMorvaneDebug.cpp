// The deck's debug overlay for a Morvane machine: the spin cycle's flags and the record's values,
// one shadowed line each.
#include <cstdio>

#include "CMorvaneMain.h"
#include "CXFont.h"

void CMorvaneMain::DrawDebugInfo(CXFont* font, float x, float y)
{
    if (!font)
        return;
    const CMorvaneLink& l = *m_pLink;
    const CMorvaneSpinData& r = m_Rec;
    char lines[14][96];
    int n = 0;
    auto line = [&](const char* format, auto... values) {
        std::snprintf(lines[n++], sizeof lines[0], format, values...);
    };
    line("Block Spin: %d", BlockSpin);
    line("SpinReq: %d, SpinDataRecved: %d, SpinEnd: %d", int(l.SpinDataRequested()),
         int(l.SpinDataReceived()), int(l.SpinEnded()));
    line("playing: %d, finReq: %d", int(l.Playing()), int(l.GameFinRequested()));
    line("TicketFlag: %d, TicketOutReq: %d", TicketFlag, int(l.TicketOutRequested()));
    line("Array: 0=%d, 1=%d, 2=%d, 3=%d", r.Array[0], r.Array[1], r.Array[2], r.Array[3]);
    line("Win: 0=%d, 1=%d, 2=%d", r.Win[0], r.Win[1], r.Win[2]);
    line("Free: 0=%d, 1=%d, 2=%d", r.Free[0], r.Free[1], r.Free[2]);
    line("AvgValue: %d, Rate1: %d", AvgValue, Rate1);
    line("spincount: %d, keypoint: %d", m_nSpinCount, keypoint);
    line("SmokeCount[0]: %d", r.SmokeCount);
    for (int i = 0; i < 4; ++i)
        line("SmogState%d: %d, SmogCount%d: %d", i + 1, m_aSmokeState[2 * i], i + 1,
             m_aSmokeState[2 * i + 1]);
    const float height = float(font->GetHeight());
    y += 120.0f;
    for (int i = 0; i < n; ++i) {
        font->DrawText(lines[i], x + 1, y + 1, 800, height, 0xFF000000, 0);
        font->DrawText(lines[i], x, y, 800, height, 0xFFFFFFFF, 0);
        y += height;
    }
}
