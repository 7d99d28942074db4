// The layer's float conversions against their definitions and against the
// C library where the same result is promised.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <random>

#include "platform/core/FloatConvert.h"

namespace {
struct DotSeparator {
    DotSeparator(char c = '.') : saved(DecimalSeparator()) { SetDecimalSeparator(c); }
    ~DotSeparator() { SetDecimalSeparator(saved); }
    char saved;
};
}  // namespace

TEST(FloatConvert, FloatToStrGeneralFormat) {
    DotSeparator dot;
    const std::pair<long double, const char*> cases[] = {
        {0, "0"},          {2.5, "2.5"},      {100, "100"},           {-3, "-3"},
        {1e20, "1E20"},    {1.5e20, "1.5E20"}, {1e-6, "1E-6"},        {1.25e-7, "1.25E-7"},
        {0.00001, "0.00001"}, {0.0001234, "0.0001234"}, {1.0 / 3, "0.333333333333333"},
        {999999999999999.0, "999999999999999"}, {1e15, "1E15"}, {0.1, "0.1"},
        {123456.789, "123456.789"}, {-1e-300, "-1E-300"},
    };
    for (const auto& [v, text] : cases) EXPECT_EQ(FloatToStr(v), text) << static_cast<double>(v);
    EXPECT_EQ(FloatToStr(1.0L / 0.0L), "INF");
    EXPECT_EQ(FloatToStr(-1.0L / 0.0L), "-INF");
    EXPECT_EQ(FloatToStr(std::nanl("")), "NAN");
    SetDecimalSeparator(',');
    EXPECT_EQ(FloatToStr(2.5), "2,5");
    EXPECT_EQ(FloatToStr(1.5e-7), "1,5E-7");
}

TEST(FloatConvert, StrToFloatIsStrictAboutItsSeparator) {
    DotSeparator dot;
    const std::pair<const char*, long double> good[] = {
        {"2.5", 2.5}, {" 2.5 ", 2.5}, {"-3", -3}, {"+3", 3}, {".5", 0.5}, {"5.", 5}, {"1e20", 1e20}, {"1E-2", 0.01L}};
    for (const auto& [text, v] : good) EXPECT_EQ(StrToFloat(text), v) << text;
    for (const char* bad : {"", " ", "2,5", "abc", "1e", "1e+", "2.5.1", "--1", "1 2", "0x10", "inf", "1E5000"}) {
        long double v;
        EXPECT_FALSE(TryStrToFloat(bad, v)) << bad;
    }
    try {
        StrToFloat("abc");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid floating point value");
    }
    SetDecimalSeparator(',');
    EXPECT_EQ(StrToFloat("2,5"), 2.5);
    long double v;
    EXPECT_FALSE(TryStrToFloat("2.5", v));
}

TEST(FloatConvert, TextToLongDoubleTakesTheLongestValidBeginning) {
    const std::pair<const char*, long double> cases[] = {
        {"", 0}, {"abc", 0}, {"12abc", 12}, {"  -4.5e1x", -45}, {"1e", 1}, {"1e+", 1}, {"0x1A", 0},
        {"inf", 0}, {".", 0}, {"-.5", -0.5}, {"3.1415927", 3.1415927L}, {"1,5", 1}};
    for (const auto& [text, v] : cases) EXPECT_EQ(TextToLongDouble(text), v) << text;
    bool overflow = false;
    EXPECT_TRUE(std::isinf(TextToLongDouble("1e99999", &overflow)));
    EXPECT_TRUE(overflow);
    EXPECT_EQ(TextToLongDouble("1e-99999", &overflow), 0);
    EXPECT_FALSE(overflow);
}

TEST(FloatConvert, TextToLongDoubleMatchesStrtold) {
    // The fast path must give strtold's correctly rounded value.
    const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    std::mt19937_64 rng(42);
    for (int i = 0; i < 20000; ++i) {
        std::string text = (rng() & 1) ? "-" : "";
        const int before = static_cast<int>(rng() % 12), after = static_cast<int>(rng() % 14);
        for (int k = 0; k < before; ++k) text += static_cast<char>('0' + rng() % 10);
        text += '.';
        for (int k = 0; k < after; ++k) text += static_cast<char>('0' + rng() % 10);
        if (rng() % 4 == 0) text += "e" + std::to_string(static_cast<int>(rng() % 80) - 40);
        if (before + after == 0) text += '7';
        EXPECT_EQ(TextToLongDouble(text), strtold_l(text.c_str(), nullptr, c)) << text;
    }
    freelocale(c);
}

TEST(FloatConvert, FcvtDigitsMatchTheCLibrary) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> mant(-1, 1);
    std::vector<double> values = {0.0, -0.0, 0.05, 2.5, 100, 1.0 / 3, 1e-10, 4.9e-9, 5e-9, 0.001953125, 0.005859375,
                                  0.99999999999, 1e22, 1e30, 1e300, -2.5, 5e-324};
    for (int i = 0; i < 4000; ++i) values.push_back(mant(rng) * std::pow(10.0, static_cast<int>(rng() % 50) - 20));
    for (int i = -10; i < 700; ++i) values.push_back(i / 32.0 - 10);  // the plotter's x values
    for (const double v : values)
        for (const int nd : {8, 1, 3, 15, 17, 20, 0, -2}) {
            int dec = 0, sign = 0, myDec = 0;
            bool negative = false;
            char buf[400];
            ASSERT_EQ(fcvt_r(v, nd, &dec, &sign, buf, sizeof buf), 0);
            EXPECT_EQ(FcvtDigits(v, nd, myDec, negative), buf) << v << " " << nd;
            EXPECT_EQ(myDec, dec) << v << " " << nd;
            EXPECT_EQ(negative, sign != 0) << v;
        }
}
