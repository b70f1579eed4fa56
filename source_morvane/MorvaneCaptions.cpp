#include "MorvaneCaptions.h"

#include <cstdio>
#include <initializer_list>

namespace {

struct CaptionRow {
    int32_t nCode;
    const char* pszText;
};

// Win code = symbol x 100 + row x 10 + count (rows 1 top, 2 centre, 3 bottom).
const CaptionRow kCaptions[] = {
    {111, "  상단 체리 "},     {121, "  센터 체리 "},     {131, "  하단 체리 "},
    {112, "  상단 체리 2"},    {122, "  센터 체리 2"},    {132, "  하단 체리 2"},
    {113, "  상단 체리 3"},    {123, "  센터 체리 3"},    {133, "  하단 체리 3"},
    {114, " 상단  포  체리"},  {124, " 센터  포  체리"},  {134, " 하단  포  체리"},
    {115, " 상단  포  체리"},  {125, " 센터  포  체리"},  {135, " 하단  포  체리"},
    {213, "  상단 오렌지"},    {223, "  센터 오렌지"},    {233, "  하단 오렌지"},
    {214, " 상단 포 오렌지"},  {224, " 센터 포 오렌지"},  {234, " 하단 포 오렌지"},
    {215, " 상단 포 오렌지"},  {225, " 센터 포 오렌지"},  {235, " 하단 포 오렌지"},
    {313, "   상단  수박"},    {323, "   센터  수박"},    {333, "   하단  수박"},
    {314, " 상단  포  수박"},  {324, " 센터  포  수박"},  {334, " 하단  포  수박"},
    {315, " 상단  포  수박"},  {325, " 센터  포  수박"},  {335, " 하단  포  수박"},
    {413, "     상단 벨"},     {423, "     센터 벨"},     {433, "     하단 벨"},
    {414, "  상단  포  벨"},   {424, "  센터  포  벨"},   {434, "  하단  포  벨"},
    {415, "  상단  포  벨"},   {425, "  센터  포  벨"},   {435, "  하단  포  벨"},
    {512, "  상단 타겟 2"},    {522, "  센터 타겟 2"},    {532, "  하단 타겟 2"},
    {513, "   상단  타겟"},    {523, "   센터  타겟"},    {533, "   하단  타겟"},
    {514, " 상단  포  타겟"},  {524, " 센터  포  타겟"},  {534, " 하단  포  타겟"},
    {515, " 상단  포  타겟"},  {525, " 센터  포  타겟"},  {535, " 하단  포  타겟"},
    {612, "  상단 스타 2"},    {622, "  센터 스타 2"},    {632, "  하단 스타 2"},
    {613, "    상단 스타"},    {623, "   센터  스타"},    {633, "    하단 스타"},
    {614, " 상단  포  스타"},  {624, " 센터  포  스타"},  {634, " 하단  포  스타"},
    {615, " 상단  포  스타"},  {625, " 센터  포  스타 "}, {635, " 하단  포  스타"},
    {712, "  상단 세븐 2"},    {722, "  센터 세븐 2"},    {732, "  하단 세븐 2"},
    {713, "   상단  세븐"},    {723, "   센터  세븐"},    {733, "   하단  세븐"},
    {714, " 상단  포  세븐"},  {724, " 센터  포  세븐"},  {734, " 하단  포  세븐"},
    {715, " 상단  포  세븐"},  {725, " 센터  포  세븐"},  {735, " 하단  포  세븐"},
    {813, "   상단  원바"},    {823, "   센터  원바"},    {833, "   하단  원바"},
    {814, " 상단  원  포바"},  {824, " 센터  원  포바"},  {834, " 하단  원  포바"},
    {815, " 상단  원  포바"},  {825, " 센터  원  포바"},  {835, " 하단  원  포바"},
    {913, "   상단  투바"},    {923, "   센터  투바"},    {933, "   하단  투바"},
    {914, " 상단  투  포바"},  {924, " 센터  투  포바"},  {934, " 하단  투  포바"},
    {915, " 상단  투  포바"},  {925, " 센터  투  포바"},  {935, " 하단  투  포바"},
    {1013, "  상단 쓰리바"},   {1023, "  센터 쓰리바"},   {1033, "  하단 쓰리바"},
    {1014, " 상단 쓰리 포바"}, {1024, " 센터 쓰리 포바"}, {1034, " 하단 쓰리 포바"},
    {1015, " 상단 쓰리 포바"}, {1025, " 센터 쓰리 포바"}, {1035, " 하단 쓰리 포바"},
    {1110, " 상단  포  잡바"}, {1120, " 센터  포  잡바"}, {1130, " 하단  포  잡바"},
    {1113, "   상단  잡바"},   {1123, "   센터  잡바"},   {1133, "   하단  잡바"},
};

// Caption marks and codes of the big four-of-a-kind wins, tested before the plain table.
struct MarkRow {
    int32_t nCodeA, nCodeB, nMark;
    const char* pszText;
};

const MarkRow kSevenCentre = {724, -1, 71, " 센터  포  세븐"};
const MarkRow kStarCentreWild = {625, -1, 61, " 센터  포  스타 "};
const MarkRow kStarCentre = {624, -1, -1, " 센터  포  스타"};
const MarkRow kTargetCentre = {525, 524, 51, " 센터  포  타겟"};
const MarkRow kOuterRows[] = {
    {714, -1, 70, " 상단  포  세븐"},  {735, 734, 72, " 하단  포  세븐"},
    {635, 634, 62, " 하단  포  스타"}, {615, 614, 60, " 상단  포  스타"},
    {535, 534, 52, " 하단  포  타겟"}, {515, 514, 50, " 상단  포  타겟"},
};

bool Matches(const MarkRow& row, int32_t code, int32_t mark)
{
    return code == row.nCodeA || (row.nCodeB >= 0 && code == row.nCodeB) ||
           (row.nMark >= 0 && mark == row.nMark);
}

bool OneOf(int32_t code, std::initializer_list<int32_t> codes)
{
    for (int32_t c : codes)
        if (c == code)
            return true;
    return false;
}

}  // namespace

const char* MorvaneCaptionText(int32_t code)
{
    for (const CaptionRow& row : kCaptions)
        if (row.nCode == code)
            return row.pszText;
    return nullptr;
}

const char* MorvaneWinCaption(const int32_t (&stops)[4], int32_t code, int32_t mark)
{
    static const int32_t kJackpotStops[][4] = {{0, 1, 0, 1}, {1, 2, 1, 2}, {22, 0, 22, 0}};
    for (const auto& jackpot : kJackpotStops)
        if (stops[0] == jackpot[0] && stops[1] == jackpot[1] && stops[2] == jackpot[2] &&
            stops[3] == jackpot[3])
            return "당첨 Morvane잭팟";
    if (OneOf(code, {824, 825, 924, 925, 1024, 1025, 725}))
        return MorvaneCaptionText(code);
    for (const MarkRow* row : {&kSevenCentre, &kStarCentreWild, &kStarCentre, &kTargetCentre})
        if (Matches(*row, code, mark))
            return row->pszText;
    if (OneOf(code, {814, 815, 834, 835, 914, 915, 934, 935, 1014, 1015, 1034, 1035, 715}))
        return MorvaneCaptionText(code);
    for (const MarkRow& row : kOuterRows)
        if (Matches(row, code, mark))
            return row.pszText;
    return MorvaneCaptionText(code);
}

const char* MorvaneChanceCaption(const int32_t (&free)[3])
{
    const int32_t sum = free[0] + free[1] + free[2];
    if (OneOf(sum, {20, 21, 22, 44}))
        return " 올칼라  '찬스' ";
    if (OneOf(sum, {30, 31, 32}))
        return "  올바  '찬스' ";
    return nullptr;
}

const char* MorvaneFeverChanceCaption(int32_t value)
{
    switch (value) {
    case 1:
        return " 상단휘버  '찬스' ";
    case 2:
        return " 센터휘버  '찬스' ";
    case 3:
        return " 하단휘버  '찬스' ";
    default:
        return nullptr;
    }
}

void FormatMorvaneTicker(char (&buffer)[256], int32_t jackpot)
{
    std::snprintf(buffer, sizeof buffer, "대박의 꿈..   Morvane 게임랜드   잭팟 %d", jackpot);
}
