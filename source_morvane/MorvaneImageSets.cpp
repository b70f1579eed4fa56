#include "MorvaneImageSets.h"

#include <cstdio>
#include <cstring>
#include <iterator>

namespace {

using L = MorvaneImageLoader;
using S = MorvaneImageSet;

// Symbol cells as the reels draw them (146 x 125), ids 0 to 10.
const MorvaneImageName kSymbols[] = {
    {"image/item/item_a", 146, 125},  {"image/item/item_c", 146, 125},
    {"image/item/item_o", 146, 125},  {"image/item/item_w", 146, 125},
    {"image/item/item_b", 146, 125},  {"image/item/item_t", 146, 125},
    {"image/item/item_s", 146, 125},  {"image/item/item_7", 146, 125},
    {"image/item/item_1b", 146, 125}, {"image/item/item_2b", 146, 125},
    {"image/item/item_3b", 146, 125},
};

const MorvaneImageName kPanels[] = {
    {"image/bar-256", 800, 100},
    {"image/n_csb-256", 800, 100},
    {"image/n_f02-256", 800, 100},
    {"image/back", 800, 600},
    {"image/back-256", 800, 600},
    {"image/backM-256", 800, 600},
    {"image/event", 400, 100},
    {"image/pay", 400, 300},
    {"image/marks", 200, 50},
    {"image/box_ani", 200, 100},
    {"image/box_ani_01", 200, 100},
    {"image/fever-reel", 800, 450},
    {"image/fever-reel_down", 800, 150},
    {"image/fever_ani", 400, 100},
};

const MorvaneImageName kSmallDigits[] = {
    {"image/number-bmp/0", 24, 32},    {"image/number-bmp/1", 24, 32},
    {"image/number-bmp/2", 24, 32},    {"image/number-bmp/3", 24, 32},
    {"image/number-bmp/4", 24, 32},    {"image/number-bmp/5", 24, 32},
    {"image/number-bmp/6", 24, 32},    {"image/number-bmp/7", 24, 32},
    {"image/number-bmp/8", 24, 32},    {"image/number-bmp/9", 24, 32},
    {"image/number-bmp/goma", 24, 32},
};

const MorvaneImageName kMessages[] = {
    {"image/ment/gift-ment", 564, 97},  {"image/ment/rest", 564, 97},
    {"image/ment/jungsan", 564, 97},    {"image/ment/gift", 564, 97},
    {"image/ment/CoinNo", 564, 97},     {"image/ment/double", 564, 97},
    {"image/ment/insertcoin", 564, 97},
};

const MorvaneImageName kSeriesMarks[] = {
    {"image/series2_ani", 200, 100},  {"image/series3_ani", 200, 100},
    {"image/series5_ani", 200, 100},  {"image/series10_ani", 200, 100},
    {"image/series20_ani", 200, 100},
};

const MorvaneImageName kMultipliers[] = {
    {"image/x2-256", 120, 60},    {"image/x3-256", 120, 60},   {"image/x5-256", 120, 60},
    {"image/x10-256", 120, 60},   {"image/x20-256", 120, 60},  {"image/x2-reel", 146, 125},
    {"image/x3-reel", 146, 125},  {"image/x5-reel", 146, 125}, {"image/x10-reel", 146, 125},
    {"image/x20-reel", 146, 125},
};

// Highlight strips hold their frames side by side (frame size x frame count).
const MorvaneImageName kHighlighted[] = {
    {"image/1B", 294, 149},    {"image/1B-H", 2400, 160}, {"image/2B", 300, 150},
    {"image/2B-H", 2400, 160}, {"image/3B", 300, 150},    {"image/3B-H", 2400, 160},
    {"image/7", 900, 150},     {"image/7_H", 3450, 150},  {"image/S", 450, 150},
    {"image/S_H", 450, 150},   {"image/A", 600, 150},     {"image/A_1B", 3040, 160},
    {"image/A_2B", 3040, 160}, {"image/A_3B", 3040, 160}, {"image/A_C", 1200, 150},
    {"image/A_O", 1050, 150},  {"image/A_W", 1050, 150},  {"image/A_B", 1800, 150},
    {"image/A_T", 2100, 150},  {"image/A_S", 1050, 150},  {"image/A_7", 4050, 150},
    {"image/B", 1200, 150},    {"image/C", 600, 150},     {"image/O", 540, 150},
    {"image/T", 1500, 150},    {"image/W", 680, 150},
};

const MorvaneImageName kBigSymbols[] = {
    {"image/big-item/c_big", 368, 358},  {"image/big-item/o_big", 368, 358},
    {"image/big-item/w_big", 368, 358},  {"image/big-item/b_big", 382, 368},
    {"image/big-item/t_big", 382, 368},  {"image/big-item/s_big", 382, 368},
    {"image/big-item/7_big", 382, 368},  {"image/big-item/1b_big", 435, 352},
    {"image/big-item/2b_big", 435, 352}, {"image/big-item/3b_big", 435, 352},
};

const MorvaneImageName kCoinAndTicket[] = {
    {"Image/JACPOT/coin", 64, 64},
    {"image/ticket_coin/ticket_window", 564, 97},
    {"image/ticket_coin/coin_window", 564, 97},
};

const MorvaneImageName kDoubleSetA[] = {
    {"image/DDGame/A/sub_back", 800, 600},      {"image/DDGame/A/sub_card", 120, 170},
    {"image/DDGame/A/sub_closecard", 120, 170}, {"image/DDGame/A/closecard_b", 120, 170},
    {"image/DDGame/A/sub_lose", 300, 100},      {"image/DDGame/A/sub_win", 300, 100},
    {"image/DDGame/A/sub_g1_00", 120, 170},     {"image/DDGame/A/sub_g1_01", 120, 170},
    {"image/DDGame/A/sub_g1_02", 120, 170},     {"image/DDGame/A/sub_g1_03", 120, 170},
    {"image/DDGame/A/sub_g1_04", 120, 170},     {"image/DDGame/A/na-pic01", 200, 200},
    {"image/DDGame/A/na-pic02", 200, 200},      {"image/DDGame/A/na-win", 300, 100},
    {"image/DDGame/A/na-lose", 300, 100},       {"image/DDGame/A/congratulation", 400, 100},
    {"image/DDGame/A/count", 200, 60},
};

const MorvaneImageName kDoubleSetB[] = {
    {"image/DDGame/B/sub_g1_00", 120, 170}, {"image/DDGame/B/sub_g1_01", 120, 170},
    {"image/DDGame/B/sub_g1_02", 120, 170}, {"image/DDGame/B/sub_g1_03", 120, 170},
    {"image/DDGame/B/sub_g1_04", 120, 170},
};

const MorvaneImageName kDoubleSetC[] = {
    {"image/DDGame/C/sub_back", 800, 600},  {"image/DDGame/C/sub_g1_00", 120, 170},
    {"image/DDGame/C/sub_g1_01", 120, 170}, {"image/DDGame/C/sub_g1_02", 120, 170},
    {"image/DDGame/C/sub_g1_03", 120, 170}, {"image/DDGame/C/sub_g1_04", 120, 170},
    {"image/DDGame/C/na-pic01", 200, 200},  {"image/DDGame/C/na-pic02", 200, 200},
    {"image/DDGame/C/na-win", 300, 100},    {"image/DDGame/C/na-lose", 300, 100},
};

const MorvaneImageName kJackpotStars[] = {
    {"Image/JACPOT/bg_star_01", 64, 64},
    {"Image/JACPOT/bg_star_02", 64, 64},
};
const MorvaneImageName kJackpotGirlStrip[] = {{"image/JACPOT/girl", 400, 500}};
const MorvaneImageName kJackpotBanner[] = {{"image/jackpot", 600, 200}};
const MorvaneImageName kJackpotGirl[] = {
    {"Image/jackpotgirl/girl1", 400, 500}, {"Image/jackpotgirl/girl2", 400, 500},
    {"image/jackpotgirl/mun1", 200, 200},  {"image/jackpotgirl/mun2", 200, 200},
    {"image/jackpotgirl/mun3", 200, 200},  {"image/jackpotgirl/mun4", 200, 200},
    {"image/jackpotgirl/mun5", 200, 200},
};

// Light items: the first eight names come from a table of 32-byte slots, the last two separately;
// the same ten names either way.
const MorvaneImageName kLightItems[] = {
    {"image/Lighting/LightItem/item_c", 150, 150},  {"image/Lighting/LightItem/item_o", 150, 150},
    {"image/Lighting/LightItem/item_w", 150, 150},  {"image/Lighting/LightItem/item_b", 150, 150},
    {"image/Lighting/LightItem/item_t", 150, 150},  {"image/Lighting/LightItem/item_s", 150, 150},
    {"image/Lighting/LightItem/item_7", 150, 150},  {"image/Lighting/LightItem/item_1b", 150, 150},
    {"image/Lighting/LightItem/item_2b", 150, 150}, {"image/Lighting/LightItem/item_3b", 150, 150},
};

const MorvaneImageName kCurtain[] = {
    {"Image/curtain_ani/textile_L_1", 100, 150}, {"Image/curtain_ani/textile_L_2", 100, 150},
    {"Image/curtain_ani/textile_L_3", 100, 150}, {"Image/curtain_ani/textile_L_4", 100, 150},
    {"Image/curtain_ani/textile_L_5", 100, 150}, {"Image/curtain_ani/textile_L_6", 100, 150},
    {"Image/curtain_ani/textile_L_7", 100, 150}, {"Image/curtain_ani/textile_L_8", 100, 150},
    {"Image/curtain_ani/textile_R_1", 100, 150}, {"Image/curtain_ani/textile_R_2", 100, 150},
    {"Image/curtain_ani/textile_R_3", 100, 150}, {"Image/curtain_ani/textile_R_4", 100, 150},
    {"Image/curtain_ani/textile_R_5", 100, 150}, {"Image/curtain_ani/textile_R_6", 100, 150},
    {"Image/curtain_ani/textile_R_7", 100, 150}, {"Image/curtain_ani/textile_R_8", 100, 150},
};

// The operator setting screen: background, title bars and every item with its highlighted form.
const MorvaneImageName kSetting[] = {
    {"image/config/prob_back", 760, 560},
    {"image/config/bar01", 740, 50},
    {"image/config/bar02", 740, 50},
    {"image/config/bar03", 740, 50},
    {"image/config/bar04", 740, 50},
    {"image/config/bar05", 740, 50},
    {"image/config/bar06", 740, 50},
    {"image/config/bar07", 740, 50},
    {"image/config/bar08", 740, 50},
    {"image/config/bar09", 740, 50},
    {"image/config/bar10", 740, 50},
    {"image/config/bar11", 740, 50},
    {"image/config/bar12", 740, 50},
    {"image/config/bar13", 740, 50},
    {"image/config/bar14", 740, 50},
    {"image/config/bar15", 740, 50},
    {"image/config/bar16", 740, 50},
    {"image/config/bar17", 740, 50},
    {"image/config/bar18", 740, 50},
    {"image/config/bar19", 740, 50},
    {"image/config/bar20", 740, 50},
    {"image/config/bar21", 740, 50},
    {"image/config/bar22", 740, 50},
    {"image/config/jumsoo_01", 256, 46},
    {"image/config/jumsoo_01u", 256, 46},
    {"image/config/jumsoo_02", 256, 46},
    {"image/config/jumsoo_02u", 256, 46},
    {"image/config/jumsoo_03", 256, 46},
    {"image/config/jumsoo_03u", 256, 46},
    {"image/config/jumsoo_04", 256, 46},
    {"image/config/jumsoo_04u", 256, 46},
    {"image/config/jumsoo_05", 256, 46},
    {"image/config/jumsoo_05u", 256, 46},
    {"image/config/jumsoo_06", 256, 46},
    {"image/config/jumsoo_06u", 256, 46},
    {"image/config/jumsoo_07", 256, 46},
    {"image/config/jumsoo_07u", 256, 46},
    {"image/config/game_sul_01", 256, 46},
    {"image/config/game_sul_01u", 256, 46},
    {"image/config/game_sul_02", 256, 46},
    {"image/config/game_sul_02u", 256, 46},
    {"image/config/game_sul_03", 256, 46},
    {"image/config/game_sul_03u", 256, 46},
    {"image/config/game_sul_04", 256, 46},
    {"image/config/game_sul_04u", 256, 46},
    {"image/config/jungsan_01", 256, 46},
    {"image/config/jungsan_01u", 256, 46},
    {"image/config/jungsan_02", 256, 46},
    {"image/config/jungsan_02u", 256, 46},
    {"image/config/jungsan_03", 256, 46},
    {"image/config/jungsan_03u", 256, 46},
    {"image/config/partsuljung_01", 256, 46},
    {"image/config/partsuljung_01u", 256, 46},
    {"image/config/partsuljung_02", 256, 46},
    {"image/config/partsuljung_02u", 256, 46},
    {"image/config/partsuljung_03", 256, 46},
    {"image/config/partsuljung_03u", 256, 46},
    {"image/config/partsuljung_04", 256, 46},
    {"image/config/partsuljung_04u", 256, 46},
    {"image/config/suljungvalue_01", 256, 46},
    {"image/config/suljungvalue_01u", 256, 46},
    {"image/config/suljungvalue_02", 256, 46},
    {"image/config/suljungvalue_02u", 256, 46},
    {"image/config/ok", 104, 40},
    {"image/config/c1", 150, 28},
    {"image/config/d1", 150, 28},
    {"image/config/e1", 150, 28},
    {"image/config/f1", 150, 28},
    {"image/config/g1", 150, 28},
    {"image/config/h1", 150, 28},
    {"image/config/c2", 150, 28},
    {"image/config/d2", 150, 28},
    {"image/config/e2", 150, 28},
    {"image/config/f2", 150, 28},
    {"image/config/g2", 150, 28},
    {"image/config/h2", 150, 28},
    {"image/config/c3", 150, 28},
    {"image/config/d3", 150, 28},
    {"image/config/e3", 150, 28},
    {"image/config/f3", 150, 28},
    {"image/config/g3", 150, 28},
    {"image/config/h3", 150, 28},
    {"image/config/coinjumsoo50", 256, 46},
    {"image/config/coinjumsoo50u", 256, 46},
    {"image/config/coinjumsoo125", 256, 46},
    {"image/config/coinjumsoo125u", 256, 46},
    {"image/config/coinjumsoo250", 256, 46},
    {"image/config/coinjumsoo250u", 256, 46},
    {"image/config/coinjumsoo500", 256, 46},
    {"image/config/coinjumsoo500u", 256, 46},
    {"image/config/confignum/coinjumsoo50_s", 256, 46},
    {"image/config/confignum/coinjumsoo50u_s", 256, 46},
    {"image/config/confignum/coinjumsoo125_s", 256, 46},
    {"image/config/confignum/coinjumsoo125u_s", 256, 46},
    {"image/config/confignum/coinjumsoo250_s", 256, 46},
    {"image/config/confignum/coinjumsoo250u_s", 256, 46},
    {"image/config/confignum/coinjumsoo500_s", 256, 46},
    {"image/config/confignum/coinjumsoo500u_s", 256, 46},
    {"image/config/giftjumsoo1250", 256, 46},
    {"image/config/giftjumsoo1250u", 256, 46},
    {"image/config/giftjumsoo2500", 256, 46},
    {"image/config/giftjumsoo2500u", 256, 46},
    {"image/config/giftjumsoo5000", 256, 46},
    {"image/config/giftjumsoo5000u", 256, 46},
    {"image/config/giftjumsoo10000", 256, 46},
    {"image/config/giftjumsoo10000u", 256, 46},
    {"image/config/jpjumsoo_n01", 256, 46},
    {"image/config/jpjumsoo_n01u", 256, 46},
    {"image/config/jpjumsoo_n02", 256, 46},
    {"image/config/jpjumsoo_n02u", 256, 46},
    {"image/config/jpjumsoo_n03", 256, 46},
    {"image/config/jpjumsoo_n03u", 256, 46},
    {"image/config/jpjumsoo_n04", 256, 46},
    {"image/config/jpjumsoo_n04u", 256, 46},
    {"image/config/jpjumsoo_n05", 256, 46},
    {"image/config/jpjumsoo_n05u", 256, 46},
    {"image/config/jpjumsoo_2n01", 256, 46},
    {"image/config/jpjumsoo_2n01u", 256, 46},
    {"image/config/jpjumsoo_2n02", 256, 46},
    {"image/config/jpjumsoo_2n02u", 256, 46},
    {"image/config/jpjumsoo_2n03", 256, 46},
    {"image/config/jpjumsoo_2n03u", 256, 46},
    {"image/config/jpjumsoo_2n04", 256, 46},
    {"image/config/jpjumsoo_2n04u", 256, 46},
    {"image/config/jpjumsoo_2n05", 256, 46},
    {"image/config/jpjumsoo_2n05u", 256, 46},
    {"image/config/winjumsoo_01", 256, 46},
    {"image/config/winjumsoo_01u", 256, 46},
    {"image/config/winjumsoo_02", 256, 46},
    {"image/config/winjumsoo_02u", 256, 46},
    {"image/config/savejumsoo_03", 256, 46},
    {"image/config/savejumsoo_03u", 256, 46},
    {"image/config/savejumsoo_04", 256, 46},
    {"image/config/savejumsoo_04u", 256, 46},
    {"image/config/coinshoot_01", 256, 46},
    {"image/config/coinshoot_01u", 256, 46},
    {"image/config/coinshoot_02", 256, 46},
    {"image/config/coinshoot_02u", 256, 46},
    {"image/config/coinshoot_03", 256, 46},
    {"image/config/coinshoot_03u", 256, 46},
    {"image/config/reel_01", 256, 46},
    {"image/config/reel_01u", 256, 46},
    {"image/config/reel_02", 256, 46},
    {"image/config/reel_02u", 256, 46},
    {"image/config/reel_03", 256, 46},
    {"image/config/reel_03u", 256, 46},
    {"image/config/addon", 256, 46},
    {"image/config/addon_u", 256, 46},
    {"image/config/addoff", 256, 46},
    {"image/config/addoff_u", 256, 46},
    {"image/config/changesuljung", 736, 480},
    {"image/config/naljasuljung", 736, 480},
    {"image/config/jungsanview", 736, 480},
    {"image/config/gifton_01", 256, 46},
    {"image/config/gifton_01u", 256, 46},
    {"image/config/gifton_02", 256, 46},
    {"image/config/gifton_02u", 256, 46},
    {"image/config/gifton_03", 256, 46},
    {"image/config/gifton_03u", 256, 46},
    {"image/config/gifton_04", 256, 46},
    {"image/config/gifton_04u", 256, 46},
    {"image/config/giftoff", 256, 46},
    {"image/config/giftoff_u", 256, 46},
};

template <size_t N>
constexpr MorvaneImageSetDef Named(S set, L loader, const MorvaneImageName (&names)[N])
{
    return {set, loader, nullptr, names, int32_t(N), 0, 1, 0, 0};
}

constexpr MorvaneImageSetDef Numbered(S set, L loader, const char* format, int32_t count,
                                      int32_t first, int16_t width, int16_t height,
                                      int32_t step = 1)
{
    return {set, loader, format, nullptr, count, first, step, width, height};
}

}  // namespace

const MorvaneImageSetDef g_MorvaneImageSets[static_cast<int>(MorvaneImageSet::Count)] = {
    Named(S::Symbols, L::Game, kSymbols),
    Named(S::Panels, L::Game, kPanels),
    Named(S::SmallDigits, L::Game, kSmallDigits),
    Numbered(S::MainPanels, L::Game, "image/main/main_%02d", 13, 0, 64, 64),
    Named(S::Messages, L::Game, kMessages),
    Named(S::SeriesMarks, L::Game, kSeriesMarks),
    Numbered(S::FeverNumbers, L::Game, "Image/FEVER/FEVER%d", 10, 1, 800, 600),
    Named(S::Multipliers, L::Game, kMultipliers),
    Named(S::HighlightedSymbols, L::Game, kHighlighted),
    Named(S::BigSymbols, L::Game, kBigSymbols),
    Named(S::CoinAndTicket, L::Game, kCoinAndTicket),
    Numbered(S::DoubleDance, L::DoubleGame, "image/DDGame/A/dance_%02d", 49, 1, 64, 64),
    Numbered(S::DoubleX2, L::DoubleGame, "Image/DDGame/db_x2/db_x2_%02d", 17, 1, 64, 64),
    Numbered(S::DoubleX2C, L::DoubleGame, "Image/DDGame/db_x2_c/db_c_x2_%02d", 17, 1, 64, 64),
    Named(S::DoubleSetA, L::DoubleGame, kDoubleSetA),
    Named(S::DoubleSetB, L::DoubleGame, kDoubleSetB),
    Named(S::DoubleSetC, L::DoubleGame, kDoubleSetC),
    Numbered(S::Neon, L::Effect, "Image/HighAllocationNeon/neon_%02d", 3, 1, 64, 64),
    Numbered(S::Gun, L::Effect, "Image/blank/gun_%02d", 19, 1, 64, 64),
    Numbered(S::Light, L::Effect, "Image/light/light_%02d", 11, 1, 64, 64),
    Numbered(S::Firework512, L::Effect, "Image/firework/512/512_bomb_%02d", 29, 1, 64, 64),
    Numbered(S::Firework400, L::Effect, "Image/firework/400/400_bomb_%02d", 10, 1, 64, 64),
    Numbered(S::Firework240, L::Effect, "Image/firework/240/240_bomb_%02d", 16, 1, 64, 64),
    Numbered(S::Firework304, L::Effect, "Image/firework/304/304_bomb_%02d", 16, 1, 64, 64),
    Numbered(S::Firework320, L::Effect, "Image/firework/320/320_bomb_%02d", 31, 1, 64, 64),
    Named(S::JackpotStars, L::Effect, kJackpotStars),
    Named(S::JackpotGirlStrip, L::Effect, kJackpotGirlStrip),
    Named(S::JackpotBanner, L::Effect, kJackpotBanner),
    Numbered(S::Dance, L::Effect, "image/Highdance/dancecut_b/dance_%02d", 36, 0, 64, 64),
    Named(S::JackpotGirl, L::Effect, kJackpotGirl),
    Numbered(S::Fire, L::Effect, "image/fire2/fire%04d", 25, 0, 64, 64),
    Numbered(S::Horse, L::Animation, "image/Horse/horse%04d", 169, 7, 64, 64),
    Numbered(S::Yang, L::Animation, "image/yang/yang%04d", 56, 4, 64, 64),
    Numbered(S::LightBoom, L::Animation, "image/Lighting/LightBoom/bomb%04d", 20, 0, 64, 64),
    Named(S::LightItems, L::Animation, kLightItems),
    Numbered(S::FireFrames, L::Animation, "Image/fire/f_%02d", 21, 1, 64, 64),
    Named(S::Curtain, L::Animation, kCurtain),
    Numbered(S::Stones, L::Animation, "Image/Rock/RockAni/ston%04d", 19, 1, 64, 64),
    Numbered(S::KeyAndLock, L::Animation, "Image/Rock/RockLock/key&lock%04d", 17, 16, 64, 64, -1),
    Numbered(S::StoneBursts, L::Animation, "Image/Rock/Rockboom/ston_bomb%04d", 15, 0, 64, 64),
    Named(S::Setting, L::Setting, kSetting),
};

int32_t MorvaneImageSlot(MorvaneImageSet set, int32_t index)
{
    int32_t slot = 0;
    for (const MorvaneImageSetDef& def : g_MorvaneImageSets) {
        if (def.eSet == set)
            return slot + index;
        slot += def.nCount;
    }
    return slot + index;
}

int32_t MorvaneImageSlotCount()
{
    return MorvaneImageSlot(MorvaneImageSet::Count);
}

std::string MorvaneImageFile(const MorvaneImageSetDef& def, int32_t index)
{
    if (def.pNames)
        return def.pNames[index].pszName;
    char name[128];
    std::snprintf(name, sizeof name, def.pszFormat, def.nFirst + index * def.nStep);
    return name;
}

void MorvaneImageSize(const MorvaneImageSetDef& def, int32_t index, int* width, int* height)
{
    *width = def.pNames ? def.pNames[index].nWidth : def.nWidth;
    *height = def.pNames ? def.pNames[index].nHeight : def.nHeight;
}

int32_t MorvaneSettingImage(const char* name)
{
    constexpr size_t kPrefix = sizeof "image/config/" - 1;
    for (int32_t i = 0; i < int32_t(std::size(kSetting)); ++i)
        if (std::strcmp(kSetting[i].pszName + kPrefix, name) == 0)
            return i;
    return -1;
}
