#include "platform/browser/HtmlDocument.h"

#include <gumbo.h>

#include "platform/browser/GumboSerialise.h"
#include "platform/browser/GumboTree.h"

namespace {

GumboOptions ParserOptions() {
    GumboOptions options = kGumboDefaultOptions;
    options.max_errors = 0;  // parse errors are of no use here; do not collect them
    return options;
}

// The body element, or the frameset that stands in for it.
const GumboNode* FindBody(const GumboOutput* output) {
    const GumboNode* html = output->root;
    const GumboVector& kids = GumboTree::Children(html);
    for (unsigned int i = 0; i < kids.length; ++i) {
        const auto* kid = static_cast<const GumboNode*>(kids.data[i]);
        if (GumboTree::HasTag(kid, GUMBO_TAG_BODY) || GumboTree::HasTag(kid, GUMBO_TAG_FRAMESET))
            return kid;
    }
    return nullptr;
}

}  // namespace

AnsiString IHTMLElement::innerText() const {
    return GumboTree::InnerText(node_);
}

AnsiString IHTMLElement::innerHTML() const {
    return GumboTree::InnerHtml(node_);
}

// The parse tree points into the markup it was made from, so the two are
// kept together.
struct IHTMLDocument2::Parsed {
    explicit Parsed(std::string_view text) : markup(text) {
        const GumboOptions options = ParserOptions();
        output = gumbo_parse_with_options(&options, markup.data(), markup.size());
    }
    ~Parsed() {
        const GumboOptions options = ParserOptions();
        gumbo_destroy_output(&options, output);
    }
    Parsed(const Parsed&) = delete;
    Parsed& operator=(const Parsed&) = delete;

    std::string markup;
    GumboOutput* output;
};

std::unique_ptr<IHTMLDocument2> IHTMLDocument2::Parse(std::string_view markup) {
    return std::unique_ptr<IHTMLDocument2>(new IHTMLDocument2(std::make_unique<Parsed>(markup)));
}

IHTMLDocument2::IHTMLDocument2(std::unique_ptr<Parsed> parsed) : parsed_(std::move(parsed)) {
    if (const GumboNode* body = FindBody(parsed_->output)) body_.reset(new IHTMLElement(body));
}

IHTMLDocument2::~IHTMLDocument2() = default;

AnsiString IHTMLDocument2::title() const {
    return GumboTree::Title(parsed_->output->document);
}
