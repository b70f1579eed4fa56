#pragma once
// The gift-ticket exchange: shows the rate, the player's ticket count and what they are worth as
// the server tells on opening, and asks to exchange that count. Disabled while a request is out.

#include <cstdint>

#include "CDXDialog.h"

class CDXLabel;

class CDlgChangeTicket : public CDXDialog {
public:
    static constexpr int kId = 467;
    static constexpr int kRateId = 468;
    static constexpr int kCountId = 469;
    static constexpr int kAmountId = 470;
    static constexpr int kCloseId = 471;
    static constexpr int kExchangeId = 472;

    CDlgChangeTicket() = default;
    ~CDlgChangeTicket() override = default;

    // Background set 69, centred, hidden.
    bool Create(CDXWnd* parent);
    // The information answer: rate (a fraction, shown in percent), ticket count and amount.
    void SetTicketInfo(float rate, uint32_t count, uint32_t amount);
    // Sends the count of the last information answer; disabled once it is out. True when sent.
    bool SendExchange();

    // Opening empties the labels and asks the server for the information; the dialog waits for
    // the answer disabled (unless the request could not be sent).
    void Show(bool show) override;
    void OnClick(int id) override;

    uint32_t GetCount() const { return m_dwCount; }
    CDXLabel* GetRateLabel() const { return m_pRate; }
    CDXLabel* GetCountLabel() const { return m_pCount; }
    CDXLabel* GetAmountLabel() const { return m_pAmount; }

private:
    uint32_t m_dwCount = 0;
    CDXLabel* m_pRate = nullptr;
    CDXLabel* m_pCount = nullptr;
    CDXLabel* m_pAmount = nullptr;
};
