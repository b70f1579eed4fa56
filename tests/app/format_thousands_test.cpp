// Amounts grouped by thousands: both signs, the 64-bit extremes, and a buffer too small on
// either branch leaving an empty text inside its bounds.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>

#include "FormatThousands.h"

namespace {

TEST(FormatThousandsTest, GroupsDigitsAndStaysInsideTheBuffer)
{
    struct Case {
        int64_t value;
        int size;
        const char* text;
        int result;
    };
    const Case cases[] = {
        {0, 20, "0", 1},
        {7, 20, "7", 1},
        {123, 20, "123", 3},
        {1000, 20, "1,000", 5},
        {123456, 20, "123,456", 7},
        {1234567, 20, "1,234,567", 9},
        {-1, 20, "-1", 1},
        {-1000, 20, "-1,000", 5},
        {-1234567, 20, "-1,234,567", 9},
        {std::numeric_limits<int32_t>::min(), 20, "-2,147,483,648", 13},
        {std::numeric_limits<int64_t>::max(), 30, "9,223,372,036,854,775,807", 25},
        {std::numeric_limits<int64_t>::min(), 30, "-9,223,372,036,854,775,808", 25},
        // Exactly room for the text and its terminator, then one byte short.
        {1234567, 10, "1,234,567", 9},
        {1234567, 9, "", 0},
        {-1234567, 11, "-1,234,567", 9},
        {-1234567, 10, "", 0},
        {std::numeric_limits<int64_t>::min(), 20, "", 0},
        {5, 1, "", 0},
        {-5, 2, "", 0},
    };
    for (const Case& c : cases) {
        char buffer[40];
        std::memset(buffer, '#', sizeof(buffer));
        EXPECT_EQ(FormatThousands(c.value, buffer, c.size), c.result)
            << c.value << " in " << c.size;
        EXPECT_STREQ(buffer, c.text) << c.value << " in " << c.size;
        for (size_t i = static_cast<size_t>(c.size); i < sizeof(buffer); ++i)
            ASSERT_EQ(buffer[i], '#') << c.value << " wrote past " << c.size << " bytes";
    }
    char untouched = '#';
    EXPECT_EQ(FormatThousands(5, &untouched, 0), 0);
    EXPECT_EQ(untouched, '#');
}

}  // namespace
