#pragma once
// The lobby's chat list: chat lines, money events and the announcements of other players' prizes,
// each in the colour of its machine's game type, or red for the biggest events. The biggest
// jackpots also scroll on the chat area's welcome line.

#include <cstdint>

#include "CWndTextList.h"

class CWndGameChat;

class CWndGameChatList : public CWndTextList {
public:
    static constexpr uint32_t kRed = 0xFFFF0000;
    // Indexes of the chat colour table used by the protocol client's lines.
    static constexpr int kColourReserveRefused = 5;
    static constexpr int kColourLobbyNotice = 6;
    static constexpr int kColourSystem = 7;
    static constexpr int kColourChat = 9;

    explicit CWndGameChatList(CWndGameChat* chat) : m_pChat(chat) {}
    ~CWndGameChatList() override = default;

    // ARGB colour of a game type (1..4); 0 for any other type.
    static uint32_t TypeColour(int gameType);
    // ARGB colour of an entry of the chat colour table; white outside the table.
    static uint32_t ChatColour(int index);

    void AddAppearMessage(const char* name, int gameType, int machineNo, int symbol);
    // Nothing for symbol 0.
    void AddJackpotMessage(const char* name, int gameType, int machineNo, int symbol,
                           uint32_t amount);
    // By jackpot kind, only above the kind's threshold (see the source for the table).
    void AddPrizeMessage(const char* name, int gameType, int machineNo, int value, uint32_t amount,
                         int jackpotKind);

private:
    CWndGameChat* m_pChat;  // the chat area this list belongs to
};
