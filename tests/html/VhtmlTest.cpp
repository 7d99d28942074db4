// TVHTML on documents loaded by the browser control, without a browser,
// and its URL opener.
#include <gtest/gtest.h>

#include <vector>

#include "Lines.h"

#include "Fixtures.h"
#include "components/Vhtml/Vhtml.h"
#include "platform/browser/UrlOpener.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"

namespace {


class Helper : public testing::Test {
protected:
    TForm form{nullptr};
    TCppWebBrowser* browser = new TCppWebBrowser(&form);
    TListBox* listBox = new TListBox(&form);
    TVHTML* html = new TVHTML(&form);
    TStringList list;
};

TEST_F(Helper, WithoutBrowserOrDocumentReadsNothing) {
    for (TCppWebBrowser* b : {static_cast<TCppWebBrowser*>(nullptr), browser}) {
        html->Browser = b;  // no browser, then a browser that has loaded nothing
        EXPECT_EQ(html->GetTitel(), "");
        EXPECT_EQ(html->GetBodyText(), "");
        EXPECT_EQ(html->GetBodyHtml(), "");
        EXPECT_FALSE(html->GetAllLinks(&list));
        EXPECT_FALSE(html->GetAllImages(listBox));
        EXPECT_FALSE(html->GetAllVar(&list, "var ", "=", ";"));
        EXPECT_EQ(list.Count() + listBox->Items().Count(), 0);
    }
    html->Browser = nullptr;
    html->BrowseTo(Fixture("page.html"));  // nothing to navigate
    EXPECT_EQ(browser->Document(), nullptr);
}

TEST_F(Helper, ReadsTheLoadedDocument) {
    html->Browser = browser;
    html->BrowseTo(Fixture("page.html"));
    EXPECT_EQ(html->GetTitel(), "Varnell test page");
    EXPECT_EQ(html->GetBodyText(), browser->Document()->body()->innerText());
    EXPECT_EQ(html->GetBodyHtml(), browser->Document()->body()->innerHTML());
}

// The fixture's links, images and variables are written in several ways;
// the normal form of the body markup lets both target forms find them all.
TEST_F(Helper, ScansTheBodyIntoListBoxAndStringList) {
    html->Browser = browser;
    html->BrowseTo(Fixture("page.html"));
    struct Target {
        TStrings& lines;
        std::function<bool()> links, images, vars;
    };
    const std::vector<Target> targets = {
        {listBox->Items(), [&] { return html->GetAllLinks(listBox); }, [&] { return html->GetAllImages(listBox); },
         [&] { return html->GetAllVar(listBox, "var ", "=", ";"); }},
        {list, [&] { return html->GetAllLinks(&list); }, [&] { return html->GetAllImages(&list); },
         [&] { return html->GetAllVar(&list, "var ", "=", ";"); }},
    };
    for (const Target& t : targets) {
        EXPECT_FALSE(t.links());
        EXPECT_EQ(LinesOf(t.lines), (Lines{"a.htm", "b.htm"}));
        t.lines.Clear();
        EXPECT_TRUE(t.images());
        EXPECT_EQ(LinesOf(t.lines), (Lines{"one.png", "two.png"}));
        t.lines.Clear();
        EXPECT_TRUE(t.vars());
        EXPECT_TRUE(t.vars());  // a second call appends again
        EXPECT_EQ(LinesOf(t.lines), (Lines{"1", "2", "3", "1", "2", "3"}));
    }
}

TEST_F(Helper, NullTargetsAppendNothing) {
    html->Browser = browser;
    html->BrowseTo(Fixture("page.html"));
    EXPECT_FALSE(html->GetAllLinks(static_cast<TListBox*>(nullptr)));
    EXPECT_FALSE(html->GetAllImages(static_cast<TStringList*>(nullptr)));
}

// A timer that falls due during a long scan runs before the scan ends; its
// handler replaces the document, and the scan goes on over the markup it
// read at its start.
TEST_F(Helper, ServesTimersDuringALongScan) {
    std::string page = "<body>";
    const int links = 20000;
    for (int i = 0; i < links; ++i) page += "<a href=p" + std::to_string(i) + ".htm>x</a> ";
    const TScratchFile file("long.html", page);
    html->Browser = browser;
    html->BrowseTo(file.Path());

    TTimer timer(&form);
    timer.SetInterval(1);
    int linesWhenFired = -1;
    timer.OnTimer = [&](TObject*) {
        if (list.Count() == 0) return;  // the scan has not begun yet
        timer.SetEnabled(false);
        linesWhenFired = list.Count();
        html->BrowseTo(Fixture("missing.html"));
    };
    timer.SetEnabled(true);
    EXPECT_FALSE(html->GetAllLinks(&list));

    EXPECT_GT(linesWhenFired, 0) << "the timer never fired during the scan";
    EXPECT_LT(linesWhenFired, links);
    EXPECT_EQ(list.Count(), links);
    EXPECT_EQ(list[links - 1], "p" + std::to_string(links - 1) + ".htm");
    EXPECT_EQ(html->GetBodyHtml(), "");
}

TEST(CallExternUrl, HandsTheUrlToTheOpenerWithoutBrowser) {
    std::vector<AnsiString> opened;
    const TUrlOpener previous = SetUrlOpener([&](const AnsiString& url) { opened.push_back(url); });
    TVHTML html(nullptr);
    html.CallExternUrl("https://example.com/a b?x=1&y=\"2\"");
    TVHTML::CallExternUrl("/tmp/local file.txt");
    SetUrlOpener(previous);
    EXPECT_EQ(opened, (Lines{"https://example.com/a b?x=1&y=\"2\"", "/tmp/local file.txt"}));
}

TEST(Register, PutsTVHTMLOnTheVarnellPage) {
    Vhtml::Register();
    bool found = false;
    for (const TPaletteEntry& e : RegisteredComponents()) found |= e.page == "Varnell" && e.className == "TVHTML";
    EXPECT_TRUE(found);
}

}  // namespace
