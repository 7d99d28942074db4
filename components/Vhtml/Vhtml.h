#pragma once
// TVHTML: reads the document of a browser control (title, body text, body
// markup), collects link targets, image sources and marker-delimited values
// from the body markup, makes the browser navigate, and opens URLs with the
// desktop's default handler.
//
// Without Browser, or before the browser has a document, the reading
// operations give empty texts and the scans append nothing and return
// false. The scans read the body markup once at their start and serve the
// application's events while they run (handlers may even replace the
// document; the scan goes on over the markup it read).
#include "platform/browser/WebBrowser.h"
#include "platform/core/Classes.h"
#include "platform/gui/StdCtrls.h"

class TVHTML : public TComponent {
public:
    explicit TVHTML(TComponent* owner);

    // The control whose document is read; not owned. Null at first.
    TCppWebBrowser* Browser = nullptr;

    AnsiString GetTitel();
    AnsiString GetBodyText();
    AnsiString GetBodyHtml();

    // The scans of HtmlScans.h over GetBodyHtml(), appending to a list box's
    // Items or to a string list; neither is cleared first.
    bool GetAllLinks(TListBox* list);
    bool GetAllLinks(TStringList* list);
    bool GetAllImages(TListBox* list);
    bool GetAllImages(TStringList* list);
    bool GetAllVar(TListBox* list, const AnsiString& start, const AnsiString& value, const AnsiString& end);
    bool GetAllVar(TStringList* list, const AnsiString& start, const AnsiString& value, const AnsiString& end);

    // Makes Browser navigate to the URL, all optional arguments omitted.
    void BrowseTo(const AnsiString& url);

    // Opens the URL with the desktop's default handler; needs no Browser.
    // The outcome is not reported.
    static void CallExternUrl(const AnsiString& url);

private:
    const IHTMLElement* Body() const;
    template <class Scan>
    bool ScanBody(TStrings* target, Scan scan);
    bool Links(TStrings* target);
    bool Images(TStrings* target);
    bool Values(TStrings* target, const AnsiString& start, const AnsiString& value, const AnsiString& end);
};

namespace Vhtml {
void Register();
}
