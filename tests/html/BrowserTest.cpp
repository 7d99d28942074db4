// The browser control: loading local and network documents and the
// document interface over them.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QTcpServer>
#include <QTcpSocket>
#include <chrono>
#include <memory>

#include "Fixtures.h"
#include "platform/browser/WebBrowser.h"
#include "platform/gui/Forms.h"

namespace {

class Browser : public testing::Test {
protected:
    TForm form{nullptr};
    TCppWebBrowser* browser = new TCppWebBrowser(&form);
};

TEST_F(Browser, HasNoDocumentBeforeTheFirstNavigation) {
    EXPECT_EQ(browser->Document(), nullptr);
    EXPECT_FALSE(browser->Busy());
}

TEST_F(Browser, LoadsALocalPathAndAFileUrl) {
    int completed = 0;
    browser->OnDocumentComplete = [&](TObject* sender) {
        EXPECT_EQ(sender, browser);
        ++completed;
    };
    for (const AnsiString& url : {Fixture("page.html"), "file://" + Fixture("page.html")}) {
        browser->Navigate(url);
        ASSERT_NE(browser->Document(), nullptr) << url;
        EXPECT_EQ(browser->Document()->title(), "Varnell test page");
        EXPECT_EQ(browser->LocationURL(), "file://" + Fixture("page.html"));
    }
    EXPECT_EQ(completed, 2);
}

TEST_F(Browser, ReadsTextAndMarkupOfTheBody) {
    browser->Navigate(Fixture("page.html"));
    const IHTMLElement* body = browser->Document()->body();
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->innerText(), "Links & images\n\nFirst link a and link b.\n\ncaf\xC3\xA9 <ok>");
    EXPECT_EQ(body->innerHTML(),
              "\n<H1>Links &amp; images</H1>\n"
              "<P>First <A href=\"a.htm\">link a</A> and <A href=\"b.htm\">link b</A>.</P>\n"
              "<P><IMG src=\"one.png\"><IMG alt=\"two\" src=\"two.png\"></P>\n"
              "<SCRIPT>var a=1;var b=2;var c=3;</SCRIPT>\n"
              "<P>caf\xC3\xA9 &lt;ok&gt;</P>\n\n");
}

TEST_F(Browser, DecodesTheCharsetThePageNames) {
    browser->Navigate(Fixture("latin1.html"));
    EXPECT_EQ(browser->Document()->title(), "caf\xC3\xA9");
    EXPECT_EQ(browser->Document()->body()->innerText(), "na\xC3\xAFve");
}

TEST_F(Browser, FailedOrUnknownLoadsLeaveAnEmptyDocument) {
    for (const AnsiString& url : {Fixture("missing.html"), AnsiString(HTML_FIXTURES), AnsiString("about:blank"),
                                  AnsiString("ftp://example.invalid/x")}) {
        browser->Navigate(Fixture("page.html"));
        browser->Navigate(url);
        ASSERT_NE(browser->Document(), nullptr) << url;
        EXPECT_EQ(browser->Document()->title(), "") << url;
        EXPECT_EQ(browser->Document()->body()->innerHTML(), "") << url;
    }
}

TEST_F(Browser, ResolvesRelativeUrlsAgainstTheCurrentDocument) {
    browser->Navigate(Fixture("page.html"));
    browser->Navigate("latin1.html");
    EXPECT_EQ(browser->LocationURL(), "file://" + Fixture("latin1.html"));
    EXPECT_EQ(browser->Document()->title(), "caf\xC3\xA9");
}

// A one-shot HTTP server on the loopback interface that keeps the request
// it got and answers with a fixed response.
class OneShotServer {
public:
    explicit OneShotServer(QByteArray response) : response_(std::move(response)) {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
            QTcpSocket* socket = server_.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                request_ += socket->readAll();
                const qsizetype headEnd = request_.indexOf("\r\n\r\n");
                if (headEnd < 0 || request_.size() < headEnd + 4 + ContentLength()) return;
                socket->write(response_);
                socket->disconnectFromHost();
            });
        });
    }
    AnsiString Url(const char* path) const {
        return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + path;
    }
    const QByteArray& Request() const { return request_; }

private:
    qsizetype ContentLength() const {
        const qsizetype at = request_.toLower().indexOf("content-length:");
        if (at < 0) return 0;
        return request_.mid(at + 15, request_.indexOf("\r\n", at) - at - 15).trimmed().toLongLong();
    }
    QTcpServer server_;
    QByteArray response_;
    QByteArray request_;
};

void WaitWhileBusy(const TCppWebBrowser& browser) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (browser.Busy() && std::chrono::steady_clock::now() < deadline) Application->ProcessMessages();
}

TEST_F(Browser, LoadsOverHttpWithPostDataAndHeaders) {
    const QByteArray page = "<title>from the net</title><p>r\xE9sum\xE9";
    OneShotServer server("HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=ISO-8859-1\r\nContent-Length: " +
                         QByteArray::number(page.size()) + "\r\nConnection: close\r\n\r\n" + page);
    browser->Navigate(server.Url("/form"), std::nullopt, std::nullopt, AnsiString("q=1&r=2"),
                      AnsiString("X-Test: yes\r\nAccept-Language: de"));
    EXPECT_TRUE(browser->Busy());
    WaitWhileBusy(*browser);
    ASSERT_FALSE(browser->Busy());
    EXPECT_EQ(browser->Document()->title(), "from the net");
    EXPECT_EQ(browser->Document()->body()->innerText(), "r\xC3\xA9sum\xC3\xA9");
    EXPECT_TRUE(server.Request().startsWith("POST /form "));
    EXPECT_TRUE(server.Request().contains("X-Test: yes\r\n"));
    EXPECT_TRUE(server.Request().endsWith("\r\n\r\nq=1&r=2"));
}

TEST_F(Browser, HttpErrorLeavesAnEmptyDocument) {
    const QByteArray page = "<title>404</title>";
    OneShotServer server("HTTP/1.1 404 Not Found\r\nContent-Type: text/html\r\nContent-Length: " +
                         QByteArray::number(page.size()) + "\r\nConnection: close\r\n\r\n" + page);
    browser->Navigate(server.Url("/missing"));
    WaitWhileBusy(*browser);
    ASSERT_NE(browser->Document(), nullptr);
    EXPECT_EQ(browser->Document()->title(), "");
}

}  // namespace
