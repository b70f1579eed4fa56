#pragma once
// A game for deck tests: records what the decks ask of it and answers as configured.

#include <string>
#include <vector>

#include "CGameBase.h"
#include "CGameDeck.h"
#include "GameFactory.h"

struct FakeGameConfig {
    int failInitializeType = 0;  // games of this type fail Initialize
    bool canPlay = true;
    bool outOfCredit = false;
    bool idle = true;
    int doubleUpState = 0;
};

class FakeGame : public CGameBase {
public:
    static inline FakeGameConfig next;           // the configuration of the next game created
    static inline int live = 0;                  // games alive
    static inline std::vector<std::string> log;  // "type:machine:call" per call

    FakeGame(CGameDeck* deck, int32_t machine, int32_t type, bool demo)
        : CGameBase(deck, machine, type, demo), config(next)
    {
        ++live;
    }
    ~FakeGame() override { --live; }

    bool Initialize(HWND, bool hosted) override
    {
        Record(hosted ? "init hosted" : "init");
        return config.failInitializeType != m_nGameType;
    }
    void SetCredit(int32_t credit) override
    {
        lastCredit = credit;
        Record("credit " + std::to_string(credit));
    }
    void Update() override { Record("update"); }
    void OnDeviceLost() override { Record("lost"); }
    void OnDeviceReset() override { Record("reset"); }
    bool IsIdle() override { return config.idle; }
    bool RequestCoinIn(bool force) override
    {
        Record(force ? "coin-in force" : "coin-in");
        return true;
    }
    bool CanPlay() override { return config.canPlay; }
    bool SetAutoPlay(bool on) override { return CGameBase::SetAutoPlay(on); }
    bool IsOutOfCredit() override { return config.outOfCredit; }
    int32_t GetDoubleUpState() override { return config.doubleUpState; }
    void OnDoubleUpChoice(int32_t choice) override { Record("choice " + std::to_string(choice)); }

    void Record(const std::string& what)
    {
        log.push_back(std::to_string(m_nGameType) + ":" + std::to_string(m_nMachineNo) + ":" +
                      what);
    }

    FakeGameConfig config;
    int32_t lastCredit = -1;
};

// Fake creators per type; the type argument of the games is the registered one.
template <int Type>
CGameBase* CreateFakeGame(CGameDeck* deck, int32_t machine, bool demo)
{
    return new FakeGame(deck, machine, Type, demo);
}

// Registers fake games for the given types (others stay unregistered) and clears them after.
class FakeGameTypes {
public:
    explicit FakeGameTypes(std::initializer_list<int> types)
    {
        ClearGameTypes();
        for (int t : types) {
            switch (t) {
            case 1:
                RegisterGameType(1, CreateFakeGame<1>);
                break;
            case 2:
                RegisterGameType(2, CreateFakeGame<2>);
                break;
            case 3:
                RegisterGameType(3, CreateFakeGame<3>);
                break;
            case 4:
                RegisterGameType(4, CreateFakeGame<4>);
                break;
            default:
                break;
            }
        }
        FakeGame::next = FakeGameConfig{};
        FakeGame::log.clear();
    }
    ~FakeGameTypes()
    {
        ClearGameTypes();
        FakeGame::next = FakeGameConfig{};
    }
};

// A panel that counts what its deck tells it.
class RecordingPanel : public CGameDeckPanel {
public:
    void Refresh() override { ++refreshes; }
    void SetAutoPlayRadio(bool on) override { radio.push_back(on); }
    int refreshes = 0;
    std::vector<bool> radio;
};
