// Reservation start and end times on the civil-date helper.
#include <gtest/gtest.h>

#include "CivilDate.h"

namespace {

std::string Format(const CivilDateTime& d)
{
    char16_t text[21];
    FormatCivilDateTime(d, text, 21);
    return std::string(text, text + std::char_traits<char16_t>::length(text));
}

}  // namespace

TEST(CivilDate, ReservationEnds)
{
    struct Case {
        const char* name;
        CivilDateTime start;
        int32_t hours;
        const char* end;
    };
    const Case cases[] = {
        {"0 h", {2026, 3, 14, 10, 45}, 0, "2026-03-14 10:45"},
        {"1 h", {2026, 3, 14, 10, 45}, 1, "2026-03-14 11:45"},
        {"23 h crosses midnight", {2026, 3, 14, 10, 45}, 23, "2026-03-15 09:45"},
        {"24 h", {2026, 3, 14, 10, 45}, 24, "2026-03-15 10:45"},
        {"25 h", {2026, 3, 14, 10, 45}, 25, "2026-03-15 11:45"},
        {"month roll-over", {2026, 4, 30, 20, 0}, 5, "2026-05-01 01:00"},
        {"year roll-over", {2026, 12, 31, 23, 59}, 1, "2027-01-01 00:59"},
        {"leap day", {2028, 2, 28, 12, 0}, 24, "2028-02-29 12:00"},
        {"no leap day in 2100", {2100, 2, 28, 12, 0}, 24, "2100-03-01 12:00"},
        {"leap day in 2000", {2000, 2, 28, 12, 0}, 24, "2000-02-29 12:00"},
        {"longest duration", {2026, 1, 1, 0, 0}, 65535, "2033-06-23 15:00"},
        {"month 13", {2026, 13, 1, 0, 5}, 1, "-001--1--1 -1:05"},
        {"day 31 of April", {2026, 4, 31, 0, 0}, 1, "-001--1--1 -1:00"},
        {"29 February of a common year", {2026, 2, 29, 0, 0}, 1, "-001--1--1 -1:00"},
        {"hour 24", {2026, 1, 1, 24, 0}, 1, "-001--1--1 -1:00"},
        {"minute 60", {2026, 1, 1, 0, 60}, 1, "-001--1--1 -1:60"},
        {"year 0", {0, 1, 1, 0, 0}, 1, "-001--1--1 -1:00"},
        {"day 0", {2026, 1, 0, 0, 0}, 1, "-001--1--1 -1:00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Format(ReservationEnd(c.start, c.hours)), c.end) << c.name;
}

TEST(CivilDate, DayNumbersRoundTrip)
{
    EXPECT_EQ(DaysFromCivil(1970, 1, 1), 0);
    EXPECT_EQ(DaysFromCivil(2000, 3, 1), 11017);
    EXPECT_EQ(DaysFromCivil(1969, 12, 31), -1);
    for (int64_t day = DaysFromCivil(1, 1, 1); day <= DaysFromCivil(9999, 12, 31); day += 997) {
        int32_t y, m, d;
        CivilFromDays(day, y, m, d);
        ASSERT_TRUE(IsValidCivilDateTime({y, m, d, 0, 0})) << day;
        ASSERT_EQ(DaysFromCivil(y, m, d), day) << day;
    }
}

TEST(CivilDate, FormatIsBounded)
{
    char16_t text[6];
    FormatCivilDateTime({2026, 1, 2, 3, 4}, text, 6);
    EXPECT_EQ(std::u16string(text), u"2026-");
}
