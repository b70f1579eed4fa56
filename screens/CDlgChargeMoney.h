#pragma once
// The charge request: the player has transferred money and asks for game money. The amount
// (a multiple of 100 from 50,000 to 1,990,000) and the sender's name are checked before the
// request goes out; the dialog stays disabled until the lobby hands it the answer.

#include "CDlgMoneyRequest.h"

class CDXEdit;

class CDlgChargeMoney : public CDlgMoneyRequest {
public:
    static constexpr int kId = 431;
    static constexpr int kAmountId = 432;
    static constexpr int kSenderId = 433;
    static constexpr int kRequestId = 435;
    static constexpr int kCheckId = 436;
    static constexpr int kCloseId = 437;
    static constexpr int kMinAmount = 50000;
    static constexpr int kMaxAmount = 1990000;

    CDlgChargeMoney() : CDlgMoneyRequest(kRequestId, kCloseId) {}

    // Background set 59, centred, hidden.
    bool Create(CDXWnd* parent);
    // True when amount and sender pass; otherwise the message box names the fault and the focus
    // goes back to the faulty edit when it is closed.
    bool CheckInput() override;

    // The check button checks without sending; the other buttons as every money request's.
    void OnClick(int id) override;
    int OnChar(int code) override;

    CDXEdit* GetAmountEdit() const { return m_pAmount; }
    CDXEdit* GetSenderEdit() const { return m_pSender; }

protected:
    bool Send() override;
    std::vector<CDXEdit*> Edits() const override { return {m_pAmount, m_pSender}; }

private:
    CDXEdit* m_pAmount = nullptr;
    CDXEdit* m_pSender = nullptr;
};
