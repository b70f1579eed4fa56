// Replays the fuzzing seed corpus (one valid body per answer id) through DispatchMessage, whole and
// cut short at every length, so the corpus stays valid and short bodies stay safe.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "recording_client.h"

namespace {

// The handler each answer's seed must reach first; empty for answers without a handler.
const std::map<int, std::string> kFirstHandler = {
    {1, "OnVersionCheckResult"},
    {5, "OnLoginResult"},
    {9, "OnUserInfo"},
    {11, "OnChannelInfoBegin"},
    {13, "OnMachineSelectResult"},
    {14, "OnJixEnter"},
    {15, "OnJixCoinIn"},
    {16, "OnJixPlayStart"},
    {17, "OnJixBonus"},
    {18, "OnJixSpinData"},
    {19, "OnJixSpinEnd"},
    {20, "OnJixTicketOut"},
    {22, "OnJixGameFin"},
    {23, "OnMorvaneEnter"},
    {24, "OnMorvaneCoinIn"},
    {25, "OnMorvaneSpinData"},
    {26, "OnMorvaneSpinEnd"},
    {27, "OnMorvaneTicketOut"},
    {28, ""},
    {29, ""},
    {30, "OnMorvanePerformanceValue"},
    {33, "OnMorvaneGameFin"},
    {34, "OnPelagornEnter"},
    {35, "OnPelagornCoinIn"},
    {36, "OnPelagorn36"},
    {37, "OnPelagorn37"},
    {38, "OnPelagornSpinData"},
    {39, "OnPelagorn39"},
    {40, "OnPelagornSpinEnd"},
    {41, "OnPelagornTicketOut"},
    {43, "OnPelagornGameFin"},
    {101, "OnChatLine"},
    {102, "OnCoinCharged"},
    {103, "OnGiftTicketCount"},
    {105, "OnChargeRequestResult"},
    {107, "OnExchangeRequestResult"},
    {108, "OnDeckSwap"},
    {109, "OnMachineRemove"},
    {110, "OnGiftTicketInfo"},
    {111, "OnPrizeNoticeA"},
    {112, "OnPrizeNoticeB"},
    {113, "OnPrizeNoticeC"},
    {114, "OnUserEnterLeave"},
    {116, "OnReserveInfoEntry"},
    {118, "OnReserveStatus"},
    {120, "OnReserveResult"},
    {122, "OnDeckLogEntry"},
    {124, "OnStaffCallResult"},
    {125, "OnMachineRelease"},
    {126, "OnNotice"},
    {127, "OnNoticeListBegin"},
    {128, "OnExchangeDone"},
    {129, "OnChargeRefused"},
    {1001, ""},
};

}  // namespace

TEST(NetCorpus, EverySeedReachesItsHandlerAndEveryPrefixIsSafe)
{
    const std::filesystem::path dir = std::filesystem::path(CX_FIXTURES_DIR) / "net" / "corpus";
    std::map<int, std::string> seen;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<uint8_t> body((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
        ASSERT_GE(body.size(), 2u) << entry.path();
        const int id = body[0] | body[1] << 8;
        const std::string name = entry.path().filename().string();

        CMachineTable table;
        RecordingClient client(table);
        client.Dispatch(body);
        seen[id] = client.calls.empty()
                       ? ""
                       : client.calls.front().substr(0, client.calls.front().find('('));

        for (size_t n = 0; n < body.size(); ++n)
            client.Dispatch(std::vector<uint8_t>(body.begin(), body.begin() + long(n)));
    }
    EXPECT_EQ(seen, kFirstHandler);
}
