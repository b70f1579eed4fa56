// The charge, exchange and gift-ticket dialogs of the lobby: their input checks with the box each
// fault shows and the edit that gets the focus back, their keys, and the gift-ticket information.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>

#include "CDXEdit.h"
#include "CDXLabel.h"
#include "CDlgChangeTicket.h"
#include "CDlgChargeMoney.h"
#include "CDlgExchangeMoney.h"
#include "lobby_fixture.h"

namespace {

class MoneyDialogsTest : public InLobbyTest {
protected:
    // Closes the box as its close button does; the focus goes where the failed check said.
    void CloseBox() { Box()->OnClick(CDlgCommon::kCloseId); }
};

TEST_F(MoneyDialogsTest, ChargeChecksAmountAndSender)
{
    CDlgChargeMoney* dlg = m_lobby->GetChargeDialog();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->GetId(), 431);
    dlg->Show(true);
    EXPECT_TRUE(dlg->GetAmountEdit()->HasKeyboardFocus());
    const std::string badAmount = "금액을 올바르게 입력하여 주십시오.";
    struct Case {
        const char* amount;
        const char* sender;
        const char* box;  // null: the check passes
        int focus;
    } cases[] = {
        {"50000", "kim", nullptr, 0},
        {"1990000", "kim", nullptr, 0},
        {"49900", "kim", "금액을 올바르게 입력하여 주십시오.", CDlgChargeMoney::kAmountId},
        {"50050", "kim", "금액을 올바르게 입력하여 주십시오.", CDlgChargeMoney::kAmountId},
        {"", "kim", "금액을 올바르게 입력하여 주십시오.", CDlgChargeMoney::kAmountId},
        {"1990100", "kim",
         "금액을 올바르게 입력하여 주십시오.\n2,000,000원 이상은 충전신청 하실 수 없습니다.",
         CDlgChargeMoney::kAmountId},
        {"9999999", "",
         "금액을 올바르게 입력하여 주십시오.\n2,000,000원 이상은 충전신청 하실 수 없습니다.",
         CDlgChargeMoney::kAmountId},
        {"50000", "", "송금자를 입력하여 주십시오.", CDlgChargeMoney::kSenderId},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "'" << c.amount << "' '" << c.sender << "'");
        Box()->Show(false);
        dlg->GetAmountEdit()->SetText(c.amount);
        dlg->GetSenderEdit()->SetText(c.sender);
        EXPECT_EQ(dlg->CheckInput(), c.box == nullptr);
        EXPECT_EQ(Box()->IsVisible(), c.box != nullptr);
        if (!c.box)
            continue;
        EXPECT_EQ(Box()->GetTitle(), "충전");
        EXPECT_EQ(Box()->GetText(), c.box);
        CloseBox();
        CDXEdit* focus =
            c.focus == CDlgChargeMoney::kAmountId ? dlg->GetAmountEdit() : dlg->GetSenderEdit();
        EXPECT_TRUE(focus->HasKeyboardFocus());
    }

    // Without a connection nothing is sent and the dialog stays usable.
    dlg->GetAmountEdit()->SetText("50000");
    dlg->GetSenderEdit()->SetText("kim");
    EXPECT_FALSE(dlg->SendRequest());
    EXPECT_TRUE(dlg->IsEnabled());
}

TEST_F(MoneyDialogsTest, ChargeKeysMoveTheFocusBetweenItsEdits)
{
    CDlgChargeMoney* dlg = m_lobby->GetChargeDialog();
    dlg->Show(true);
    CDXEdit* amount = dlg->GetAmountEdit();
    CDXEdit* sender = dlg->GetSenderEdit();
    amount->SetText("123");
    EXPECT_EQ(dlg->OnChar(9), 0);
    EXPECT_TRUE(sender->HasKeyboardFocus());
    EXPECT_EQ(dlg->OnChar(13), 0);
    EXPECT_TRUE(amount->HasKeyboardFocus());
    EXPECT_EQ(dlg->OnChar(27), 0);
    EXPECT_FALSE(amount->HasKeyboardFocus());
    EXPECT_EQ(dlg->OnChar(13), 0);
    EXPECT_TRUE(amount->HasKeyboardFocus()) << "from the main window to the amount";

    // Showing again empties the edits and enables the dialog.
    dlg->Enable(false);
    dlg->Show(false);
    dlg->Show(true);
    EXPECT_TRUE(dlg->IsEnabled());
    EXPECT_STREQ(amount->GetTextBuffer(), "");
}

TEST_F(MoneyDialogsTest, ExchangeChecksEveryFieldInOrder)
{
    CDlgExchangeMoney* dlg = m_lobby->GetExchangeDialog();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->GetId(), 420);
    dlg->Show(true);
    struct Case {
        const char* fields[7];  // amount, bank, account, holder, phone 1, 2, 3
        const char* box;        // null: the check passes
        int focusOrder;         // the edit that gets the focus back
    } cases[] = {
        {{"10000", "bank", "123", "kim", "010", "1234", "5678"}, nullptr, 0},
        {{"9999900", "bank", "123", "kim", "010", "1234", "5678"}, nullptr, 0},  // no upper bound
        {{"9900", "bank", "123", "kim", "010", "1234", "5678"},
         "금액을 올바르게 입력하여 주십시오.",
         0},
        {{"10050", "bank", "123", "kim", "010", "1234", "5678"},
         "금액을 올바르게 입력하여 주십시오.",
         0},
        {{"", "", "", "", "", "", ""}, "금액을 올바르게 입력하여 주십시오.", 0},
        {{"10000", "", "", "", "", "", ""}, "은행명을 입력하여 주십시오.", 1},
        {{"10000", "bank", "", "kim", "010", "1234", "5678"}, "계좌번호를 입력하여 주십시오.", 2},
        {{"10000", "bank", "123", "", "010", "1234", "5678"}, "예금주를 입력하여 주십시오.", 3},
        {{"10000", "bank", "123", "kim", "", "1234", "5678"}, "전화번호를 입력하여 주십시오.", 4},
        {{"10000", "bank", "123", "kim", "010", "", "5678"}, "전화번호를 입력하여 주십시오.", 4},
        {{"10000", "bank", "123", "kim", "010", "1234", ""}, "전화번호를 입력하여 주십시오.", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.fields[0] << " " << (c.box ? c.box : "passes"));
        Box()->Show(false);
        for (int i = 0; i < CDlgExchangeMoney::kEdits; ++i)
            dlg->GetEdit(i)->SetText(c.fields[i]);
        EXPECT_EQ(dlg->CheckInput(), c.box == nullptr);
        EXPECT_EQ(Box()->IsVisible(), c.box != nullptr);
        if (!c.box)
            continue;
        EXPECT_EQ(Box()->GetTitle(), "환전");
        EXPECT_EQ(Box()->GetText(), c.box);
        CloseBox();
        EXPECT_TRUE(dlg->GetEdit(c.focusOrder)->HasKeyboardFocus());
    }
}

TEST_F(MoneyDialogsTest, ExchangeTabWalksTheSevenEditsInACircle)
{
    CDlgExchangeMoney* dlg = m_lobby->GetExchangeDialog();
    dlg->Show(true);
    ASSERT_TRUE(dlg->GetEdit(0)->HasKeyboardFocus());
    for (int step = 1; step <= CDlgExchangeMoney::kEdits; ++step) {
        EXPECT_EQ(dlg->OnChar(step % 2 ? 9 : 13), 0);
        EXPECT_TRUE(dlg->GetEdit(step % CDlgExchangeMoney::kEdits)->HasKeyboardFocus()) << step;
    }
    EXPECT_EQ(dlg->OnChar(27), 0);
    EXPECT_FALSE(dlg->GetEdit(0)->HasKeyboardFocus());
    EXPECT_EQ(dlg->OnChar(27), 1) << "Esc without an edit focused passes on";
    EXPECT_EQ(dlg->OnChar(9), 1) << "from the main window: into the amount, and passed on";
    EXPECT_TRUE(dlg->GetEdit(0)->HasKeyboardFocus());
}

TEST_F(MoneyDialogsTest, GiftTicketInformationFillsTheLabels)
{
    CDlgChangeTicket* dlg = m_lobby->GetChangeTicket();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->GetId(), 467);
    dlg->Show(true);
    EXPECT_TRUE(dlg->IsEnabled()) << "no connection: no request is out, so the dialog stays usable";
    EXPECT_EQ(dlg->GetCount(), 0u);
    struct Case {
        float rate;
        uint32_t count, amount;
        const char* rateText;
        const char* countText;
        const char* amountText;
    } cases[] = {
        {0.1f, 3, 3000, "10", "3 장", "3,000 원"},
        {0.257f, 1234, 1234567, "25", "1,234 장", "1,234,567 원"},
        {std::numeric_limits<float>::quiet_NaN(), 0, 0, "0", "0 장", "0 원"},
        {std::numeric_limits<float>::infinity(), 1, 1, "0", "1 장", "1 원"},
        {1e30f, 1, 1, "0", "1 장", "1 원"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rateText);
        dlg->Enable(false);
        dlg->SetTicketInfo(c.rate, c.count, c.amount);
        EXPECT_TRUE(dlg->IsEnabled());
        EXPECT_EQ(dlg->GetCount(), c.count);
        EXPECT_EQ(dlg->GetRateLabel()->GetText(), c.rateText);
        EXPECT_EQ(dlg->GetCountLabel()->GetText(), c.countText);
        EXPECT_EQ(dlg->GetAmountLabel()->GetText(), c.amountText);
    }
    // Opening again forgets the last answer.
    dlg->Show(false);
    dlg->Show(true);
    EXPECT_EQ(dlg->GetCount(), 0u);
    EXPECT_EQ(dlg->GetCountLabel()->GetText(), "");
}

TEST_F(MoneyDialogsTest, AnswersCloseOrReenableTheirDialogs)
{
    CDlgChargeMoney* charge = m_lobby->GetChargeDialog();
    CDlgExchangeMoney* exchange = m_lobby->GetExchangeDialog();
    CDlgChangeTicket* tickets = m_lobby->GetChangeTicket();
    struct Case {
        const char* name;
        CDXDialog* dialog;
        std::function<void()> answer;
        bool shown;  // afterwards; a dialog still shown is enabled again
    } cases[] = {
        {"charge refused", charge, [&] { m_lobby->AnsChargeRequest(3); }, true},
        {"charge done", charge, [&] { m_lobby->AnsChargeRequest(0); }, false},
        {"exchange refused", exchange, [&] { m_lobby->AnsExchangeRequest(3); }, true},
        {"exchange done", exchange, [&] { m_lobby->AnsExchangeRequest(0); }, false},
        {"tickets short", tickets, [&] { m_lobby->AnsGiftTicketFail(14); }, true},
        {"tickets exchanged", tickets, [&] { m_lobby->AnsGiftTicketExchange(2, 2000); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.dialog->Show(true);
        c.dialog->Enable(false);  // the request is out
        c.answer();
        EXPECT_EQ(c.dialog->IsVisible(), c.shown);
        if (c.shown) {
            EXPECT_TRUE(c.dialog->IsEnabled());
        }
        EXPECT_TRUE(Box()->IsVisible());
        c.dialog->Show(false);
        Box()->Show(false);
    }
}

}  // namespace
