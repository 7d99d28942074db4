#include "components/Vhtml/Vhtml.h"

#include "components/Vhtml/HtmlScans.h"
#include "platform/browser/EventPump.h"
#include "platform/browser/UrlOpener.h"
#include "platform/gui/Forms.h"

namespace {

TStrings* ItemsOf(TListBox* list) {
    return list ? &list->Items() : nullptr;
}

void ServeEvents() {
    if (Application) Application->ProcessMessages();
}

}  // namespace

TVHTML::TVHTML(TComponent* owner) : TComponent(owner) {}

const IHTMLElement* TVHTML::Body() const {
    const IHTMLDocument2* document = Browser ? Browser->Document() : nullptr;
    return document ? document->body() : nullptr;
}

AnsiString TVHTML::GetTitel() {
    const IHTMLDocument2* document = Browser ? Browser->Document() : nullptr;
    return document ? document->title() : AnsiString();
}

AnsiString TVHTML::GetBodyText() {
    const IHTMLElement* body = Body();
    return body ? body->innerText() : AnsiString();
}

AnsiString TVHTML::GetBodyHtml() {
    const IHTMLElement* body = Body();
    return body ? body->innerHTML() : AnsiString();
}

template <class Scan>
bool TVHTML::ScanBody(TStrings* target, Scan scan) {
    const IHTMLElement* body = Body();
    if (!target || !body) return false;
    // A copy: event handlers run during the scan may replace the document.
    const AnsiString markup = body->innerHTML();
    TEventPump pump(ServeEvents);
    return scan(markup, *target, [&pump] { pump.Pass(); });
}

bool TVHTML::Links(TStrings* target) {
    return ScanBody(target, [](const AnsiString& s, TStrings& t, const Vhtml::TScanPass& pass) {
        return Vhtml::ScanLinks(s, t, pass);
    });
}

bool TVHTML::Images(TStrings* target) {
    return ScanBody(target, [](const AnsiString& s, TStrings& t, const Vhtml::TScanPass& pass) {
        return Vhtml::ScanImages(s, t, pass);
    });
}

bool TVHTML::Values(TStrings* target, const AnsiString& start, const AnsiString& value, const AnsiString& end) {
    return ScanBody(target, [&](const AnsiString& s, TStrings& t, const Vhtml::TScanPass& pass) {
        return Vhtml::ScanValues(s, start, value, end, t, pass);
    });
}

bool TVHTML::GetAllLinks(TListBox* list) { return Links(ItemsOf(list)); }
bool TVHTML::GetAllLinks(TStringList* list) { return Links(list); }
bool TVHTML::GetAllImages(TListBox* list) { return Images(ItemsOf(list)); }
bool TVHTML::GetAllImages(TStringList* list) { return Images(list); }

bool TVHTML::GetAllVar(TListBox* list, const AnsiString& start, const AnsiString& value, const AnsiString& end) {
    return Values(ItemsOf(list), start, value, end);
}

bool TVHTML::GetAllVar(TStringList* list, const AnsiString& start, const AnsiString& value, const AnsiString& end) {
    return Values(list, start, value, end);
}

void TVHTML::BrowseTo(const AnsiString& url) {
    if (Browser) Browser->Navigate(url);
}

void TVHTML::CallExternUrl(const AnsiString& url) {
    OpenUrlExternally(url);
}

namespace Vhtml {

void Register() {
    RegisterComponents("Varnell", {"TVHTML"});
}

}  // namespace Vhtml
