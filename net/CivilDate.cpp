#include "CivilDate.h"

#include <cstdio>

namespace {

bool IsLeapYear(int32_t nYear)
{
    return (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0;
}

int32_t DaysInMonth(int32_t nYear, int32_t nMonth)
{
    static const int32_t s_anDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return nMonth == 2 && IsLeapYear(nYear) ? 29 : s_anDays[nMonth - 1];
}

int64_t FloorDiv(int64_t a, int64_t b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

}  // namespace

bool IsValidCivilDateTime(const CivilDateTime& d)
{
    return d.nYear >= 1 && d.nYear <= 9999 && d.nMonth >= 1 && d.nMonth <= 12 && d.nDay >= 1 &&
           d.nDay <= DaysInMonth(d.nYear, d.nMonth) && d.nHour >= 0 && d.nHour <= 23 &&
           d.nMinute >= 0 && d.nMinute <= 59;
}

// Eras of 400 years (146097 days) with years starting in March, so the leap day ends a year.
int64_t DaysFromCivil(int32_t nYear, int32_t nMonth, int32_t nDay)
{
    const int64_t y = int64_t(nYear) - (nMonth <= 2 ? 1 : 0);
    const int64_t era = FloorDiv(y, 400);
    const int64_t yoe = y - era * 400;
    const int64_t mp = (nMonth + 9) % 12;  // March = 0
    const int64_t doy = (153 * mp + 2) / 5 + nDay - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t nDays, int32_t& nYear, int32_t& nMonth, int32_t& nDay)
{
    const int64_t z = nDays + 719468;
    const int64_t era = FloorDiv(z, 146097);
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    nDay = int32_t(doy - (153 * mp + 2) / 5 + 1);
    nMonth = int32_t(mp < 10 ? mp + 3 : mp - 9);
    nYear = int32_t(yoe + era * 400 + (nMonth <= 2 ? 1 : 0));
}

CivilDateTime AddHours(const CivilDateTime& date, int64_t nHours)
{
    const int64_t nTotal =
        DaysFromCivil(date.nYear, date.nMonth, date.nDay) * 24 + date.nHour + nHours;
    CivilDateTime result = date;
    CivilFromDays(FloorDiv(nTotal, 24), result.nYear, result.nMonth, result.nDay);
    result.nHour = int32_t(nTotal - FloorDiv(nTotal, 24) * 24);
    return result;
}

CivilDateTime ReservationEnd(const CivilDateTime& start, int32_t nDurationHours)
{
    if (!IsValidCivilDateTime(start))
        return CivilDateTime{-1, -1, -1, -1, start.nMinute};
    return AddHours(start, nDurationHours);
}

void FormatCivilDateTime(const CivilDateTime& d, char16_t* pszOut, int32_t nUnits)
{
    if (nUnits < 1)
        return;
    char szText[64];
    std::snprintf(szText, sizeof szText, "%04d-%02d-%02d %02d:%02d", d.nYear, d.nMonth, d.nDay,
                  d.nHour, d.nMinute);
    int32_t i = 0;
    for (; i < nUnits - 1 && szText[i] != 0; ++i)
        pszOut[i] = char16_t(szText[i]);
    pszOut[i] = 0;
}
