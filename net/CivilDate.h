#pragma once

#include <cstdint>

// Proleptic Gregorian calendar arithmetic in whole hours, for the reservation list's start and end
// times.
struct CivilDateTime {
    int32_t nYear = 0;
    int32_t nMonth = 0;
    int32_t nDay = 0;
    int32_t nHour = 0;
    int32_t nMinute = 0;
};

// Year 1..9999, month 1..12, a day of that month, hour 0..23, minute 0..59.
bool IsValidCivilDateTime(const CivilDateTime& date);
// Days since 1970-01-01 (negative before).
int64_t DaysFromCivil(int32_t nYear, int32_t nMonth, int32_t nDay);
void CivilFromDays(int64_t nDays, int32_t& nYear, int32_t& nMonth, int32_t& nDay);
// The date plus whole hours; the minute stays.
CivilDateTime AddHours(const CivilDateTime& date, int64_t nHours);

// The reservation's end: start + duration hours. An invalid start gives year, month, day and hour
// -1 with the start's minute.
CivilDateTime ReservationEnd(const CivilDateTime& start, int32_t nDurationHours);
// "%04d-%02d-%02d %02d:%02d" into at most nUnits - 1 UTF-16 units, zero-terminated.
void FormatCivilDateTime(const CivilDateTime& date, char16_t* pszOut, int32_t nUnits);
