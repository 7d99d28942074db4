// TVParser: the text pipeline step by step, the whole evaluation on the
// edge cases of the expression language, and the shared tree.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "ParserTestSupport.h"
#include "components/Vparser/Vparser.h"

namespace {

class VparserTest : public ::testing::Test {
protected:
    ScopedSeparator dot{'.'};
    TVParser p{nullptr};
};

struct Case {
    const char* expression;
    const char* outcome;
};

}  // namespace

TEST_F(VparserTest, Defaults) {
    EXPECT_EQ(p.Precision, 8);
    EXPECT_FALSE(p.ConvertAllColonsAndDots);
    EXPECT_EQ(p.Expression, "");
    EXPECT_EQ(p.X + p.A + p.B + p.C + p.D + p.OverwriteDecimalSymbol + p.ErgebnisString(), "");
    Vparser::Register();
    const auto& palette = RegisteredComponents();
    EXPECT_TRUE(std::any_of(palette.begin(), palette.end(),
                            [](const TPaletteEntry& e) { return e.page == "Varnell" && e.className == "TVParser"; }));
}

TEST_F(VparserTest, EdgeCasesOfTheLanguage) {
    const Case cases[] = {
        {"1+2", "3"}, {"0+5", "5"}, {"7*0", "0"},
        {"10-2-3", "5"}, {"10-2+3", "11"},
        {"100/10/5", "2"}, {"2/3*4", "2.66666667"},
        {"2^3^2", "512"},
        {"-2^2", "-4"}, {"2*-3", "not built"}, {"2*(-3)", "-6"},
        {"sin(0)", "0"}, {"SIN(0)", "0"}, {"sinx", "0"}, {"ln(e)", "0.99999999"},
        {"lg(100)", "2"}, {"abs(-3)", "3"}, {"7 mod 3", "1"}, {"7 mod 0", "0"}, {"7m3", "1"},
        {"10/0", "error: Division durch 0"},
        {"ln(0)", "error: Log von X mit X <= 0"}, {"lg(-1)", "error: Log von X mit X <= 0"},
        {"(-8)^(1/3)", "error: Kein negativer Ausdruck unter Wurzel erlaubt."},
        {"2^0.5", "1.41421356"},
        {"((1+2))", "not built"}, {"2*((1+2))", "not built"},
        {"(1+2)*(3+4)", "21"}, {"3-(2-1)", "2"},
        {"2.50+1", "not built"}, {"2.5+1", "3.5"}, {"1E20", "100000000000000000000"}, {"1e20", "not built"},
        {"c", "0"}, {"s", "0"}, {"pi", "3.1415927"}, {"PI*2", "6.2831854"},
        // Mixed chains, as the text pipeline groups them.
        {"2*3/4*5", "0.3"}, {"2+4/3/2", "4.66666667"}, {"2*5 mod 3", "4"},
        // The right-hand operand is evaluated first: its error wins.
        {"(1/0)+ln(0)", "error: Log von X mit X <= 0"},
        {"+3", "not built"}, {"*2", "not built"}, {"2+", "not built"}, {"", "not built"}, {"qq", "not built"},
        {"cos(0)+tan(0)", "1"}, {"-7 mod 3", "-1"}, {"(-7) mod 3", "-1"},
    };
    for (const Case& c : cases) EXPECT_EQ(Outcome(p, c.expression), c.outcome) << c.expression;
}

TEST_F(VparserTest, VariablesAreReadAtEvaluation) {
    p.Expression = "x^2";
    ASSERT_TRUE(p.CreateTree());
    p.X = "3";
    EXPECT_EQ(p.Evaluate(), 9);
    p.X = "";
    EXPECT_EQ(p.Evaluate(), 0);
    p.X = "2abc";  // the number the text begins with
    EXPECT_EQ(p.Evaluate(), 4);
    p.C = "4";
    EXPECT_EQ(Outcome(p, "c"), "4");
    EXPECT_EQ(Outcome(p, "a+b+d"), "0");
    // Each replacement sees the result of the one before: x -> "a" -> A.
    p.X = "a";
    p.A = "pi";
    EXPECT_EQ(p.StrToLongDouble("X"), 3.1415927L);
    p.X = "e";
    EXPECT_EQ(Outcome(p, "x"), "2.7182818");
}

TEST_F(VparserTest, CreateTreeRewritesTheExpression) {
    p.Expression = " ( 1 + 2 ) ";
    ASSERT_TRUE(p.CreateTree());
    EXPECT_EQ(p.Expression, "1+2");
    p.Expression = "sin(x)";
    ASSERT_TRUE(p.CreateTree());
    EXPECT_EQ(p.Expression, "s#(x)");
    ASSERT_TRUE(p.CreateTree());  // a rewritten text passes through unchanged
    EXPECT_EQ(p.Expression, "s#(x)");
    // ((1+2)) loses one pair per CreateTree: the second one builds it.
    p.Expression = "((1+2))";
    EXPECT_FALSE(p.CreateTree());
    EXPECT_EQ(p.Expression, "(1+2)");
    EXPECT_TRUE(p.CreateTree());
}

TEST_F(VparserTest, PipelineSteps) {
    EXPECT_EQ(p.EntferneLeerzeichen(" 1 +\t2 "), "1+\t2");
    const std::pair<const char*, const char*> klammern[] = {
        {"((a))", "(a)"}, {"(a)+(b)", "(a)+(b)"}, {"(a)", "a"}, {"a", "a"}, {"", ""}, {"(a", "(a"}, {"()", ""}};
    for (const auto& [in, out] : klammern) EXPECT_EQ(p.EntferneKlammern(in), out) << in;

    const std::pair<const char*, const char*> assoc[] = {{"10-2-3", "10-2+3"},
                                                         {"100/10/5", "100/10*5"},
                                                         {"1+2-3+4-5", "1+2-3-4+5"},
                                                         {"2*3/4*5", "2*3/4/5"},
                                                         {"(1-2-3)-4-5", "(1-2-3)-4+5"}};
    for (const auto& [in, out] : assoc) EXPECT_EQ(p.Assiotiativitaet(in), out) << in;

    const std::pair<const char*, const char*> names[] = {
        {"cosh", "c#h"}, {"SIN(x)+LN(2)+lg(3)+Abs(4)+7MOD2+tan(1)", "s#(x)+n#(2)+g#(3)+r#(4)+7m2+t#(1)"},
        {"s#(x)", "s#(x)"}, {"si", "si"}};
    for (const auto& [in, out] : names) EXPECT_EQ(p.WandleSinCosTanUm(in), out) << in;

    struct Split {
        const char *text, *left, *right, *op;
    };
    const Split splits[] = {{"1+2*3", "1", "2*3", "+"}, {"a^b^c", "a", "b^c", "^"},  {"(1+2)*3", "1+2", "3", "*"},
                            {"1+2+3", "1+2", "3", "+"}, {"1-2+3", "1", "2-3", "-"},  {"s#x^2", "s#x", "2", "^"},
                            {"2", "", "", ""},           {"", "", "", ""},             {"((1)", "(1", "", "("}};
    for (const Split& s : splits) {
        if (std::string(s.op) == "(") continue;  // placeholder row, no operator
        AnsiString l = "?", r = "?", o = "?";
        p.SplitLowest(&l, &r, &o, s.text);
        EXPECT_EQ(l, s.left) << s.text;
        EXPECT_EQ(r, s.right) << s.text;
        EXPECT_EQ(o, s.op) << s.text;
    }

    const std::pair<const char*, bool> numbers[] = {{"2.5", true},  {"100", true}, {"1E20", true}, {"2.50", false},
                                                    {".5", false},  {"007", false}, {"+3", false}, {"1e20", false},
                                                    {"-3", true},   {"1E400", false}, {"", false}};
    for (const auto& [text, is] : numbers) EXPECT_EQ(p.IsLongDouble(text), is) << text;
    for (const char* zahl : {"s", "c", "t", "n", "g", "r", "X", "Pi", "E", "d", "2.5"}) EXPECT_TRUE(p.IsZahl(zahl)) << zahl;
    for (const char* no : {"S", "m", "#", "xx", "2.50"}) EXPECT_FALSE(p.IsZahl(no)) << no;
}

TEST_F(VparserTest, NumberTexts) {
    const std::pair<long double, const char*> texts[] = {
        {0.05L, "0.05"}, {2.5L, "2.5"}, {100, "100"}, {1.0L / 3, "0.33333333"}, {0, "0"}, {-2.5L, "-2.5"},
        {1e-10L, "0"}, {0.123456789L, "0.12345679"}, {1.0L / 0.0L, "INF"}, {-1.0L / 0.0L, "-INF"},
        {std::nanl(""), "NAN"}, {1e4000L, "INF"}};
    for (const auto& [v, text] : texts) EXPECT_EQ(p.LongDoubleToStr(v), text) << static_cast<double>(v);
    p.Precision = 2;
    EXPECT_EQ(p.LongDoubleToStr(1.0L / 3), "0.33");

    const std::pair<const char*, const char*> zeros[] = {
        {"1.500", "1.5"}, {"1.000", "1"}, {"10.050", "10.05"}, {".5", "0.5"}, {"100", "100"}, {"0.", "0"}, {"", ""}};
    for (const auto& [in, out] : zeros) EXPECT_EQ(p.EntferneNullenUndPunkte(in), out) << in;

    const std::pair<const char*, long double> conv[] = {{"", 0}, {"abc", 0}, {"12abc", 12}, {"-4.5", -4.5L}, {"pI", 3.1415927L}};
    for (const auto& [text, v] : conv) EXPECT_EQ(p.StrToLongDouble(text), v) << text;
    try {
        p.StrToLongDouble("1E99999");
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "1E99999 kann nicht in eine Zahl umgewandelt werden! (STD)");
    }

    const long double mods[][3] = {{7, 3, 1}, {-7, 3, -1}, {7, -3, 1}, {7, 0, 0}, {7.5L, 2, 1.5L}, {1e20L, 3, 1}};
    for (const auto& m : mods) EXPECT_EQ(TVParser::modl(m[0], m[1]), m[2]) << static_cast<double>(m[0]);
}

TEST_F(VparserTest, DecimalSymbols) {
    // An own decimal symbol: variable texts and results use it, the
    // expression's own numbers stay in the platform's form.
    p.OverwriteDecimalSymbol = ",";
    p.X = "2,5";
    EXPECT_EQ(Outcome(p, "x*2"), "5");
    EXPECT_EQ(Outcome(p, "x/2"), "1,25");
    EXPECT_EQ(p.LandDot, ",");
    EXPECT_EQ(Outcome(p, "pi"), "3,1415927");

    // Both "." and "," as the decimal symbol.
    TVParser q(nullptr);
    q.ConvertAllColonsAndDots = true;
    q.Expression = "2,5+1";
    ASSERT_TRUE(q.CreateTree());
    EXPECT_EQ(q.Expression, "2.5+1");
    EXPECT_EQ(q.Evaluate(), 3.5L);
    q.X = "1,5";
    EXPECT_EQ(Outcome(q, "x*2"), "3");

    // A locale with "," as its separator.
    ScopedSeparator comma(',');
    TVParser r(nullptr);
    EXPECT_EQ(Outcome(r, "2,5+1"), "3,5");
    EXPECT_EQ(Outcome(r, "2.5+1"), "not built");
    r.X = "0,5";
    EXPECT_EQ(Outcome(r, "x+x"), "1");
}

TEST_F(VparserTest, AllInstancesShareOneTree) {
    TVParser other(nullptr);
    p.Expression = "1+2";
    ASSERT_TRUE(p.CreateTree());
    other.Expression = "5*5";
    ASSERT_TRUE(other.CreateTree());
    EXPECT_EQ(p.Evaluate(), 25);
    EXPECT_EQ(p.ErgebnisString(), "25");
    EXPECT_EQ(Vparser::RootTree.Node->Value, "*");

    Vparser::RootTree = ExpressionRoot();  // the state before any CreateTree
    EXPECT_EQ(p.Evaluate(), 0);
    EXPECT_EQ(p.ErgebnisString(), "0");
}

TEST_F(VparserTest, FailedTreeIsNeverWalked) {
    EXPECT_EQ(Outcome(p, "1+2"), "3");
    p.Expression = "2*(-)";  // leaves an operator node "-" without operands
    ASSERT_FALSE(p.CreateTree());
    try {
        p.Evaluate();
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), TVParser::kIncompleteTree);
    }
    EXPECT_EQ(p.ErgebnisString(), "3");
    Tree bare;
    bare.Value = "+";
    EXPECT_THROW(p.Eval(&bare), Exception);
}

TEST_F(VparserTest, DeepNestingFailsInsteadOfCrashing) {
    AnsiString deep;
    for (int i = 0; i < 20000; ++i) deep += "-(";
    deep += "1" + AnsiString(20000, ')');
    EXPECT_EQ(Outcome(p, deep), "not built");
    AnsiString powers = "1";
    for (int i = 0; i < 5000; ++i) powers += "^1";
    EXPECT_EQ(Outcome(p, powers), "not built");
    AnsiString sum = "1";
    for (int i = 0; i < 499; ++i) sum += "+1";  // deep, but within the limit
    EXPECT_EQ(Outcome(p, sum), "500");
}

TEST_F(VparserTest, SampleTextsMatchTheRoundedDigitsAndReadBackExactly) {
    // The texts agree with the C library's exact fixed-point digits (ties to
    // even, trailing zeros dropped) over many magnitudes and places, and a
    // text handed back as x evaluates to the number the text itself reads as.
    std::uint64_t state = 12345;
    auto next = [&state] { return state = state * 6364136223846793005ULL + 1442695040888963407ULL; };
    p.Expression = "x";
    ASSERT_TRUE(p.CreateTree());
    for (int i = 0; i < 4000; ++i) {
        const double magnitude = std::ldexp(static_cast<double>(next() >> 11), static_cast<int>(next() % 80) - 100);
        const double v = (i % 7 == 0) ? (next() % 4000) / 8.0 - 250 : (next() & 1) ? -magnitude : magnitude;
        p.Precision = 1 + static_cast<int>(next() % 17);
        char buf[400];
        std::snprintf(buf, sizeof buf, "%.*f", p.Precision, v);
        AnsiString expected = buf;
        while (expected.back() == '0') expected.pop_back();
        if (expected.back() == '.') expected.pop_back();
        p.X = p.LongDoubleToStr(v);
        ASSERT_EQ(p.X, expected) << v << " places " << p.Precision;
        EXPECT_EQ(p.Evaluate(), TextToLongDouble(expected)) << expected;
    }
}

TEST_F(VparserTest, ResultTextAndSampleReuseFollowTheSettingsOfTheirMoment) {
    p.Expression = "x/3";
    ASSERT_TRUE(p.CreateTree());
    p.X = "1";
    p.Evaluate();
    p.Precision = 2;  // after Evaluate: the result keeps the places it had
    EXPECT_EQ(p.ErgebnisString(), "0.33333333");
    p.Evaluate();
    p.OverwriteDecimalSymbol = ",";
    EXPECT_EQ(p.ErgebnisString(), "0.33");

    // A sample text made with "," read after the symbol went back to ".".
    p.X = p.LongDoubleToStr(1.5L);
    EXPECT_EQ(p.X, "1,5");
    p.OverwriteDecimalSymbol = "";
    EXPECT_EQ(p.Evaluate(), 1.0L / 3);
    p.OverwriteDecimalSymbol = "-";  // a minus as the symbol reads differently
    p.Precision = 8;
    p.X = p.LongDoubleToStr(-1.5L);
    EXPECT_EQ(p.X, "-1-5");
    EXPECT_EQ(p.Evaluate(), TextToLongDouble(".1.5") / 3);
}

TEST_F(VparserTest, RepeatedEvaluationAgreesWithTheWalk) {
    // Evaluate replays a tree it has seen before; the walk of the same tree
    // must give the same bits, or the same error.
    const auto outcome = [](auto&& evaluate) -> AnsiString {
        try {
            const long double v = evaluate();
            char buf[64];
            std::snprintf(buf, sizeof buf, "%.21Lg", v);
            return buf;
        } catch (const Exception& e) {
            return "error: " + e.Message();
        }
    };
    const char* expressions[] = {"sin(x)*x^2+3*x-1", "1/x", "(x+1)*(x-1)/(x^2+1)", "abs(x) mod 3",
                                 "x", "2", "-x", "10-2-3-x", "100/x/5*2", "2^x^2", "ln(x)", "lg(abs(x))+e",
                                 "cos(tan(x))-pi", "x*a+b/c-d", "(x-1)*(x-2)*(x-3)", "x mod 0",
                                 "(-8)^x", "0*(1/x)", "c#x", "(1/x)*ln(x)", "(x/0)-lg(x)", "(x*2)^(x-1)"};
    const char* xs[] = {"2", "0", "-1,5", "0.5", "1e99999", "a", "abc", "-3"};
    p.A = "4";
    p.B = "pi";
    p.C = "0.25";
    p.D = "x";
    for (const char* e : expressions) {
        p.Expression = e;
        ASSERT_TRUE(p.CreateTree()) << e;
        for (int round = 0; round < 2; ++round)
            for (const char* x : xs) {
                p.X = x;
                const AnsiString replayed = outcome([&] { return p.Evaluate(); });
                const AnsiString walked = outcome([&] { return p.Eval(Vparser::RootTree.Node.get()); });
                EXPECT_EQ(replayed, walked) << e << " with x = " << x;
            }
    }
    // The walk's order decides which error comes first: the right operand
    // fails before x is read.
    p.X = "1e99999";
    EXPECT_EQ(Outcome(p, "x*(1/0)"), "error: Division durch 0");
    EXPECT_EQ(Outcome(p, "(1/0)*x"), "error: 1e99999 kann nicht in eine Zahl umgewandelt werden! (STD)");
}

TEST_F(VparserTest, SettingsChangedBetweenEvaluationsReachTheTree) {
    p.Expression = "pi*x";
    ASSERT_TRUE(p.CreateTree());
    p.X = "2,5";
    EXPECT_EQ(p.Evaluate(), 3.1415927L * 2);
    p.ConvertAllColonsAndDots = true;
    EXPECT_EQ(p.Evaluate(), 3.1415927L * 2.5L);
    p.ConvertAllColonsAndDots = false;
    p.OverwriteDecimalSymbol = "ab";  // a symbol the conversion cannot read: pi is 3
    p.X = "2ab5";
    EXPECT_EQ(p.Evaluate(), 6);
    // LandDot written by hand to the text InitLandDot is about to set.
    p.OverwriteDecimalSymbol = "";
    p.X = "2,5";
    EXPECT_EQ(p.Evaluate(), 3.1415927L * 2);
    p.LandDot = ",";
    p.OverwriteDecimalSymbol = ",";
    EXPECT_EQ(p.Evaluate(), 3.1415927L * 2.5L);

    // Another instance's tree replaces this one's between two evaluations.
    TVParser other(nullptr);
    other.Expression = "x+1";
    ASSERT_TRUE(other.CreateTree());
    EXPECT_EQ(p.Evaluate(), 3.5L);

    // Sample texts of one value for other places and symbols.
    p.OverwriteDecimalSymbol = "";
    const AnsiString third[] = {p.LongDoubleToStr(1.0L / 3), (p.Precision = 2, p.LongDoubleToStr(1.0L / 3)),
                                (p.OverwriteDecimalSymbol = ",", p.LongDoubleToStr(1.0L / 3))};
    EXPECT_EQ(third[0], "0.33333333");
    EXPECT_EQ(third[1], "0.33");
    EXPECT_EQ(third[2], "0,33");
}

TEST_F(VparserTest, WholePowersGivePowsNumber) {
    // Small whole powers of bases with few significant bits are multiplied
    // out; the result must be the very number pow gives, for those bases
    // and for all others.
    std::uint64_t state = 99;
    auto next = [&state] { return state = state * 6364136223846793005ULL + 1442695040888963407ULL; };
    p.Precision = 17;
    const struct {
        const char* expression;
        double power;
    } powers[] = {{"x^1", 1}, {"x^2", 2}, {"x^3", 3}, {"x^4", 4}, {"x^5", 5},   {"x^8", 8},
                  {"x^9", 9}, {"x^2.5", 2.5}, {"x^0", 0}, {"x^(-2)", -2}, {"x^(1+1)", 2}};
    for (const auto& [e, power] : powers) {
        p.Expression = e;
        ASSERT_TRUE(p.CreateTree()) << e;
        for (int i = 0; i < 3000; ++i) {
            double base;
            switch (i % 3) {
                case 0: base = static_cast<double>(static_cast<std::int64_t>(next() % 20001) - 10000) / 32; break;
                case 1: base = std::ldexp(static_cast<double>(next() >> 11), -53 + static_cast<int>(next() % 40)); break;
                default: base = static_cast<double>(next() % 1000) * 1e-3 - 0.5; break;
            }
            p.X = p.LongDoubleToStr(base);
            const double b = static_cast<double>(TextToLongDouble(p.X));
            if (b < 0 && std::trunc(power) != power) continue;
            const long double expected = std::pow(b, power);
            ASSERT_EQ(p.Evaluate(), expected) << e << " with x = " << p.X;
        }
    }
}

TEST_F(VparserTest, SamplesMetAgainKeepTheirTexts) {
    // Samples formatted pass after pass, as a plot's columns are, and then
    // in other orders, with other places and symbols in between: every text
    // is the one made fresh, and x evaluates to the number it reads as.
    p.Expression = "x";
    ASSERT_TRUE(p.CreateTree());
    std::vector<long double> columns;
    for (int px = 1; px <= 700; ++px) columns.push_back(px * 20.0L / 640 - 10);
    const auto fresh = [](long double v, int places, char dot) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.*f", places, static_cast<double>(v));
        AnsiString text = buf;
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
        std::replace(text.begin(), text.end(), '.', dot);
        return text;
    };
    struct Pass {
        int places;
        const char* symbol;
        bool reversed;
        int stride;  // every stride-th column
    };
    const Pass passes[] = {{8, "", false, 1}, {8, "", false, 1}, {8, "", true, 1}, {3, "", false, 1},
                           {8, ",", false, 1}, {8, "", false, 2}, {8, "", false, 1}, {8, "", true, 3}};
    for (const Pass& pass : passes) {
        p.Precision = pass.places;
        p.OverwriteDecimalSymbol = pass.symbol;
        const char dot = *pass.symbol ? *pass.symbol : '.';
        for (size_t k = 0; k < columns.size(); k += static_cast<size_t>(pass.stride)) {
            const long double v = pass.reversed ? columns[columns.size() - 1 - k] : columns[k];
            p.X = p.LongDoubleToStr(v);
            const AnsiString expected = fresh(v, pass.places, dot);
            ASSERT_EQ(p.X, expected) << "places " << pass.places << " symbol '" << dot << "'";
            AnsiString pointed = expected;
            std::replace(pointed.begin(), pointed.end(), dot, '.');
            ASSERT_EQ(p.Evaluate(), TextToLongDouble(pointed)) << expected;
        }
    }
}
