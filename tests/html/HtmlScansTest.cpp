// The scans on exact markup, without a browser.
#include <gtest/gtest.h>

#include <vector>

#include "Lines.h"

#include "components/Vhtml/HtmlScans.h"

namespace {


struct ScanCase {
    const char* name;
    const char* markup;
    Lines lines;
    bool result;
};

class LinkScan : public testing::TestWithParam<ScanCase> {};

TEST_P(LinkScan, AppendsTargetsAndTellsAnOpenLink) {
    TStringList list;
    EXPECT_EQ(Vhtml::ScanLinks(GetParam().markup, list), GetParam().result);
    EXPECT_EQ(LinesOf(list), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Markup, LinkScan, testing::Values(
    ScanCase{"TwoLinks", R"(<A href="a.htm">A</A> <A href="b.htm">B</A>)", {"a.htm", "b.htm"}, false},
    ScanCase{"QuoteIsLastCharacter", R"(<A href="a.htm")", {}, true},
    ScanCase{"LowerCaseMarker", R"(<a href="a.htm">A</a>)", {}, false},
    ScanCase{"EmptyTarget", R"(<A href="">)", {""}, false},
    ScanCase{"MarkerNeedsOneCharacterAfterIt", R"(<A href=")", {}, false},
    ScanCase{"UnterminatedAfterComplete", R"(<A href="a.htm"> <A href="b.htm)", {"a.htm"}, true},
    ScanCase{"NoMarkup", "", {}, false}),
    [](const auto& info) { return info.param.name; });

class ImageScan : public testing::TestWithParam<ScanCase> {};

TEST_P(ImageScan, AppendsSourcesAndTellsABegunSource) {
    TStringList list;
    EXPECT_EQ(Vhtml::ScanImages(GetParam().markup, list), GetParam().result);
    EXPECT_EQ(LinesOf(list), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Markup, ImageScan, testing::Values(
    ScanCase{"DirectAndAfterAnotherAttribute", R"(<IMG src="a.png"><IMG alt="x" src="b.png">)", {"a.png", "b.png"}, true},
    ScanCase{"SourceNeverEnds", R"(<P><IMG src="never ending and some more text)", {}, true},
    ScanCase{"LowerCaseTag", R"(<img src="a.png">)", {}, false},
    ScanCase{"SourceWithoutTag", R"(<SCRIPT src="a.js"></SCRIPT>)", {}, false},
    ScanCase{"TagMarkerTooNearTheEnd", R"(<IMG src="a")", {}, false}),
    [](const auto& info) { return info.param.name; });

struct ValueCase {
    const char* name;
    const char* markup;
    const char* start;
    const char* value;
    const char* end;
    Lines lines;
    bool result;
};

class ValueScan : public testing::TestWithParam<ValueCase> {};

TEST_P(ValueScan, AppendsValuesBetweenMarkers) {
    const ValueCase& c = GetParam();
    TStringList list;
    EXPECT_EQ(Vhtml::ScanValues(c.markup, c.start, c.value, c.end, list), c.result);
    EXPECT_EQ(LinesOf(list), c.lines);
}

INSTANTIATE_TEST_SUITE_P(Markup, ValueScan, testing::Values(
    ValueCase{"ThreeVariables", "var a=1;var b=2;var c=3;</script>", "var ", "=", ";", {"1", "2", "3"}, true},
    ValueCase{"MarkersOnlyComparedWellBeforeTheEnd", "var a=1;var b=2;", "var ", "=", ";", {"1"}, true},
    ValueCase{"StartEqualsValueMarker", "x#a;#b;xx", "#", "#", ";", {"a", "b"}, true},
    ValueCase{"ValueNeverEnds", "var a=1 and no end in sight", "var ", "=", ";", {}, true},
    ValueCase{"LongEndMarker", "<b>id:42</b> <b>id:7</b>...", "<b>", "id:", "</b>", {"42", "7"}, true},
    ValueCase{"NoStartMarker", "a=1;b=2;", "var ", "=", ";", {}, false},
    ValueCase{"OtherCase", "VAR a=1;VAR b=2;", "var ", "=", ";", {}, false},
    // Empty markers would keep the scan from advancing; they find nothing.
    ValueCase{"EmptyStart", "var a=1;var b=2;", "", "=", ";", {}, false},
    ValueCase{"EmptyValue", "var a=1;var b=2;", "var ", "", ";", {}, false},
    ValueCase{"EmptyEnd", "var a=1;var b=2;", "var ", "=", "", {}, false}),
    [](const auto& info) { return info.param.name; });

TEST(Scans, NeverClearTheTarget) {
    TStringList list{"kept"};
    const char* markup = R"(<A href="a.htm">A</A> <A href="b.htm">B</A>)";
    Vhtml::ScanLinks(markup, list);
    Vhtml::ScanLinks(markup, list);
    EXPECT_EQ(LinesOf(list), (Lines{"kept", "a.htm", "b.htm", "a.htm", "b.htm"}));
}

TEST(Scans, RunThePassHookOncePerPass) {
    int passes = 0;
    const auto count = [&] { ++passes; };
    TStringList list;
    Vhtml::ScanLinks("plain text", list, count);
    EXPECT_EQ(passes, 10);
    // A marker is stepped over in one pass.
    passes = 0;
    Vhtml::ScanLinks(R"(x<A href="ab">)", list, count);
    EXPECT_EQ(passes, 14 - 9);
}

}  // namespace
