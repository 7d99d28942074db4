#pragma once
// The web browser control: a control that loads a document, shows it and
// offers it through the document interface (HtmlDocument.h).
#include <memory>
#include <optional>

#include "platform/browser/HtmlDocument.h"
#include "platform/gui/Controls.h"

class TCppWebBrowser : public TWinControl {
public:
    explicit TCppWebBrowser(TComponent* owner);
    ~TCppWebBrowser() override;

    // Loads a local path, a file: URL or an http/https URL (through the
    // network), replacing the current document; a URL relative to the
    // current one (a clicked link) is resolved against it. Local documents
    // are loaded at once, network ones when the reply arrives (Busy() until
    // then). A load that fails, or a URL of another kind, leaves an empty
    // document; nothing is reported. OnDocumentComplete follows every load.
    //
    // The optional arguments may be omitted: Flags and TargetFrameName are
    // accepted and have no effect (one frame, no history); PostData makes an
    // http/https load a POST of those bytes; Headers holds extra request
    // header lines "Name: value" separated by CR LF.
    void Navigate(const AnsiString& URL, const std::optional<int>& Flags = std::nullopt,
                  const std::optional<AnsiString>& TargetFrameName = std::nullopt,
                  const std::optional<AnsiString>& PostData = std::nullopt,
                  const std::optional<AnsiString>& Headers = std::nullopt);

    // The loaded document; null before the first navigation. It stays valid
    // until the next document replaces it.
    const IHTMLDocument2* Document() const;
    // The URL of the current document (empty before the first navigation).
    AnsiString LocationURL() const;
    // True while a network load is under way.
    bool Busy() const;

    TNotifyEvent OnDocumentComplete;

private:
    struct Loader;
    void ShowDocument(const AnsiString& url, const std::string& utf8Markup);
    std::unique_ptr<Loader> loader_;
    std::unique_ptr<IHTMLDocument2> document_;
    AnsiString location_;
};
