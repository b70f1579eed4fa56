#pragma once
// The exchange request: game money paid out to a bank account. Amount (a multiple of 100, at
// least 10,000), bank, account number, account holder and the three parts of the telephone
// number are checked in that order before the request goes out; the dialog stays disabled until
// the lobby hands it the answer.

#include "CDlgMoneyRequest.h"

class CDXEdit;

class CDlgExchangeMoney : public CDlgMoneyRequest {
public:
    static constexpr int kId = 420;
    static constexpr int kAmountId = 421;
    static constexpr int kBankId = 422;
    static constexpr int kAccountId = 423;
    static constexpr int kHolderId = 424;
    static constexpr int kPhone1Id = 425;
    static constexpr int kPhone2Id = 426;
    static constexpr int kPhone3Id = 427;
    static constexpr int kRequestId = 429;
    static constexpr int kCloseId = 430;
    static constexpr int kEdits = 7;
    static constexpr int kMinAmount = 10000;

    CDlgExchangeMoney() : CDlgMoneyRequest(kRequestId, kCloseId) {}

    // Background set 57, centred, hidden.
    bool Create(CDXWnd* parent);
    bool CheckInput() override;
    int OnChar(int code) override;

    // The edits in focus order: amount, bank, account, holder, phone 1, 2, 3.
    CDXEdit* GetEdit(int order) const
    {
        return order >= 0 && order < kEdits ? m_apEdits[order] : nullptr;
    }

protected:
    bool Send() override;
    std::vector<CDXEdit*> Edits() const override
    {
        return {std::begin(m_apEdits), std::end(m_apEdits)};
    }

private:
    CDXEdit* m_apEdits[kEdits] = {};
};
