#include "JixImageList.h"

#include <cstdio>
#include <iterator>

namespace {

const char* const kMainSample[] = {"MAIN SAMPLE"};
const char* const kBg01Top[] = {"background/bg01/background01_top",
                                "background/bg01/bg01_under_256"};
const char* const kBg02Bg03[] = {"background/bg02/bg02_top_256", "background/bg02/bg02_under_256",
                                 "background/bg03/bg03_top_256", "background/bg03/bg03_under_256"};
const char* const kTopTrans[] = {"background/bg01/background01_top_trans",
                                 "background/bg02/bg02_top_256_trans",
                                 "background/bg03/bg03_top_2561_trans"};
const char* const kTopDark[] = {"background/bg01/background01_top_dark_moon",
                                "background/bg02/bg02_top_256_dark_moon",
                                "background/bg03/bg03_top_2561_dark_moon"};
const char* const kUnderTrans[] = {"background/bg01/bg01_under_256_trans",
                                   "background/bg02/bg02_under_256_trans",
                                   "background/bg03/bg03_under_2561_trans"};
const char* const kUnderDark[] = {"background/bg01/bg01_under_256_dark_moon",
                                  "background/bg02/bg02_under_256_dark_moon",
                                  "background/bg03/bg03_under_2561_dark_moon"};
const char* const kInsertCoin[] = {"insert coin/insert coin 01", "insert coin/insert coin 02",
                                   "backitem/cloud"};
const char* const kFrames[] = {"backitem/frameGold", "backitem/frameGray", "backitem/frameGreen",
                               "backitem/frameBlue", "backitem/frameRed",  "backitem/Title",
                               "backitem/Title1"};
const char* const kTitles[] = {
    "title/1BAR840",   "title/1BAR841",   "title/1BAR842",   "title/2BAR940",  "title/2BAR941",
    "title/2BAR942",   "title/3BAR1040",  "title/3BAR1041",  "title/3BAR1042", "title/1BAR830",
    "title/1BAR831",   "title/1BAR832",   "title/2BAR930",   "title/2BAR931",  "title/2BAR932",
    "title/3BAR1030",  "title/3BAR1031",  "title/3BAR1032",  "title/JACKPOT",  "title/SEVEN740",
    "title/SEVEN741",  "title/SEVEN742",  "title/STAR640",   "title/STAR641",  "title/STAR642",
    "title/TARGET540", "title/TARGET541", "title/TARGET542", "title/BELL440",  "title/BELL441",
    "title/BELL442",   "title/FRUIT340",  "title/FRUIT341",  "title/FRUIT342", "Text_Fever"};
const char* const kComma[] = {"number/comma",
                              "credit",
                              "gift",
                              "spin",
                              "evil/evil",
                              "evil/evil_ani/evil_000",
                              "evil/evil_ani/evil_001",
                              "evil/evil_ani/evil_002",
                              "evil/evil_ani/evil_003"};
const char* const kManager[] = {"maanger/Gabasic",
                                "maanger/Nabasic",
                                "maanger/Dabasic",
                                "maanger/Labasic",
                                "maanger/Mabasic",
                                "maanger/Babasic",
                                "maanger/Gaover",
                                "maanger/Naover",
                                "maanger/Daover",
                                "maanger/Laover",
                                "maanger/Maover",
                                "maanger/Baover",
                                "maanger/Gaselect",
                                "maanger/Naselect",
                                "maanger/Daselect",
                                "maanger/Laselect",
                                "maanger/Maselect",
                                "maanger/Baselect",
                                "maanger/Title_reelIcon",
                                "maanger/Title_medal",
                                "maanger/Title_changeBg",
                                "maanger/Title_spinIcon",
                                "maanger/Title_iconScore",
                                "maanger/Title_jackpot",
                                "Reel/joker",
                                "Reel/cherry",
                                "Reel/peach",
                                "Reel/watermelon",
                                "Reel/jong",
                                "Reel/target",
                                "Reel/star",
                                "Reel/seven",
                                "Reel/bar1",
                                "Reel/bar2",
                                "Reel/bar3"};
const char* const kPins[] = {"item/pin", "item/pin_0000"};
const char* const kGroundCrack[] = {"c1ex/GroundCrack/c10019",  "c1ex/GroundCrack/c10020",
                                    "c1ex/GroundCrack/c10028",  "c1ex/GroundCrack2/c10019",
                                    "c1ex/GroundCrack2/c10020", "c1ex/GroundCrack2/c10028"};

#define JIX_NAMES(first, list)                                                                     \
    {                                                                                              \
        first, int16_t(std::size(list)), nullptr, 0, list                                          \
    }
#define JIX_FRAMES(first, count, pattern, frame)                                                   \
    {                                                                                              \
        first, count, pattern, frame, nullptr                                                      \
    }

const JixImageRun kRuns[] = {
    JIX_NAMES(1, kMainSample),
    JIX_NAMES(2, kBg01Top),
    JIX_NAMES(5, kBg02Bg03),
    JIX_NAMES(9, kTopTrans),
    JIX_NAMES(12, kTopDark),
    JIX_NAMES(15, kUnderTrans),
    JIX_NAMES(18, kUnderDark),
    JIX_NAMES(21, kInsertCoin),
    JIX_FRAMES(24, 12, "coin/coin%02d", 1),
    JIX_NAMES(36, kFrames),
    JIX_NAMES(43, kTitles),
    JIX_FRAMES(78, 8, "bar/bar%03d", 1),
    JIX_NAMES(86, kComma),
    JIX_FRAMES(95, 22, "reel_ani/bar1/bar1_%04d", 0),
    JIX_FRAMES(117, 9, "reel_ani/bar1_basic/bar1_basic_%04d", 0),
    JIX_FRAMES(126, 23, "reel_ani/bar2/bar2_%04d", 0),
    JIX_FRAMES(149, 9, "reel_ani/bar2_basic/bar2_basic_%04d", 0),
    JIX_FRAMES(158, 82, "reel_ani/bar3/bar3_%04d", 0),
    JIX_FRAMES(240, 9, "reel_ani/bar3_basic/bar3_basic_%04d", 0),
    JIX_FRAMES(249, 9, "reel_ani/seven_basic/seven_basic_%04d", 0),
    JIX_FRAMES(258, 9, "reel_ani/star_basic/star_basic_%04d", 0),
    JIX_FRAMES(267, 9, "reel_ani/target_basic/target_basic_%04d", 0),
    JIX_FRAMES(276, 22, "reel_ani/seven/seven_%04d", 0),
    JIX_FRAMES(298, 24, "reel_ani/star/star_%04d", 0),
    JIX_FRAMES(322, 21, "reel_ani/target/target_%04d", 0),
    JIX_FRAMES(343, 9, "reel_ani/bell_basic/bell_basic_%04d", 0),
    JIX_FRAMES(352, 12, "reel_ani/watermelon/watermelon_%04d", 0),
    JIX_FRAMES(364, 9, "reel_ani/peach/peach_%04d", 0),
    JIX_FRAMES(373, 9, "reel_ani/cherry/cherry_%04d", 0),
    JIX_FRAMES(382, 9, "reel_ani/joker_basic/joker_basic_%04d", 0),
    JIX_FRAMES(391, 14, "reel_ani/joker_etc/cngjoker_%04d", 0),
    JIX_FRAMES(405, 49, "reel_ani/joker/joker_%04d", 0),
    JIX_FRAMES(454, 13, "reel_ani/bell/bell_%04d", 0),
    JIX_FRAMES(467, 10, "reel_ani/watermelon_basic/watermelon_basic_%04d", 0),
    JIX_FRAMES(477, 19, "fire/basic02/effect%04d", 1),
    JIX_FRAMES(496, 19, "fire/basic03/effect3%03d", 1),
    JIX_FRAMES(515, 19, "fire/basic04/effect4%03d", 1),
    JIX_FRAMES(534, 19, "fire/basic05/effect5%03d", 1),
    JIX_FRAMES(553, 19, "fire/basic06/effect6%03d", 1),
    JIX_FRAMES(572, 19, "background/bg01/tree_Right/tree_Right_%04d", 0),
    JIX_FRAMES(591, 15, "background/bg01/tree_left/tree_left_%04d", 0),
    JIX_FRAMES(606, 25, "background/bg02/bird/bird_%04d", 0),
    JIX_FRAMES(631, 8, "background/bg03/LFlag/LFlag_%04d", 0),
    JIX_FRAMES(639, 8, "background/bg03/RFlag/RFlag_%04d", 0),
    JIX_FRAMES(647, 8, "Ally3/q_%02d", 0),
    JIX_NAMES(655, kManager),
    JIX_FRAMES(690, 8, "item/Dd11/Dd11_%04d", 0),
    JIX_FRAMES(698, 8, "item/Dd9/Dd9_%04d", 0),
    JIX_FRAMES(706, 8, "item/Dd10/Dd10_%04d", 0),
    JIX_FRAMES(714, 8, "item/Dd14/Dd14_%04d", 0),
    JIX_FRAMES(722, 9, "item/Dd12/Dd12_%04d", 0),
    JIX_FRAMES(731, 10, "item/Dd13/Dd13_%04d", 0),
    JIX_FRAMES(741, 6, "item/Dd%d", 9),
    JIX_FRAMES(747, 19, "ticket_text/t%02d", 1),
    JIX_FRAMES(766, 19, "ticket_text/TicketNo/t%02d", 20),
    JIX_FRAMES(785, 12, "ticket_text/EmitText/t%02d", 1),
    JIX_FRAMES(797, 13, "ticket_text/EmitText/n%02d", 1),
    JIX_NAMES(810, kPins),
    JIX_FRAMES(812, 20, "ally2_ani/Horse%02d", 1),
    JIX_FRAMES(832, 20, "jix_ani/s%02d", 1),
    JIX_FRAMES(852, 20, "ally3_ani/sa%02d", 1),
    JIX_FRAMES(872, 20, "ally1_ani/j%02d", 1),
    JIX_FRAMES(892, 10, "number/num%04d", 0),
    JIX_FRAMES(902, 10, "nember_etc/number%04d", 0),
    JIX_FRAMES(912, 10, "number_credit/number%04d", 0),
    JIX_FRAMES(922, 99, "jix_ex/mcact%04d", 1),
    JIX_FRAMES(1021, 70, "c1ex/c1%04d", 1),
    JIX_NAMES(1091, kGroundCrack),
    JIX_FRAMES(1097, 146, "ally2_ex/c2_%04d", 0),
    JIX_FRAMES(1243, 125, "c3/c3_%04d", 0),
    JIX_FRAMES(1368, 48, "c3/fly_act_2/fly_act_2_%04d", 1),
    JIX_FRAMES(1416, 48, "c3/fly_act_1/fly_act_1_%04d", 1),
    JIX_FRAMES(1464, 91, "drg_gd/drg%02d", 0),
    JIX_FRAMES(1555, 55, "dagonfire/DGFIRE/dgfire_%02d", 0),
    JIX_FRAMES(1610, 24, "dagonfire/drg_fr1/drg_fr1_%03d", 0),
    JIX_FRAMES(1634, 43, "dagonfire/drg_fr2/drg_fr2_%03d", 0),
    JIX_FRAMES(1677, 19, "bg_trans/bg01_bg02/bg01_bg02_%04d", 0),
    JIX_FRAMES(1696, 19, "bg_trans/bg02_bg03/bg02_bg03_%04d", 0),
    JIX_FRAMES(1715, 19, "bg_trans/bg03_bg01/bg03_bg01_%04d", 0),
    JIX_FRAMES(1734, 23, "3.7.s.t/3.7.s.t%02d", 1),
};

#undef JIX_NAMES
#undef JIX_FRAMES

}  // namespace

const JixImageRun* JixImageRuns(int* pCount)
{
    *pCount = int(std::size(kRuns));
    return kRuns;
}

std::string JixImageName(int nSlot)
{
    for (const JixImageRun& run : kRuns) {
        const int nIndex = nSlot - run.nFirstSlot;
        if (nIndex < 0 || nIndex >= run.nCount)
            continue;
        if (run.ppNames)
            return run.ppNames[nIndex];
        char szName[128];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
        std::snprintf(szName, sizeof(szName), run.pszPattern, run.nFirstFrame + nIndex);
#pragma GCC diagnostic pop
        return szName;
    }
    return {};
}
