#include <gtest/gtest.h>

#include "platform/core/SysUtils.h"

TEST(SysUtils, StrToIntIsStrict) {
    struct Case {
        const char* text;
        bool ok;
        int value;
    } cases[] = {
        {"12", true, 12},      {"-5", true, -5},    {" 7", true, 7},          {"+3", true, 3},
        {"$1F", true, 31},     {"0x10", true, 16},  {"", false, 0},           {"x", false, 0},
        {"12ab", false, 0},    {"7 ", false, 0},    {"2147483648", false, 0}, {"-2147483648", true, INT32_MIN},
    };
    for (const auto& c : cases) {
        int v = 0;
        EXPECT_EQ(TryStrToInt(c.text, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
    try {
        StrToInt("ab");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'ab' is not a valid integer value");
    }
    EXPECT_EQ(StrToIntDef("q", 4), 4);
}

TEST(SysUtils, OneBasedTextHelpers) {
    EXPECT_EQ(Pos("b", "abc"), 2);
    EXPECT_EQ(Pos("z", "abc"), 0);
    EXPECT_EQ(Copy("22:30", 1, 2), "22");
    EXPECT_EQ(Copy("22:30", 4, 2), "30");
    EXPECT_EQ(Copy("9:3", 4, 2), "");
    EXPECT_EQ(Copy("abc", 0, 2), "ab");
    EXPECT_EQ(Format("Failed to set data for '%s'", AnsiString("x")), "Failed to set data for 'x'");
    EXPECT_EQ(AnsiLowerCase("ÄBC"), "äbc");
}
