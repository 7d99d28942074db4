// Parses arbitrary bytes as a document and reads everything the helper
// reads from it: the title, the body's text and markup, and the scans over
// that markup.
#include <cstdint>
#include <string_view>

#include "components/Vhtml/HtmlScans.h"
#include "platform/browser/HtmlDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto doc = IHTMLDocument2::Parse({reinterpret_cast<const char*>(data), size});
    (void)doc->title();
    if (const IHTMLElement* body = doc->body()) {
        (void)body->innerText();
        const AnsiString markup = body->innerHTML();
        TStringList lines;
        Vhtml::ScanLinks(markup, lines);
        Vhtml::ScanImages(markup, lines);
        Vhtml::ScanValues(markup, "var ", "=", ";", lines);
    }
    return 0;
}
