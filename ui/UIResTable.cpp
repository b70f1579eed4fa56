#include "UIResTable.h"

#include <cstdio>

namespace {

constexpr UIResKind B = UIResKind::Button;
constexpr UIResKind F = UIResKind::Frames;

}  // namespace

// Slot 56 stays empty. File names are the files' own, spellings included.
const std::vector<UIResRow> g_UIResTable = {
    {0, F, nullptr, {"caption_bg.png"}},
    {1, B, "ui_btn", {"btn_Window_F00.png", "btn_Window_F01.png", "btn_Window_F02.png", nullptr}},
    {2, B, "ui_btn", {"btn_Full_F00.png", "btn_Full_F01.png", "btn_Full_F02.png", nullptr}},
    {3, B, "ui_btn", {"btn_Exit_F00.png", "btn_Exit_F01.png", "btn_Exit_F02.png", nullptr}},
    {4, B, "ui_btn", {"ok_on.png", "ok_click.png", "ok_on.png", nullptr}},
    {5, B, "ui_btn", {"cancel_on.png", "cancel_click.png", "cancel_on.png", nullptr}},
    {6, F, "ui_etcs", {"gameend_back.png"}},
    {7, F, nullptr, {"TITLE.png"}},
    {8, F, nullptr, {"loading_bg.png"}},
    {9, F, nullptr, {"Loading_back.png", "Loading_gauge.png"}},
    {10, F, nullptr, {"login.png"}},
    {11, B, "", {"Login_button_d.png", "Login_button_c.png", "Login_button_d.png", nullptr}},
    {12, B, "", {"X_Button.png", "X_Button.png", "X_Button.png", nullptr}},
    {13, B, "ui_btn",
     {"Button_CallAdministrator_Default.png", "Button_CallAdministrator_Click.png",
      "Button_CallAdministrator_Default.png", nullptr}},
    {14, B, "ui_btn", {"Button_Change_Default.png", "Button_Change_Click.png", "Button_Change_Default.png", nullptr}},
    {15, B, "ui_btn", {"Button_Charge_Default.png", "Button_Charge_Click.png", "Button_Charge_Default.png", nullptr}},
    {16, B, "ui_btn",
     {"Button_Exchange_Default.png", "Button_Exchange_Click.png", "Button_Exchange_Default.png", nullptr}},
    {17, B, "ui_btn",
     {"Button_Gameend_Default.png", "Button_Gameend_Click.png", "Button_Gameend_Default.png", nullptr}},
    {18, B, "ui_btn",
     {"Button_GameExplain_Default.png", "Button_GameExplain_Click.png", "Button_GameExplain_Default.png", nullptr}},
    {19, B, "ui_btn",
     {"Button_Mechanical_Information_Default.png", "Button_Mechanical_Information_Click.png",
      "Button_Mechanical_Information_Default.png", nullptr}},
    {20, B, "ui_btn", {"Button_MyInfo_Default.png", "Button_MyInfo_Click.png", "Button_MyInfo_Default.png", nullptr}},
    {21, B, "ui_btn",
     {"Button_Required_Default.png", "Button_Required_Click.png", "Button_Required_Default.png", nullptr}},
    {22, B, "ui_btn",
     {"Button_ReserveMachine_Default.png", "Button_ReserveMachine_Click.png", "Button_ReserveMachine_Default.png",
      nullptr}},
    {23, B, "ui_btn", {"Button_volume_on.png", "Button_volume_off.png", "Button_Volume_Click.png", nullptr}},
    {24, B, "deck_btn", {"big_3_Hold.png", "big_3_Default.png", "big_3_Hold.png", "big_3_on.png"}},
    {25, B, "deck_btn", {"big_1_Default.png", "big_1_click.png", "big_1_on.png", nullptr}},
    {26, B, "deck_btn", {"big_2_Default.png", "big_2_click.png", "big_2_on.png", nullptr}},
    {27, B, "deck_btn", {"Small_3_Hold.png", "Small_3_Default.png", "Small_3_Hold.png", "Small_3_on.png"}},
    {28, B, "deck_btn", {"Small_1_Default.png", "Small_1_click.png", "Small_1_on.png", nullptr}},
    {29, B, "deck_btn", {"Small_2_Default.png", "Small_2_click.png", "Small_2_on.png", nullptr}},
    {30, B, "deck_btn", {"Left_Move.png", "Left_Move.png", "Left_Move.png", nullptr}},
    {31, B, "deck_btn", {"Right_Move.png", "Right_Move.png", "Right_Move.png", nullptr}},
    {32, F, "", {"BUTTON_BACKLINE.png"}},
    {33, F, nullptr, {"Slot_Left_Chat_Bakgorund.png"}},
    {34, F, nullptr, {"Slot_right_Bakgorund.png"}},
    {35, F, "m_select", {"Jix_Background.png", "Morvane_Backgorund.png", "Vost_Background.png"}},
    {36, B, "m_select", {"Jix_Mainbutton_On.png", "Jix_Mainbutton_Off.png", "Jix_Mainbutton_Click.png", nullptr}},
    {37, B, "m_select",
     {"Morvane100_Mainbutton_On.png", "Morvane100_Mainbutton_Off.png", "Morvane100_Mainbutton_Click.png", nullptr}},
    {38, B, "m_select", {"Vost_Mainbutton_On.png", "Vost_Mainbutton_Off.png", "Vost_Mainbutton_Click.png", nullptr}},
    {39, B, "m_select",
     {"Morvane200_Mainbutton_On.png", "Morvane200_Mainbutton_Off.png", "Morvane200_Mainbutton_Click.png", nullptr}},
    {40, B, "m_select",
     {"Jix_ChannelButton_Back_on.png", "Jix_ChannelButton_Back_off.png", "Jix_ChannelButton_Back_Click.png",
      nullptr}},
    {41, B, "m_select",
     {"Morvane_ChannelButton_Back_on.png", "Morvane_ChannelButton_Back_off.png",
      "Morvane_ChannelButton_Back_Click.png", nullptr}},
    {42, B, "m_select",
     {"Vost_ChannelButton_Back_on.png", "Vost_ChannelButton_Back_off.png", "Vost_ChannelButton_Back_Click.png",
      nullptr}},
    {43, B, "m_select",
     {"Morvane_ChannelButton_Back_on.png", "Morvane_ChannelButton_Back_off.png",
      "Morvane_ChannelButton_Back_Click.png", nullptr}},
    {44, B, "m_select", {"Jix_SlotNumber_on.png", "Jix_SlotNumber_off.png", "Jix_SlotNumber_click.png", nullptr}},
    {45, B, "m_select",
     {"Morvane_SlotNumber_on.png", "Morvane_SlotNumber_off.png", "Morvane_SlotNumber_click.png", nullptr}},
    {46, B, "m_select", {"Vost_SlotNumber_on.png", "Vost_SlotNumber_off.png", "Vost_SlotNumber_click.png", nullptr}},
    {47, B, "m_select",
     {"Morvane_SlotNumber_on.png", "Morvane_SlotNumber_off.png", "Morvane_SlotNumber_click.png", nullptr}},
    {48, F, "m_select_num", {"number_%d.png"}, 0, 9},
    {48, F, "m_select_num",
     {"number_comma.png", "number_dollar.png", "number_exclamation.png", "number_ForwardSlash.png",
      "number_period.png", "number_question.png"}},
    {49, F, "ui_ge", {"game_reading_back.png", "game_reading_1.png", "game_reading_2.png", "game_reading_3.png"}},
    {50, B, "m_select", {"Jix_Mainbutton_On.png", "Jix_Mainbutton_Off.png", "Jix_Mainbutton_Click.png", nullptr}},
    {51, B, "m_select",
     {"Morvane_Mainbutton_On.png", "Morvane_Mainbutton_Off.png", "Morvane_Mainbutton_Click.png", nullptr}},
    {52, B, "m_select", {"Vost_Mainbutton_On.png", "Vost_Mainbutton_Off.png", "Vost_Mainbutton_Click.png", nullptr}},
    {53, F, "ui_ri", {"Reservation_back.png"}},
    {54, B, "ui_ri",
     {"Reservation_ok_button_default.png", "Reservation_ok_button_click.png", "Reservation_ok_button_default.png",
      nullptr}},
    {55, F, "ui_etcs", {"Game_Infomation_Back.png"}},
    {57, F, "ui_etcs", {"Money_exchange_Back.png"}},
    {58, B, "ui_etcs",
     {"trans_request_button_d.png", "trans_request_button_c.png", "trans_request_button_d.png", nullptr}},
    {59, F, "ui_etcs", {"Money_Charge_back.png"}},
    {60, B, "ui_etcs",
     {"charge_request_button_on.png", "charge_request_button_click.png", "charge_request_button_on.png", nullptr}},
    {61, B, "ui_etcs", {"re_write_button_on.png", "re_write_button_click.png", "re_write_button_on.png", nullptr}},
    {62, F, "ui_etcs", {"ReserveMachine_Back.png"}},
    {63, B, "ui_etcs",
     {"reservation_button_on.png", "reservation_button_Click.png", "reservation_button_on.png", nullptr}},
    {64, B, "ui_etcs", {"ReserveMachine_On_small.png", nullptr, "ReserveMachine_On_small.png", nullptr}},
    {65, F, "ui_etcs", {"Oneonone_Back.png"}},
    {66, B, "ui_etcs", {"manager_call_on.png", "manager_call_click.png", "manager_call_on.png", nullptr}},
    {67, B, "ui_etcs",
     {"Oneonone_Send_Button.png", "Oneonone_Send_Button_Click.png", "Oneonone_Send_Button.png", nullptr}},
    {68, F, "ui_ge", {"required_reading.png"}},
    {69, F, "ui_etcs", {"Gift_Certificate_Change_Back.png"}},
    {70, F, nullptr, {"Bug_Back.png"}},
    {71, F, "mor_game", {"Morv_BackgRound.png", "Morv_topBackg100.png"}},
    {72, F, "mor_game_small", {"Morv_BackgRound_small.png", "Morv_topBackg_small100.png"}},
    {73, F, "mor_game", {"Morv_BackgRound.png", "Morv_topBackg200.png"}},
    {74, F, "mor_game_small", {"Morv_BackgRound_small.png", "Morv_topBackg_small_200.png"}},
    {75, B, "mor_game", {"Morv_1_Default.png", "Morv_1_Click.png", "Morv_1_Default.png", "Morv_1_disable.png"}},
    {76, B, "mor_game", {"Morv_2_Default.png", "Morv_2_Click.png", "Morv_2_Default.png", "Morv_2_disable.png"}},
    {77, B, "mor_game", {"Morv_3_Default.png", "Morv_3_Click.png", "Morv_3_Default.png", "Morv_3_disable.png"}},
    {78, B, "mor_game_small",
     {"Morv_1_Default_small.png", "Morv_1_Click_small.png", "Morv_1_Default_small.png", "Morv_1_disable_small.png"}},
    {79, B, "mor_game_small",
     {"Morv_2_Default_small.png", "Morv_2_Click_small.png", "Morv_2_Default_small.png", "Morv_2_disable_small.png"}},
    {80, B, "mor_game_small",
     {"Morv_3_Default_small.png", "Morv_3_Click_small.png", "Morv_3_Default_small.png", "Morv_3_disable_small.png"}},
    {81, F, "pics_jix",
     {"joker.png", "cherry.png", "peach.png", "watermelon.png", "jong.png", "target.png", "star.png", "seven.png",
      "bar1.png", "bar2.png", "bar3.png"}},
    {82, F, "pics_morvane",
     {"item_a.png", "item_c.png", "item_o.png", "item_w.png", "item_b.png", "item_t.png", "item_s.png",
      "item_7.png", "item_1b.png", "item_2b.png", "item_3b.png"}},
    {83, F, "pics_pg", {"REEL%02d_0000.png"}, 1, 12},
    {84, F, "effect256_size", {"buttoneffec-%02d.png"}, 0, 24},
};

std::vector<const char*> UIResRowNames(const UIResRow& row, std::vector<std::string>& storage)
{
    std::vector<const char*> names;
    if (row.first <= row.last) {
        // Every number's name is made before any pointer into the storage is taken.
        storage.clear();
        for (int n = row.first; n <= row.last; ++n) {
            char name[128];
            std::snprintf(name, sizeof name, row.names[0], n);
            storage.emplace_back(name);
        }
        for (const std::string& name : storage)
            names.push_back(name.c_str());
        return names;
    }
    if (row.kind == UIResKind::Button)
        return {row.names[0], row.names[1], row.names[2], row.names[3]};
    for (const char* name : row.names) {
        if (!name)
            break;
        names.push_back(name);
    }
    return names;
}

std::string UIResPath(const char* folder, const char* set, const char* file)
{
    std::string path = folder;
    if (set) {
        path += '/';
        path += set;
    }
    path += '/';
    path += file;
    return path;
}
