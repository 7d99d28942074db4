// The document interface on markup: title, innerText and innerHTML.
#include <gtest/gtest.h>

#include "platform/browser/HtmlDocument.h"

namespace {

struct BodyCase {
    const char* name;
    const char* markup;
    const char* expected;
};

AnsiString BodyHtml(const char* markup) {
    return IHTMLDocument2::Parse(markup)->body()->innerHTML();
}

AnsiString BodyText(const char* markup) {
    return IHTMLDocument2::Parse(markup)->body()->innerText();
}

class InnerHtml : public testing::TestWithParam<BodyCase> {};

TEST_P(InnerHtml, WritesTheNormalForm) {
    EXPECT_EQ(BodyHtml(GetParam().markup), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Markup, InnerHtml, testing::Values(
    BodyCase{"UnquotedMixedCaseAttribute", "<a HREF=x.htm>Link</a>", R"(<A href="x.htm">Link</A>)"},
    BodyCase{"SingleQuotesAndQuoteInValue", R"(<img SRC='p.png' Alt='say "hi"'>)", R"(<IMG src="p.png" alt="say &quot;hi&quot;">)"},
    BodyCase{"VoidElementsAndEmptyAttribute", "a<br/>b<input disabled><hr>", R"(a<BR>b<INPUT disabled=""><HR>)"},
    BodyCase{"TextEscapes", "<p>a &amp; b &lt;c&gt; d&nbsp;e &eacute;</p>", "<P>a &amp; b &lt;c&gt; d&nbsp;e \xC3\xA9</P>"},
    BodyCase{"ImpliedEndTags", "<p>one<p>two<ul><li>a<li>b</ul>", "<P>one</P><P>two</P><UL><LI>a</LI><LI>b</LI></UL>"},
    BodyCase{"ScriptTextAsWritten", R"(x<script>if (a<b && c) s="<a href='x'>";</script>)", R"(x<SCRIPT>if (a<b && c) s="<a href='x'>";</SCRIPT>)"},
    BodyCase{"Comment", "x<!-- note -->y", "x<!-- note -->y"},
    BodyCase{"CustomElement", "<my-widget Data-X=1>t</my-widget>", R"(<MY-WIDGET data-x="1">t</MY-WIDGET>)"},
    BodyCase{"HeadContentIsNotBody", "<title>T</title><meta charset=utf-8>Body", "Body"}),
    [](const auto& info) { return info.param.name; });

class InnerText : public testing::TestWithParam<BodyCase> {};

TEST_P(InnerText, GivesTheRenderedText) {
    EXPECT_EQ(BodyText(GetParam().markup), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Markup, InnerText, testing::Values(
    BodyCase{"WhiteSpaceCollapses", "  Hello   <b>big</b>\n\t world  ", "Hello big world"},
    BodyCase{"ParagraphsAndBlocks", "<p>One</p><p>Two</p><div>a</div> <div> b </div>", "One\n\nTwo\n\na\nb"},
    BodyCase{"LineBreaks", "a <br> b<br><br>c", "a\nb\n\nc"},
    BodyCase{"ScriptsAndStylesLeftOut", "<script>x()</script>shown<style>p{}</style><noscript>no</noscript>", "shown"},
    BodyCase{"PreformattedKeepsSpace", "<pre>  x\n  y</pre>after", "  x\n  y\nafter"},
    BodyCase{"TableCellsAndRows", "<table><tr><td>1</td> <td>2</td></tr><tr><th>3</th></tr></table>", "1\t2\n3"},
    BodyCase{"HiddenLeftOut", "<span hidden>no</span>yes", "yes"},
    BodyCase{"EntitiesDecoded", "&lt;tag&gt; &amp; &quot;q&quot;", "<tag> & \"q\""}),
    [](const auto& info) { return info.param.name; });

TEST(Document, TitleIsStrippedAndCollapsed) {
    EXPECT_EQ(IHTMLDocument2::Parse("<title>  My \n  Page </title>x")->title(), "My Page");
    EXPECT_EQ(IHTMLDocument2::Parse("<p>no title")->title(), "");
}

TEST(Document, EmptyMarkupHasAnEmptyBody) {
    auto doc = IHTMLDocument2::Parse("");
    ASSERT_NE(doc->body(), nullptr);
    EXPECT_EQ(doc->body()->innerHTML(), "");
    EXPECT_EQ(doc->body()->innerText(), "");
}

TEST(Document, FramesetStandsInForTheBody) {
    auto doc = IHTMLDocument2::Parse("<frameset><frame src=a.htm></frameset>");
    ASSERT_NE(doc->body(), nullptr);
    EXPECT_EQ(doc->body()->innerHTML(), R"(<FRAME src="a.htm">)");
}

TEST(Document, DeepNestingDoesNotExhaustTheStack) {
    std::string markup;
    for (int i = 0; i < 200000; ++i) markup += "<span>";
    markup += "deep";
    auto doc = IHTMLDocument2::Parse(markup);
    EXPECT_EQ(doc->body()->innerText(), "deep");
    EXPECT_EQ(doc->body()->innerHTML().size(), 200000 * (6 + 7) + 4);
}

TEST(Document, InvalidUtf8ReadsAsReplacementCharacter) {
    EXPECT_EQ(BodyText("a\xFF" "b"), "a\xEF\xBF\xBD" "b");
}

}  // namespace
