#include "CButtonSinHo.h"

#include <cstdio>
#include <string_view>

#include "CMorvaneMain.h"
#include "CX2DSprite.h"

namespace {

// One page: title bar, its items (list pages), where they stand and where Select leads.
struct SinHoPage {
    const char* pszTitle;
    float fTitleY;
    const char* apszItems[12];
    int32_t nItems;  // items under the cursor; 0: no cursor
    float fItemX;
    int32_t anNext[7];  // Select: page by cursor (-1: none)
};

constexpr float kItemTop = 122.0f;
constexpr float kItemStep = 51.0f;

const SinHoPage kSinHoPages[CButtonSinHo::kPages] = {
    {"bar01", 27, {}, 0, 272, {7}},
    {"bar02",
     27,
     {"game_sul_01", "game_sul_02", "game_sul_03", "game_sul_04"},
     4,
     325,
     {3, 4, 5, 6}},
    {"bar18", 27, {"jungsan_01", "jungsan_02", "jungsan_03"}, 3, 272, {19, 20, 6}},
    {"bar03",
     27,
     {"jumsoo_01", "jumsoo_02", "jumsoo_03", "jumsoo_04", "jumsoo_05", "jumsoo_06", "jumsoo_07"},
     7,
     272,
     {7, 8, 9, 10, 11, 12, 13}},
    {"bar11",
     46,
     {"partsuljung_01", "partsuljung_02", "partsuljung_03", "partsuljung_04"},
     4,
     272,
     {14, 15, 16, 21}},
    {"bar15", 27, {"suljungvalue_01", "suljungvalue_02"}, 2, 272, {17, 18}},
    {"bar21", 27, {}, 0, 0, {-1}},
    {"bar04", 27, {}, 12, 326, {-1}},
    {"bar05",
     27,
     {"coinjumsoo50", "coinjumsoo125", "coinjumsoo250", "coinjumsoo500"},
     4,
     325,
     {-1}},
    {"bar06",
     27,
     {"giftjumsoo1250", "giftjumsoo2500", "giftjumsoo5000", "giftjumsoo10000"},
     4,
     325,
     {-1}},
    {"bar07",
     27,
     {"jpjumsoo_n01", "jpjumsoo_n02", "jpjumsoo_n03", "jpjumsoo_n04", "jpjumsoo_n05"},
     5,
     254,
     {-1}},
    {"bar08",
     27,
     {"jpjumsoo_2n01", "jpjumsoo_2n02", "jpjumsoo_2n03", "jpjumsoo_2n04", "jpjumsoo_2n05"},
     5,
     254,
     {-1}},
    {"bar09", 27, {"winjumsoo_01", "winjumsoo_02"}, 2, 272, {-1}},
    {"bar10", 27, {"winjumsoo_01", "winjumsoo_02", "savejumsoo_03", "savejumsoo_04"}, 4, 272, {-1}},
    {"bar11", 27, {"coinshoot_01", "coinshoot_02", "coinshoot_03"}, 3, 272, {-1}},
    {"bar13", 27, {"reel_01", "reel_02", "reel_03"}, 3, 272, {-1}},
    {"bar14", 27, {"addon", "addoff"}, 2, 272, {-1}},
    {"bar16", 27, {}, 0, 0, {-1}},
    {"bar17", 27, {}, 0, 0, {-1}},
    {"bar19", 27, {}, 0, 0, {-1}},
    {"bar20", 27, {}, 0, 0, {-1}},
    {"bar22", 27, {"gifton_01", "gifton_02", "gifton_03", "gifton_04", "giftoff"}, 5, 272, {-1}},
};

constexpr int32_t kGiftUnits[] = {1250, 2500, 5000, 10000};
constexpr int32_t kJackpotValues[] = {0, 300000, 500000, 1000000, 2000000};
constexpr int32_t kGiftOnValues[] = {5000, 10000, 20000, 40000, 0};
constexpr int32_t kCoinBets[] = {50, 125, 250, 500};

// Page where Back leads, and whose cursor it clears (-1: none).
struct BackRule {
    int32_t nPage;
    int32_t nClearCursor;
};
constexpr BackRule kBack[CButtonSinHo::kPages] = {
    {0, -1}, {0, -1}, {0, -1}, {1, 1}, {1, 1}, {1, 1}, {2, 1}, {0, 3}, {3, 3}, {3, 3}, {3, 3},
    {3, 3},  {3, 3},  {3, 3},  {4, 4}, {4, 4}, {4, 4}, {5, 5}, {5, 5}, {2, 5}, {2, 5}, {4, 4},
};

int32_t Slot(const char* name)
{
    const int32_t index = MorvaneSettingImage(name);
    return index < 0 ? -1 : MorvaneImageSlot(MorvaneImageSet::Setting, index);
}

// The highlighted form: "u" appended, "_u" for the word names.
int32_t HighSlot(const char* name)
{
    char high[64];
    const bool word = name[0] == 'a' || std::string_view(name) == "giftoff";
    std::snprintf(high, sizeof high, word ? "%s_u" : "%su", name);
    return Slot(high);
}

}  // namespace

CButtonSinHo::CButtonSinHo(CMorvaneMain* owner) : m_pOwner(owner) {}

bool CButtonSinHo::LoadImages()
{
    return m_pOwner->LoadImageSets(MorvaneImageLoader::Setting);
}

void CButtonSinHo::Release()
{
    const int32_t first = MorvaneImageSlot(MorvaneImageSet::Setting);
    const int32_t count = g_MorvaneImageSets[int(MorvaneImageSet::Setting)].nCount;
    for (int32_t i = 0; i < count; ++i) {
        CX2DSprite*& sprite = m_pOwner->m_apSprite[size_t(first + i)];
        delete sprite;
        sprite = nullptr;
    }
}

int32_t CButtonSinHo::ItemCount(int32_t page)
{
    return page >= 0 && page < kPages ? kSinHoPages[page].nItems : 0;
}

void CButtonSinHo::Draw()
{
    constexpr MorvaneRect kWhole = {0, 0, 800, 600};
    CMorvaneMain& o = *m_pOwner;
    if (m_nPage < 0 || m_nPage >= kPages)
        return;
    const SinHoPage& page = kSinHoPages[m_nPage];
    const bool lit = m_nBlink++ % 40 < 20;
    o.DrawSprite(20, 19, Slot("prob_back"), kWhole);
    o.DrawSprite(29, page.fTitleY, Slot(page.pszTitle), kWhole);
    const int32_t cursor = m_anCursor[m_nPage];
    switch (m_nPage) {
    case 0:
        o.DrawSprite(272, 275, Slot("jumsoo_01"), kWhole);
        if (m_nLock == 0 && lit)
            o.DrawSprite(272, 275, Slot("jumsoo_01u"), kWhole);
        return;
    case 6:
        o.DrawSprite(348, 293, Slot("ok"), kWhole);
        return;
    case 17:
        o.DrawSprite(32, 62, Slot("changesuljung"), kWhole);
        o.DrawSprite(348, 293, Slot("ok"), kWhole);
        return;
    case 18:
        o.DrawSprite(32, 62, Slot("naljasuljung"), kWhole);
        return;
    case 19:
    case 20:
        o.DrawSprite(32, 62, Slot("jungsanview"), kWhole);
        return;
    case 7: {
        // Rates 0..11 in two columns of six: "1" plain, "2" the owner's rate, "3" the cursor.
        static constexpr char kLetters[] = "cdefgh";
        for (int32_t k = 0; k < 12; ++k) {
            const float y = k < 6 ? 82.0f + 31.0f * k : 300.0f + 31.0f * (k - 6);
            char name[8];
            const char variant = k == cursor && lit ? '3' : k == o.Rate1 ? '2' : '1';
            std::snprintf(name, sizeof name, "%c%c", kLetters[k % 6], variant);
            o.DrawSprite(page.fItemX, y, Slot(name), kWhole);
        }
        return;
    }
    default:
        break;
    }
    for (int32_t i = 0; i < page.nItems; ++i) {
        const float y = kItemTop + kItemStep * i;
        const char* item = page.apszItems[i];
        if (m_nPage == 8 && o.m_nBet == kCoinBets[i]) {
            char marked[64];
            std::snprintf(marked, sizeof marked,
                          i == cursor && lit ? "confignum/%su_s" : "confignum/%s_s", item);
            o.DrawSprite(page.fItemX, y, Slot(marked), kWhole);
            continue;
        }
        o.DrawSprite(page.fItemX, y, Slot(item), kWhole);
        if (i == cursor && lit)
            o.DrawSprite(page.fItemX, y, HighSlot(item), kWhole);
    }
}

void CButtonSinHo::NextValue()
{
    const int32_t count = ItemCount(m_nPage);
    if (count > 0)
        m_anCursor[m_nPage] = (m_anCursor[m_nPage] + 1) % count;
}

void CButtonSinHo::PrevValue()
{
    const int32_t count = ItemCount(m_nPage);
    if (count > 0)
        m_anCursor[m_nPage] = (m_anCursor[m_nPage] + count - 1) % count;
}

void CButtonSinHo::Back()
{
    if (m_nPage < 0 || m_nPage >= kPages)
        return;
    const BackRule rule = kBack[m_nPage];
    if (m_nPage == 1 || m_nPage == 2 || m_nPage == 7)
        m_nLock = 0;
    if (rule.nClearCursor >= 0)
        m_anCursor[rule.nClearCursor] = 0;
    m_nPage = rule.nPage;
}

void CButtonSinHo::Select()
{
    if (m_nPage < 0 || m_nPage >= kPages)
        return;
    const int32_t cursor = m_anCursor[m_nPage];
    CMorvaneMain& o = *m_pOwner;
    switch (m_nPage) {
    case 0:
        if (m_nLock == 0)
            m_nPage = 7;
        return;
    case 7:
        o.Rate1 = cursor;
        return;
    case 9:
        o.m_nGiftUnit = kGiftUnits[cursor];
        return;
    case 10:
        m_nJackpotA = kJackpotValues[cursor];
        return;
    case 11:
        m_nJackpotB = kJackpotValues[cursor];
        return;
    case 14:
        m_nCoinShoot = cursor;
        return;
    case 15:
        m_nSpinPattern = cursor;
        return;
    case 21:
        m_nGiftOn = kGiftOnValues[cursor];
        return;
    default: {
        const int32_t next = kSinHoPages[m_nPage].anNext[cursor];
        if (kSinHoPages[m_nPage].nItems > 0 && next > 0)
            m_nPage = next;
        return;
    }
    }
}
